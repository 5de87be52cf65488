include(GoogleTest)

# corvend_tests(<name> DIR <dir> [DEPS <targets...>])
#
# One GoogleTest binary <name> from the *_test.cpp files of <dir>, registered with CTest.
function(corvend_tests name)
    cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS "${ARG_DIR}/*_test.cpp")
    if(tests AND CORVEND_BUILD_TESTS)
        add_executable(${name} ${tests})
        target_link_libraries(${name} PRIVATE
            ${ARG_DEPS} corvend_dependencies GTest::gmock GTest::gtest_main)
        corvend_test_program(${name})
    endif()
endfunction()

# corvend_test_program(<name>)
#
# What every GoogleTest binary gets: the warnings, registration with CTest, ThreadSanitizer's
# defaults for test programs (tests/support/SanitizerDefaults.cpp) in that tree, and, when
# CORVEND_UNITY_TESTS is on, its files compiled in batches (a unity build) while the libraries
# it tests still compile file by file, as a host's build does.
function(corvend_test_program name)
    corvend_set_warnings(${name})
    if(CORVEND_UNITY_TESTS)
        set_property(TARGET ${name} PROPERTY UNITY_BUILD ON)
    endif()
    if(CORVEND_TSAN)
        # Found from this file, not from the project: the quick start's test program is made
        # under a project() of its own.
        target_sources(${name} PRIVATE
            ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../tests/support/SanitizerDefaults.cpp)
    endif()
    # The time-outs only stop a hung program: on a busy machine the longest tests, which start
    # child hosts by the hundred, take minutes, and even listing the tests takes seconds.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 600)
endfunction()

# corvend_module(<name> DIR <dir> [DEPS <targets...>] [TEST_DEPS <targets...>])
#
# One layer: a static library from every *.cpp of <dir> except *_test.cpp, and its test binary
# <name>_test. DEPS are the layers (and outside libraries) below it; the layering check allows
# the files of <dir> to include the headers of <dir> and of the layers DEPS reach, nothing else.
function(corvend_module name)
    cmake_parse_arguments(ARG "" "DIR" "DEPS;TEST_DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${ARG_DIR}/*.cpp")
    list(FILTER sources EXCLUDE REGEX "_test\\.cpp$")
    if(sources)
        add_library(${name} STATIC ${sources})
        corvend_library_defaults(${name} PUBLIC)
        target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE corvend_dependencies)
        corvend_set_warnings(${name})
    else()
        add_library(${name} INTERFACE)
        corvend_library_defaults(${name} INTERFACE)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
    corvend_record_layer(${name} DIR ${ARG_DIR} DEPS ${ARG_DEPS})
    corvend_tests(${name}_test DIR ${ARG_DIR} DEPS ${name} ${ARG_TEST_DEPS})
endfunction()

# corvend_library_defaults(<name> PUBLIC|INTERFACE)
#
# What every library of the kit gives its users: the include root (the source tree when built,
# the installed include directory after installation) and C++23. Records the library for
# installation, lowest first.
function(corvend_library_defaults name scope)
    target_include_directories(${name} ${scope}
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    target_compile_features(${name} ${scope} cxx_std_23)
    set_property(GLOBAL APPEND PROPERTY CORVEND_LIBRARIES ${name})
endfunction()

# corvend_record_layer(<name> [DIR <dir>] [DEPS <targets...>])
#
# Records a layer for the layering check; a layer without DIR only groups others.
function(corvend_record_layer name)
    cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
    set_property(GLOBAL APPEND PROPERTY CORVEND_LAYERS ${name})
    set_property(GLOBAL PROPERTY CORVEND_LAYER_DIR_${name} "${ARG_DIR}")
    set_property(GLOBAL PROPERTY CORVEND_LAYER_DEPS_${name} "${ARG_DEPS}")
endfunction()

# The folders a layer's files may include from: its own and those of every layer below it.
function(_corvend_layer_reach name out)
    set(reach)
    set(pending ${name})
    set(seen)
    while(pending)
        list(POP_FRONT pending current)
        if(current IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${current})
        get_property(dir GLOBAL PROPERTY CORVEND_LAYER_DIR_${current})
        get_property(deps GLOBAL PROPERTY CORVEND_LAYER_DEPS_${current})
        if(dir)
            list(APPEND reach ${dir})
        endif()
        list(APPEND pending ${deps})
    endwhile()
    set(${out} ${reach} PARENT_SCOPE)
endfunction()

# corvend_layering_test()
#
# Writes the layers' reach to the build tree and registers the check of every quoted
# #include against it as the CTest test "layering" (see cmake/CheckLayers.cmake).
function(corvend_layering_test)
    get_property(layers GLOBAL PROPERTY CORVEND_LAYERS)
    set(rules "# Generated: each layer folder and the folders its files may include from.\n")
    set(dirs)
    foreach(layer IN LISTS layers)
        get_property(dir GLOBAL PROPERTY CORVEND_LAYER_DIR_${layer})
        if(NOT dir)
            continue()
        endif()
        _corvend_layer_reach(${layer} reach)
        string(MAKE_C_IDENTIFIER "${dir}" key)
        string(APPEND rules "set(REACH_${key} \"${reach}\")\n")
        list(APPEND dirs ${dir})
    endforeach()
    string(APPEND rules "set(LAYER_DIRS \"${dirs}\")\n")
    file(WRITE ${PROJECT_BINARY_DIR}/layers.cmake "${rules}")
    if(CORVEND_BUILD_TESTS)
        add_test(NAME layering
                 COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR}
                         -DRULES=${PROJECT_BINARY_DIR}/layers.cmake
                         -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)
    endif()
endfunction()

# corvend_unity_standalone(<files...>)
#
# Keeps the files (paths relative to the source tree) out of the batches a unity build
# (CMAKE_UNITY_BUILD, the sanitizer trees) compiles as one: each defines a file-local name that
# a neighbour in its target defines too, or uses a file-local type in a class of its own.
function(corvend_unity_standalone)
    foreach(file IN LISTS ARGN)
        get_filename_component(dir ${file} DIRECTORY)
        set(scope ${PROJECT_SOURCE_DIR})
        foreach(subdirectory sandbox examples/wallet-cli tests/integration)
            if(dir STREQUAL subdirectory)
                set(scope ${PROJECT_SOURCE_DIR}/${subdirectory})
            endif()
        endforeach()
        set_source_files_properties(${PROJECT_SOURCE_DIR}/${file} DIRECTORY ${scope}
            PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endforeach()
endfunction()
