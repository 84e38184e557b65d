# Warning flags shared by every target of the project (not by third-party code).
add_library(veltrix_warnings INTERFACE)
target_compile_options(veltrix_warnings INTERFACE
    -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    -Wno-unused-parameter)
# GCC can limit shadowing warnings to locals; clang (the fuzzing build) cannot.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(veltrix_warnings INTERFACE -Wshadow=local)
endif()
if(VELTRIX_WERROR)
    target_compile_options(veltrix_warnings INTERFACE -Werror)
endif()
