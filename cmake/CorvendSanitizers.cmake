# AddressSanitizer + UndefinedBehaviorSanitizer for the whole build when CORVEND_SANITIZE is on.
option(CORVEND_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(CORVEND_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    # Position-dependent programs: the undefined-behaviour checks' data (tens of MB unoptimised)
    # is then not relocated at each start, which the tests' hundreds of processes pay for.
    add_link_options(-fsanitize=address,undefined -no-pie)
endif()

# ThreadSanitizer for the whole build; it cannot be combined with AddressSanitizer.
option(CORVEND_TSAN "Build with ThreadSanitizer" OFF)
if(CORVEND_TSAN)
    if(CORVEND_SANITIZE)
        message(FATAL_ERROR "CORVEND_TSAN and CORVEND_SANITIZE exclude each other")
    endif()
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# The libFuzzer targets of fuzz/ (clang only): the code they reach is built with coverage
# feedback, AddressSanitizer and UndefinedBehaviorSanitizer.
option(CORVEND_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(CORVEND_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "CORVEND_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
