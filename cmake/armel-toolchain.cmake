# Cross-build for the handset's ARM926 (ARMv5TE, soft float): Debian's armel, against an armel
# sysroot that scripts/test --arm prepares (debootstrap, every package unpacked). Qt's libraries
# and headers come from the sysroot; moc, rcc and uic are the host's (the same Qt 5.15).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/armel-toolchain.cmake -DKORVEL_ARMEL_SYSROOT=DIR ...
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(KORVEL_ARMEL_SYSROOT "" CACHE PATH "The armel sysroot (scripts/test --arm makes one)")
if(NOT KORVEL_ARMEL_SYSROOT)
    set(KORVEL_ARMEL_SYSROOT "$ENV{KORVEL_ARMEL_SYSROOT}")
endif()
if(NOT IS_DIRECTORY "${KORVEL_ARMEL_SYSROOT}/usr/lib/arm-linux-gnueabi")
    message(FATAL_ERROR "No armel sysroot at '${KORVEL_ARMEL_SYSROOT}' (KORVEL_ARMEL_SYSROOT)")
endif()
# try_compile projects re-read this file; they need the sysroot too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KORVEL_ARMEL_SYSROOT)

set(CMAKE_C_COMPILER arm-linux-gnueabi-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabi-g++)
set(CMAKE_SYSROOT "${KORVEL_ARMEL_SYSROOT}")
set(CMAKE_C_FLAGS_INIT "-march=armv5te -mfloat-abi=soft")
set(CMAKE_CXX_FLAGS_INIT "-march=armv5te -mfloat-abi=soft")
# The sysroot's shared libraries find their own dependencies there, not on the host.
set(_armel_libs "${KORVEL_ARMEL_SYSROOT}/usr/lib/arm-linux-gnueabi")
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-Wl,-rpath-link,${_armel_libs} -Wl,-rpath-link,${KORVEL_ARMEL_SYSROOT}/lib/arm-linux-gnueabi")

set(CMAKE_FIND_ROOT_PATH "${KORVEL_ARMEL_SYSROOT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# After project(): the host's Qt tools, the emulator that ctest runs the tests through, and (at
# the end of the top directory) the emulated programs for the tests that start programs.
set(CMAKE_PROJECT_INCLUDE "${CMAKE_CURRENT_LIST_DIR}/armel-emulated.cmake")
