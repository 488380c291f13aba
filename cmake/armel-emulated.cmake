# Included after project() in the armel cross-build (armel-toolchain.cmake names it).
include_guard(GLOBAL)
if(CMAKE_PROJECT_NAME STREQUAL "CMAKE_TRY_COMPILE")
    return()
endif()

# The sysroot's moc, rcc and uic are ARM programs; the host's are the same Qt release. Qt's
# package files keep a target that already exists.
foreach(tool moc rcc uic)
    if(NOT TARGET Qt5::${tool})
        if(NOT EXISTS /usr/lib/qt5/bin/${tool})
            message(FATAL_ERROR "The host's Qt tool /usr/lib/qt5/bin/${tool} is missing (qtbase5-dev-tools)")
        endif()
        add_executable(Qt5::${tool} IMPORTED)
        set_target_properties(Qt5::${tool} PROPERTIES IMPORTED_LOCATION /usr/lib/qt5/bin/${tool})
    endif()
endforeach()

# ctest runs every test program as the ARM926 under qemu-arm, with the sysroot as its library
# root and its Qt plugins, through armel-qemu.c (a host program: see there why).
find_program(KORVEL_QEMU_ARM NAMES qemu-arm-static qemu-arm REQUIRED)
find_program(KORVEL_HOST_CC NAMES cc gcc REQUIRED)
set(_launcher_src "${CMAKE_CURRENT_LIST_DIR}/armel-qemu.c")
set(_launcher "${CMAKE_BINARY_DIR}/armel-qemu")
if(NOT EXISTS "${_launcher}" OR "${_launcher_src}" IS_NEWER_THAN "${_launcher}")
    execute_process(COMMAND ${KORVEL_HOST_CC} -O2 -Wall -Wextra -Werror -o "${_launcher}"
                            "${_launcher_src}" RESULT_VARIABLE _failed)
    if(_failed)
        message(FATAL_ERROR "The host compiler ${KORVEL_HOST_CC} did not build ${_launcher_src}")
    endif()
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_launcher_src}")
set(CMAKE_CROSSCOMPILING_EMULATOR "${_launcher}" /usr/bin/env
    "QT_PLUGIN_PATH=${KORVEL_ARMEL_SYSROOT}/usr/lib/arm-linux-gnueabi/qt5/plugins"
    "${KORVEL_QEMU_ARM}" -cpu arm926 -L "${KORVEL_ARMEL_SYSROOT}")

# A test that starts one of the project's programs gets its path as a compile definition
# NAME="$<TARGET_FILE:program>". Under emulation the kernel cannot run an ARM program, so each
# such definition is pointed at a small shell script, emulated/<program>, that runs the program
# through the same emulator as ctest does. Runs once the whole tree is read, so it covers every
# test wherever it is defined.
function(korvel_emulate_started_programs)
    set(dirs "${CMAKE_SOURCE_DIR}")
    set(programs "")
    while(dirs)
        list(POP_FRONT dirs dir)
        get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
        list(APPEND dirs ${subdirs})
        get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target ${targets})
            get_target_property(defs ${target} COMPILE_DEFINITIONS)
            if(NOT defs OR NOT defs MATCHES "\\$<TARGET_FILE:")
                continue()
            endif()
            string(REGEX MATCHALL "\\$<TARGET_FILE:[^>]+>" refs "${defs}")
            foreach(ref ${refs})
                string(REGEX REPLACE "^\\$<TARGET_FILE:(.+)>$" "\\1" program "${ref}")
                list(APPEND programs ${program})
            endforeach()
            string(REGEX REPLACE "\\$<TARGET_FILE:([^>]+)>" "${CMAKE_BINARY_DIR}/emulated/\\1"
                   defs "${defs}")
            set_target_properties(${target} PROPERTIES COMPILE_DEFINITIONS "${defs}")
        endforeach()
    endwhile()
    list(REMOVE_DUPLICATES programs)
    set(emulator "")
    foreach(word ${CMAKE_CROSSCOMPILING_EMULATOR})
        string(APPEND emulator "'${word}' ")
    endforeach()
    foreach(program ${programs})
        file(GENERATE OUTPUT "${CMAKE_BINARY_DIR}/emulated/${program}"
             CONTENT "#!/bin/sh\nexec ${emulator}'$<TARGET_FILE:${program}>' \"$@\"\n"
             FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                              WORLD_READ WORLD_EXECUTE)
    endforeach()
endfunction()
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL korvel_emulate_started_programs)
