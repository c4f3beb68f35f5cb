# Warnings for the project's own targets; the build is kept free of them.
option(HALVREN_WERROR "Treat the project's warnings as errors (scripts/test.sh turns it on)" OFF)

function(halvren_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${HALVREN_WERROR}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
            $<$<BOOL:${HALVREN_WERROR}>:-Werror>)
    endif()
endfunction()
