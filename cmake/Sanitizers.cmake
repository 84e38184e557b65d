# AddressSanitizer + UndefinedBehaviorSanitizer for the core and its tests.
add_library(veltrix_sanitizers INTERFACE)
if(VELTRIX_SANITIZE OR VELTRIX_FUZZ)
    set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(veltrix_sanitizers INTERFACE ${_san})
    target_link_options(veltrix_sanitizers INTERFACE ${_san})
endif()
# GCC's flow analysis sees the instrumented code and reports variables inside
# libstdc++ (std::regex, std::function) as maybe uninitialised; the release
# build, which checks our own code, keeps the warning.
if((VELTRIX_SANITIZE OR VELTRIX_FUZZ) AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(veltrix_sanitizers INTERFACE -Wno-maybe-uninitialized)
endif()
