# AddressSanitizer + UndefinedBehaviorSanitizer for the whole build when CORVEND_SANITIZE is on.
option(CORVEND_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(CORVEND_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
