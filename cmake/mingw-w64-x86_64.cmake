# Cross-compiling for 64-bit Windows with MinGW-w64 from Debian
# (g++-mingw-w64-x86-64-posix: the POSIX thread model, which std::thread needs).
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BREVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BREVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BREVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${BREVANE_MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW tree only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${BREVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine, also when gtest_discover_tests lists their tests.
find_program(BREVANE_WINE wine)
if(BREVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BREVANE_WINE})
endif()
