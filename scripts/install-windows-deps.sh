#!/usr/bin/env bash
# Installs what the build for Windows and its tests need, when any is missing: the MinGW-w64
# compiler (POSIX thread model), Wine to run the Windows programs, and GoogleTest's sources,
# which the build compiles with MinGW (Debian has no MinGW package of it).
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest)

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
