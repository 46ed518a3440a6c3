#!/usr/bin/env bash
# Fails when a data member of the library, the model, the commands or the windows is named
# against the house style (.clang-tidy beside each folder; CONTRIBUTING.md says why). Uses the
# compilation database of a configured build (default: the unit-test build).
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-test}
if [ ! -f "$build/compile_commands.json" ]; then
    echo "naming: no compile_commands.json in $build (configure and build it first)"
    exit 1
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Sources of the five layers only; tests, benchmarks and fuzz targets follow the layer they test.
run-clang-tidy -p "$build" -j2 -quiet "^$top/(league|stats|contracts|tools|ui)/.*\.cpp$" >"$log" 2>&1
status=$?
if grep -qE "(warning|error): .*\[readability-identifier-naming" "$log"; then
    grep -E "(warning|error): .*\[readability-identifier-naming" "$log" | sort -u
    echo "naming: the members above break the naming style (CONTRIBUTING.md)"
    exit 1
fi
if [ $status -ne 0 ]; then
    tail -n 30 "$log"
    echo "naming: clang-tidy failed"
    exit 1
fi
echo "naming: every member named in the house style"
