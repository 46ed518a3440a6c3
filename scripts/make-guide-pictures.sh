#!/usr/bin/env bash
# Makes the pictures of docs/guide.md from a fresh sample league: the real windows, driven
# offscreen in one font (DejaVu Sans, from the set-up), saved to docs/images/. Run it after a
# change of the windows and check the pictures in with it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"

build="$top/build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target brevane-cli brevane-guide-pictures

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/brevane-cli" sample-league "$work/league" >/dev/null
mkdir -p "$top/docs/images"
QT_QPA_PLATFORM=offscreen "$build/ui/brevane-guide-pictures" "$work/league/sample.lge" "$top/docs/images" 2>/dev/null
echo "pictures written to docs/images/"
