#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang clang-format clang-tidy llvm libclang-rt-14-dev libgtest-dev
          nlohmann-json3-dev libcli11-dev
          qt6-base-dev qt6-qpa-plugins fonts-dejavu-core xvfb xauth
          librsvg2-bin desktop-file-utils appstream dpkg-dev lintian)

"$(dirname "$0")/apt-install-missing.sh" "${packages[@]}"
