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
commands=$(mktemp -d)
trap 'rm -rf "$log" "$commands"' EXIT
# clang-tidy cannot read GCC's precompiled headers: it gets the commands without them, and so
# also checks that every source includes what it uses.
sed -E 's# -Winvalid-pch -include [^ "]*/cmake_pch\.hxx##g' "$build/compile_commands.json" \
    >"$commands/compile_commands.json"
# (The commands that make the precompiled headers themselves are left: no source is checked by them.)
if grep "\"command\":.*cmake_pch" "$commands/compile_commands.json" | grep -qv -- "-x c++-header"; then
    echo "naming: the build's commands name a precompiled header in a form this check does not know"
    exit 1
fi
# Sources of the five layers only; tests, benchmarks and fuzz targets follow the layer they test.
run-clang-tidy -p "$commands" -j2 -quiet "^$top/(league|stats|contracts|tools|ui)/.*\.cpp$" >"$log" 2>&1
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
