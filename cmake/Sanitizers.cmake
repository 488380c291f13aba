# One switch for the sanitizer builds that scripts/test drives (build-asan/, build-tsan/,
# build-fuzz/). KORVEL_FUZZ=ON builds the libFuzzer targets of tests/fuzz and implies the
# "fuzzer" value: coverage instrumentation with ASan + UBSan on all code, clang only.
option(KORVEL_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(KORVEL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "KORVEL_FUZZ needs clang (CXX=clang++): g++ has no libFuzzer")
    endif()
    if(KORVEL_SANITIZE STREQUAL "")
        set(KORVEL_SANITIZE fuzzer)
    elseif(NOT KORVEL_SANITIZE STREQUAL "fuzzer")
        message(FATAL_ERROR "KORVEL_FUZZ goes with KORVEL_SANITIZE=fuzzer only")
    endif()
endif()

if(KORVEL_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(KORVEL_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(KORVEL_SANITIZE STREQUAL "fuzzer")
    if(NOT KORVEL_FUZZ)
        message(FATAL_ERROR "KORVEL_SANITIZE=fuzzer needs KORVEL_FUZZ=ON")
    endif()
    # The fuzz targets add -fsanitize=fuzzer at link time (it brings libFuzzer's main).
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(NOT KORVEL_SANITIZE STREQUAL "")
    message(FATAL_ERROR "KORVEL_SANITIZE must be address, thread, fuzzer or empty")
endif()
