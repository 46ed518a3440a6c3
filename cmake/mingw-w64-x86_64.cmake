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

# A Qt for Windows made by scripts/build-windows-qt.sh, in the folder given as
# -DBREVANE_WINDOWS_QT=...: its libraries are searched there, its tools (moc, rcc, uic) are
# the host's, of the same version.
if(BREVANE_WINDOWS_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${BREVANE_WINDOWS_QT})
  set(QT_HOST_PATH /usr CACHE PATH "The host's Qt, whose tools a build for Windows uses")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "The host Qt's CMake files")
endif()
