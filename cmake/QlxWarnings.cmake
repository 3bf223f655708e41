# One place for the warning flags every target of the project builds with.
add_library(qlx_warnings INTERFACE)
target_compile_options(qlx_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(QLX_WERROR)
  target_compile_options(qlx_warnings INTERFACE -Werror)
endif()
