# Strict warnings for every target of the project.
function(corvend_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    # A warning fails the kit's own build, never the build of a project that embeds it.
    if(PROJECT_IS_TOP_LEVEL)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        # GCC 12 reports false overlaps in inlined std::string appends at -O3, and "maybe
        # uninitialized" std::optional payloads in aggregate tables at -O2 (both fixed in 13).
        target_compile_options(${target} PRIVATE -Wno-restrict -Wno-maybe-uninitialized)
    endif()
endfunction()
