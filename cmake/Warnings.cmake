# Project code builds without warnings; Qt's own headers are system headers.
function(korvel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
