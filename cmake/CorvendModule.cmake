include(GoogleTest)

# corvend_tests(<name> DIR <dir> [DEPS <targets...>])
#
# One GoogleTest binary <name> from the *_test.cpp files of <dir>, registered with CTest.
function(corvend_tests name)
    cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS "${ARG_DIR}/*_test.cpp")
    if(tests AND CORVEND_BUILD_TESTS)
        add_executable(${name} ${tests})
        target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
        corvend_set_warnings(${name})
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120)
    endif()
endfunction()

# corvend_module(<name> DIR <dir> [DEPS <targets...>] [TEST_DEPS <targets...>])
#
# One static library from every *.cpp of <dir> except *_test.cpp, and its test binary
# <name>_test.
function(corvend_module name)
    cmake_parse_arguments(ARG "" "DIR" "DEPS;TEST_DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${ARG_DIR}/*.cpp")
    list(FILTER sources EXCLUDE REGEX "_test\\.cpp$")
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
        corvend_set_warnings(${name})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
    corvend_tests(${name}_test DIR ${ARG_DIR} DEPS ${name} ${ARG_TEST_DEPS})
endfunction()
