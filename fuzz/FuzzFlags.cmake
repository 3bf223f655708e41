# QLX_FUZZ builds the fuzz targets with clang's libFuzzer. The whole tree is instrumented for
# coverage and built with the address and undefined-behaviour sanitizers, so that the fuzzer sees
# into the readers and any fault of theirs stops it. Included before any target exists.
if(QLX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QLX_FUZZ needs clang with libFuzzer (CC=clang CXX=clang++); "
                        "this build uses ${CMAKE_CXX_COMPILER_ID}.")
  endif()
  set(QLX_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(-fsanitize=fuzzer-no-link ${QLX_FUZZ_FLAGS})
  add_link_options(${QLX_FUZZ_FLAGS})
endif()
