# corvend_embed_resources(<target> DIR <dir> NAMESPACE <namespace> FUNCTION <name>)
#
# A static library <target> holding every file below <dir> as bytes in the program, so that
# nothing is read from disk at run time. It defines
#   std::span<const corvend::platform::Bundle::File> <namespace>::<name>();
# with one entry per file, by its path relative to <dir>. A file named "*.in" is first filled
# with the project's variables (@PROJECT_VERSION@) and embedded without its ".in".
function(corvend_embed_resources target)
    cmake_parse_arguments(ARG "" "DIR;NAMESPACE;FUNCTION" "" ${ARGN})
    file(GLOB_RECURSE files CONFIGURE_DEPENDS "${ARG_DIR}/*")
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DDIR=${ARG_DIR} -DOUTPUT=${output}
                -DNAMESPACE=${ARG_NAMESPACE} -DFUNCTION=${ARG_FUNCTION}
                -DPROJECT_VERSION=${PROJECT_VERSION}
                -P ${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake
        COMMENT "Embedding the resources of ${ARG_DIR}"
        VERBATIM)
    add_library(${target} STATIC ${output})
    corvend_library_defaults(${target} PUBLIC)
    target_link_libraries(${target} PUBLIC corvend_platform_foundation)
    corvend_set_warnings(${target})
endfunction()
