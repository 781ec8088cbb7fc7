# The coverage build (the coverage preset, clang): clang's source-based coverage throughout, so that
# scripts/coverage can say which lines and branches of the program the native tests run.
option(PELLUCOR_COVERAGE "Build with clang's source-based coverage (needs clang)" OFF)
if(PELLUCOR_COVERAGE)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "PELLUCOR_COVERAGE needs clang; the coverage preset chooses it")
  endif()
  add_compile_options(-fprofile-instr-generate -fcoverage-mapping)
  add_link_options(-fprofile-instr-generate)
endif()
