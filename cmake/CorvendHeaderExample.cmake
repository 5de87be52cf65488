# corvend_header_example(<target> HEADER <header> DEPS <targets...>)
#
# Compiles the example of a header's comment as written, so that it cannot go stale: the comment
# lines that follow the line starting "// Example (compiled", up to the first line that is not a
# comment, less their "//" and up to three blanks, make one source file linked with DEPS.
function(corvend_header_example target)
    cmake_parse_arguments(ARG "" "HEADER" "DEPS" ${ARGN})
    set(header ${PROJECT_SOURCE_DIR}/${ARG_HEADER})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
    file(READ ${header} text)
    if(NOT text MATCHES "\n// Example \\(compiled[^\n]*\n((//[^\n]*\n)+)")
        message(FATAL_ERROR "${ARG_HEADER}: no \"// Example (compiled ...\" comment")
    endif()
    string(REGEX REPLACE "(//[ ]?[ ]?[ ]?)([^\n]*\n)" "\\2" example "${CMAKE_MATCH_1}")
    set(source ${PROJECT_BINARY_DIR}/generated/examples/${target}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "${example}" @ONLY)
    add_library(${target} OBJECT ${source})
    target_link_libraries(${target} PRIVATE ${ARG_DEPS})
    corvend_set_warnings(${target})
endfunction()
