# Warning flags shared by every target of the project (not by third-party code).
add_library(veltrix_warnings INTERFACE)
target_compile_options(veltrix_warnings INTERFACE
    -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    -Wshadow=local -Wno-unused-parameter)
if(VELTRIX_WERROR)
    target_compile_options(veltrix_warnings INTERFACE -Werror)
endif()
