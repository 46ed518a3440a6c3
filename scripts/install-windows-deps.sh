#!/usr/bin/env bash
# Installs what the build for Windows and its tests need, when any is missing: the MinGW-w64
# compiler (POSIX thread model), Wine to run the Windows programs, and GoogleTest's sources,
# which the build compiles with MinGW (Debian has no MinGW package of it).
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest)

"$(dirname "$0")/apt-install-missing.sh" "${packages[@]}"
