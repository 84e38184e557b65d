# AddressSanitizer + UndefinedBehaviorSanitizer for the core and its tests.
add_library(veltrix_sanitizers INTERFACE)
if(VELTRIX_SANITIZE OR VELTRIX_FUZZ)
    set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(veltrix_sanitizers INTERFACE ${_san})
    target_link_options(veltrix_sanitizers INTERFACE ${_san})
endif()
