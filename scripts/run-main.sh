#!/usr/bin/env bash
# Builds the project, writes the sample league (once), prints its summary and payroll table,
# and opens it in the program Brevane. Without a display (no DISPLAY or WAYLAND_DISPLAY)
# the program runs on a virtual X server instead and leaves a picture of its main window
# in build/brevane.png.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"

build="$top/build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target brevane-cli Brevane

cli="$build/tools/brevane-cli"
league="$build/sample-league/sample.lge"
if [ ! -f "$league" ]; then
    "$cli" sample-league "$build/sample-league"
fi
"$cli" summary "$league"
if "$cli" --help | grep -q payroll; then
    echo
    "$cli" payroll "$league"
fi

echo
program="$build/ui/Brevane"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "Opening $league in Brevane"
    "$program" "$league"
else
    picture="$build/brevane.png"
    rm -f "$picture"
    # The first club is managed and its first listed player shown, as a user would pick them.
    xvfb-run -a -s "-screen 0 1024x768x24" "$program" --team 0 --player first --screenshot "$picture" "$league"
    echo "No display: Brevane ran on a virtual X server; its main window is pictured in $picture"
fi
