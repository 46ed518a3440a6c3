#!/usr/bin/env bash
# Installs what the build for Windows and its tests need, when any is missing: the MinGW-w64
# compiler (POSIX thread model), Wine to run the Windows programs, GoogleTest's sources,
# which the build compiles with MinGW (Debian has no MinGW package of it), the host's Qt
# (its moc, rcc and uic serve the Qt for Windows, scripts/build-windows-qt.sh), the icon's
# tools, NSIS for the installer, a virtual X server, and fonts: DejaVu for the offscreen
# window tests, Wine's own for the programs on Wine's windows (a bare prefix has none).
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest qt6-base-dev librsvg2-bin icoutils nsis unzip
          xvfb xauth fonts-dejavu-core fonts-wine)

"$(dirname "$0")/apt-install-missing.sh" "${packages[@]}"
