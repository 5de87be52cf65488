# The layering check: cmake -DROOT=<source dir> -DRULES=<build dir>/layers.cmake -P CheckLayers.cmake
#
# Fails when a quoted #include goes against the layers:
# - a file in a layer folder includes only headers of its own folder and of the layers below it
#   (the layer's link dependencies, written to RULES by corvend_layering_test()); its tests may
#   also include the shared test support (tests/support);
# - the sandbox includes nothing outside its own folder: it shares no code with the kit;
# - the example hosts reach the kit only through its public headers, like any host, and include
#   nothing of the kit, its component library or its platform that the package does not install
#   (what the public headers reach), so that they build as a host of the package would.
cmake_minimum_required(VERSION 3.25)
include(${RULES})

include(${CMAKE_CURRENT_LIST_DIR}/CorvendPublicHeaders.cmake)
corvend_reached_headers(installed ${CORVEND_PUBLIC_HEADERS} ${CORVEND_PUBLIC_PLATFORM_HEADERS})
# The platform's utilities that the terminal host's own helpers use to print and read its words
# (dates, number formats, a URL's parts, a static kept to the end): not installed, as they drive
# nothing of the kit. No other header that is not installed, its screen driver's least of all.
set(terminal_utilities platform/foundation/ISO8601.hpp platform/foundation/NumberFormatter.hpp
    platform/foundation/NeverDestroyed.hpp platform/url/URLComponents.hpp)
set(violations)
set(file_count 0)
set(include_count 0)

file(GLOB_RECURSE files RELATIVE ${ROOT} LIST_DIRECTORIES false
     ${ROOT}/CorvendWallet/* ${ROOT}/CorvendCoreComponents/* ${ROOT}/platform/*
     ${ROOT}/sandbox/* ${ROOT}/examples/* ${ROOT}/tests/* ${ROOT}/bench/*)
list(FILTER files INCLUDE REGEX "\\.(cpp|hpp|inl)$")

foreach(file IN LISTS files)
    math(EXPR file_count "${file_count} + 1")
    get_filename_component(dir ${file} DIRECTORY)
    string(MAKE_C_IDENTIFIER "${dir}" key)
    set(reach)
    set(is_layer OFF)
    if(dir IN_LIST LAYER_DIRS)
        set(is_layer ON)
        set(reach ${REACH_${key}})
        if(file MATCHES "_test\\.cpp$")
            list(APPEND reach tests/support)
        endif()
    endif()

    file(STRINGS ${ROOT}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" header "${line}")
        if(NOT header MATCHES "/")
            continue()  # beside the including file
        endif()
        math(EXPR include_count "${include_count} + 1")
        get_filename_component(header_dir ${header} DIRECTORY)
        set(wrong "")
        if(is_layer)
            if(NOT header_dir IN_LIST reach)
                set(wrong "${header_dir} is not below ${dir}")
            endif()
        elseif(file MATCHES "^sandbox/")
            set(wrong "the sandbox includes only its own headers")
        elseif(file MATCHES "^examples/"
               AND header MATCHES "^(CorvendWallet|CorvendCoreComponents)/"
               AND NOT header IN_LIST CORVEND_PUBLIC_HEADERS)
            set(wrong "a host reaches the kit through its public headers only")
        elseif(file MATCHES "^examples/" AND header MATCHES "^platform/"
               AND NOT header IN_LIST installed
               AND NOT (file MATCHES "^examples/wallet-cli/" AND header IN_LIST terminal_utilities))
            set(wrong "a host includes only what the package installs")
        endif()
        if(wrong)
            list(APPEND violations "${file}: #include \"${header}\": ${wrong}")
        endif()
    endforeach()
endforeach()

# The order enforced, lowest first, as the build records it (the README prints the same).
string(REPLACE ";" " <- " order "${LAYER_DIRS}")
message("layers, lowest first: ${order}")

list(LENGTH violations violation_count)
foreach(violation IN LISTS violations)
    message("${violation}")
endforeach()
message("layering: ${file_count} files, ${include_count} includes across folders, "
        "${violation_count} against the layers")
if(violation_count GREATER 0)
    message(FATAL_ERROR "layering check failed")
endif()
