#!/usr/bin/env bash
# Builds the project and runs the main job on the sample league the project writes itself.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"

build="$top/build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target brevane-cli

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
