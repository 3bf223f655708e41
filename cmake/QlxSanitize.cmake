# QLX_SANITIZE builds every target with AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer.
# Set directory-wide before any target exists, so that the libraries, the program, the tests and their
# helper programs all carry the same runtime. Undefined behaviour stops the program, so that a test
# cannot pass over it.
if(QLX_SANITIZE)
  set(QLX_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${QLX_SANITIZE_FLAGS})
  add_link_options(${QLX_SANITIZE_FLAGS})
endif()
