# One place for the warning flags every target of the project builds with.
add_library(qlx_warnings INTERFACE)
target_compile_options(qlx_warnings INTERFACE -Wall -Wextra -Wpedantic)
# The sanitizers' instrumentation keeps paths alive that GCC then warns about falsely (-Warray-bounds
# on Qt's empty byte array, for one), so a sanitized build reports warnings without failing on them;
# the normal build is the one that holds the code to no warnings.
if(QLX_WERROR AND NOT QLX_SANITIZE)
  target_compile_options(qlx_warnings INTERFACE -Werror)
endif()
