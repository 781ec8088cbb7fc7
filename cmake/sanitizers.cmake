# The sanitizer build (the linux-asan preset, clang): AddressSanitizer and UndefinedBehaviorSanitizer
# throughout, every report fatal. The code also carries libFuzzer's coverage instrumentation, so
# that the fuzz targets (fuzz/) link against the very library that the tests run.
option(PELLUCOR_SANITIZE "Build with ASan, UBSan and the fuzz targets (needs clang)" OFF)
if(PELLUCOR_SANITIZE)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "PELLUCOR_SANITIZE needs clang for libFuzzer; the linux-asan preset chooses it")
  endif()
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  add_compile_definitions(PELLUCOR_SANITIZED)
endif()
