# Cross build for 32-bit Windows with Debian's MinGW-w64; the programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_STRIP i686-w64-mingw32-strip)

# libpng and libjpeg are built for i686 by scripts/setup into build/deps/i686; zlib comes from
# Debian's libz-mingw-w64-dev.
get_filename_component(PELLUCOR_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
if(DEFINED ENV{PELLUCOR_DEPS})
  set(PELLUCOR_DEPS $ENV{PELLUCOR_DEPS})
else()
  set(PELLUCOR_DEPS ${PELLUCOR_ROOT}/build/deps/i686)
endif()
set(CMAKE_FIND_ROOT_PATH ${PELLUCOR_DEPS} /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows test programs under Wine, in the project's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${PELLUCOR_ROOT}/scripts/wine-run)
