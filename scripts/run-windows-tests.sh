#!/usr/bin/env bash
# The Windows part of the tests: builds Tolvik.dll, the contract model, brevane-cli.exe and the
# unit tests of league/, stats/, contracts/ and tools/ with MinGW-w64, runs the unit tests under
# Wine (headless), and runs brevane-cli.exe sample-league / league / salary --build / payroll,
# whose files and JSON must be byte for byte those of the native brevane-cli on the same
# sample league. The windows (ui/) are not built: there is no Qt for MinGW among our packages.
#
#   scripts/run-windows-tests.sh [NATIVE_BREVANE_CLI]
#
# NATIVE_BREVANE_CLI defaults to build-test/tools/brevane-cli (built there when missing).
# BREVANE_WINDOWS_BUILD overrides the build folder (default build-windows); the Wine prefix
# lives inside it. The last line reads "windows: N passed, M failed".
set -uo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=${BREVANE_WINDOWS_BUILD:-$top/build-windows}
native_cli=${1:-$top/build-test/tools/brevane-cli}

passed=0
failed=0
pass() {
    passed=$((passed + 1))
    echo "windows: ok: $1"
}
fail() {
    failed=$((failed + 1))
    echo "windows: FAILED: $1"
}
seconds_since() {
    awk -v from="$1" -v to="$EPOCHREALTIME" 'BEGIN { printf "%.1f", to - from }'
}
finish() {
    [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1
    local IFS=,
    echo "windows: times:${times[*]:-}; total $(seconds_since "$started") s"
    echo "windows: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}
times=()
started=$EPOCHREALTIME
step_started=$started
lap() {
    times+=(" $1 $(seconds_since "$step_started") s")
    step_started=$EPOCHREALTIME
}

if ! "$top/scripts/install-windows-deps.sh"; then
    fail "the MinGW-w64 compiler and Wine cannot be installed"
    finish
fi
lap install

# Wine without a display, its prefix in the build folder, no questions about Mono or Gecko.
mkdir -p "$build"
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# A fresh prefix takes a while; it is made once, while the compiler works.
prefix_log=$build/wineprefix.log
prefix_time=$build/wineprefix.time
if [ -f "$WINEPREFIX/system.reg" ]; then
    echo "reused" >"$prefix_time"
    prefix_pid=
else
    (
        begun=$EPOCHREALTIME
        wineboot -i && wineserver -w
        echo "$(seconds_since "$begun") s" >"$prefix_time"
    ) >"$prefix_log" 2>&1 </dev/null &
    prefix_pid=$!
fi

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DBREVANE_BENCH=OFF >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; fail "configure"; finish; }
if cmake --build "$build" -j2; then
    pass "build (Tolvik.dll, contracts, brevane-cli.exe, unit tests)"
else
    fail "build"
    finish
fi
lap build

if [ -n "$prefix_pid" ] && ! wait "$prefix_pid"; then
    cat "$prefix_log"
    fail "the Wine prefix cannot be made"
    finish
fi
times+=(" wine prefix $(cat "$prefix_time") (made beside the build)")
# One server and Wine's own services for the whole run, started apart from the programs under
# test: services started by a test would inherit its output and keep it open after its end.
(wineserver -p && wine cmd /c exit) </dev/null >/dev/null 2>&1
step_started=$EPOCHREALTIME

# The unit tests: each program runs once, two at a time; gtest's own counts are taken.
programs=(league_tests stats_tests contracts_tests tools_tests)
run_program() {
    (cd "$build/tests" && timeout 900 wine "$build/bin/$1.exe") >"$build/$1.log" 2>&1
    echo $? >"$build/$1.status"
}
for ((i = 0; i < ${#programs[@]}; i += 2)); do
    run_program "${programs[i]}" &
    [ $((i + 1)) -lt ${#programs[@]} ] && run_program "${programs[i + 1]}"
    wait
done
# The names of the tests a finished gtest log (Windows line ends) lists as failed, joined as a
# gtest filter.
failed_tests() {
    tr -d '\r' <"$1" | sed -n '/tests\?, listed below:$/,$p' | sed -nE 's/^\[  FAILED  \] ([A-Za-z0-9_/]+\.[A-Za-z0-9_/.]+).*/\1/p' |
        paste -sd: -
}
for program in "${programs[@]}"; do
    log=$build/$program.log
    ok=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$log" | tail -n 1)
    bad=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$log" | tail -n 1)
    total=$(sed -nE 's/^\[==========\] ([0-9]+) tests? from .* ran\..*/\1/p' "$log" | tail -n 1)
    ok=${ok:-0}
    bad=${bad:-0}
    # Wine is an emulation of Windows that the tests share with a loaded machine: a test that
    # failed runs once more on its own. One that passes then is reported by name as unsteady
    # under Wine and counted as passed; one that fails again stays failed. A crash or a hang
    # (no count from gtest) is never run again.
    again=$(failed_tests "$log")
    shown=0
    if [ -n "$total" ] && [ "$bad" -gt 0 ] && [ -n "$again" ]; then
        grep -E ': Failure|^\[  FAILED  \]|error|exception|thrown in' "$log" | head -n 40
        shown=1
        if (cd "$build/tests" && timeout 600 wine "$build/bin/$program.exe" --gtest_filter="$again") \
            >"$build/$program.again.log" 2>&1; then
            echo "windows: $program.exe: unsteady under Wine, failed once and passed when run again: $again"
            ok=$((ok + bad))
            bad=0
            echo 0 >"$build/$program.status"
        else
            grep -E ': Failure|^\[  FAILED  \]|error|exception|thrown in' "$build/$program.again.log" | head -n 40
            echo "windows: $program.exe: failed again when run on their own: $again"
        fi
    fi
    passed=$((passed + ok))
    failed=$((failed + bad))
    if [ "$(cat "$build/$program.status")" != 0 ] || [ -z "$total" ]; then
        [ "$shown" -eq 0 ] && grep -E ': Failure|^\[  FAILED  \]|error|exception|thrown in' "$log" | head -n 40
        # A crash or a hang: the tests it did not get to count as one failure.
        [ "$bad" -eq 0 ] && failed=$((failed + 1))
        echo "windows: $program.exe failed (exit status $(cat "$build/$program.status"); log in $log)"
    fi
    echo "windows: $program.exe: $ok passed, $bad failed"
done
lap "unit tests"

# brevane-cli.exe against the native program, each in a folder of its own (so no folder can
# show in the output), on the same sample league: the same seed makes the same files.
if [ ! -x "$native_cli" ]; then
    cmake -S "$top" -B "$top/build-test" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBREVANE_BENCH=OFF >/dev/null &&
        cmake --build "$top/build-test" -j2 --target brevane-cli >/dev/null
fi
cli=$build/cli
rm -rf "$cli"
mkdir -p "$cli/windows-league" "$cli/native-league"
windows_folder=$(winepath -w "$cli/windows-league")
windows_cli() {
    timeout 300 wine "$build/bin/brevane-cli.exe" "$@"
}

# Runs a command on both; the check passes when both succeed and print the same bytes.
compare() {
    local name=$1 command=$2
    shift 2
    local what="brevane-cli.exe $command${*:+ $*}"
    windows_cli "$command" "$windows_folder\\sample.lge" "$@" >"$cli/windows-$name.json" 2>"$cli/windows-$name.err"
    local windows_status=$?
    "$native_cli" "$command" "$cli/native-league/sample.lge" "$@" >"$cli/native-$name.json" 2>"$cli/native-$name.err"
    local native_status=$?
    if [ $windows_status -ne 0 ] || [ $native_status -ne 0 ]; then
        cat "$cli/windows-$name.err" "$cli/native-$name.err"
        fail "$what (exit status $windows_status under Wine, $native_status native)"
    elif ! cmp -s "$cli/windows-$name.json" "$cli/native-$name.json"; then
        diff "$cli/windows-$name.json" "$cli/native-$name.json" | head -n 20
        fail "$what: the JSON differs from the native program's"
    else
        pass "$what ($(wc -c <"$cli/native-$name.json") bytes, as the native program's)"
    fi
}

if ! windows_cli sample-league "$windows_folder" --no-salary >"$cli/windows-sample.txt" 2>&1; then
    cat "$cli/windows-sample.txt"
    fail "brevane-cli.exe sample-league"
elif ! "$native_cli" sample-league "$cli/native-league" --no-salary >"$cli/native-sample.txt" 2>&1; then
    cat "$cli/native-sample.txt"
    fail "the native brevane-cli sample-league"
else
    pass "brevane-cli.exe sample-league"
    compare league league
    compare salary salary --build
    compare payroll payroll
    # What both wrote, the sample league and the salary information built, is the same too.
    if diff -r "$cli/windows-league" "$cli/native-league" >"$cli/folders.diff"; then
        pass "the league's files written under Wine and natively are the same"
    else
        head -n 20 "$cli/folders.diff"
        fail "the league's files written under Wine differ from the native ones"
    fi
fi
lap brevane-cli
finish
