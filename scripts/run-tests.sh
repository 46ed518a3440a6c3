#!/usr/bin/env bash
# Builds and runs every test: the format check, the unit tests in a normal build, the naming
# check of the data members (clang-tidy on that build), the Debian
# package made from that build and used from where it is unpacked, the unit tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets, and the build for
# Windows with its tests under Wine (scripts/run-windows-tests.sh), the programs' windows
# included (the Qt for Windows they need is built beside the other stages when missing).
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" || exit 1

passed=0
failed=0
status=0

# Each stage's wall time, printed at the end: the command must fit a CI's time limit.
stage_times=()
stage_name=
stage_started=
stage() {
    [ -z "$stage_name" ] || stage_times+=("$stage_name $((SECONDS - stage_started)) s")
    stage_name=$1
    stage_started=$SECONDS
    [ -z "$1" ] || echo "== $1 =="
}
stage_times+=("packages $SECONDS s")

# The Qt for Windows (made from Debian's sources, half an hour of two cores) is built once per
# machine. When the cache lacks it, it is built from the start, at the lowest priority, so it
# takes what the native stages leave idle; the Windows stage waits for it, but only until
# BREVANE_WINDOWS_QT_WAIT minutes (default 75) after the command started: a machine too slow
# for that would not finish in time, so the build is stopped there and the programs are
# reported as not tested. BREVANE_BUILD_WINDOWS_QT=0 leaves the Windows programs out instead.
qt_build_pid=
not_tested=
if [ "${BREVANE_BUILD_WINDOWS_QT:-1}" = 1 ] && ! "$top/scripts/build-windows-qt.sh" --cached >/dev/null 2>&1; then
    qt_build_log=$(mktemp)
    echo "== Qt for Windows: not in the cache; built beside the other stages (log: $qt_build_log) =="
    # In a process group of its own, so that it can be stopped as a whole.
    setsid nice -n 19 "$top/scripts/build-windows-qt.sh" >"$qt_build_log" 2>&1 </dev/null &
    qt_build_pid=$!
fi

count_ctest() {
    # ctest prints "N% tests passed, F tests failed out of T".
    local log=$1 line total fails
    line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -n 1)
    if [ -z "$line" ]; then
        failed=$((failed + 1))
        return
    fi
    total=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
    fails=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed.*/\1/')
    passed=$((passed + total - fails))
    failed=$((failed + fails))
}

run_suite() {
    local name=$1 build=$2; shift 2
    stage "$name"
    cmake -S "$top" -B "$build" -G Ninja "$@" >/dev/null || { status=1; failed=$((failed + 1)); return; }
    if ! cmake --build "$build" -j2; then
        status=1
        failed=$((failed + 1))
        return
    fi
    local log="$build/ctest.log"
    (cd "$build" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --output-on-failure -j2 --timeout 600) 2>&1 | tee "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    if grep -qE "runtime error:|ERROR: (Address|Leak)Sanitizer" "$log"; then
        echo "$name: sanitizer report found"
        status=1
    fi
    count_ctest "$log"
}

stage "format"
if ! "$top/scripts/check-format.sh"; then
    status=1
    failed=$((failed + 1))
fi

run_suite "unit tests" "$top/build-test" -DCMAKE_BUILD_TYPE=Debug -DBREVANE_BENCH=OFF
# The naming check reads the unit-test build's compilation database (and its generated headers).
stage "naming"
if "$top/scripts/check-naming.sh" "$top/build-test"; then
    passed=$((passed + 1))
else
    status=1
    failed=$((failed + 1))
fi
stage "Debian package"
if "$top/scripts/check-package.sh" "$top/build-test"; then
    passed=$((passed + 1))
else
    status=1
    failed=$((failed + 1))
fi

run_suite "unit tests under sanitizers" "$top/build-asan" -DCMAKE_BUILD_TYPE=Debug -DBREVANE_BENCH=OFF \
    -DBREVANE_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++

if [ -x "$top/scripts/run-fuzz.sh" ]; then
    stage "fuzz targets"
    if "$top/scripts/run-fuzz.sh" "${FUZZ_SECONDS:-20}"; then
        passed=$((passed + 1))
    else
        status=1
        failed=$((failed + 1))
    fi
fi

# ---- Windows: the MinGW-w64 build, its unit tests and brevane-cli.exe under Wine ----------
# Compares brevane-cli.exe with the native build's program, so it runs after the unit tests.
stage "windows (MinGW-w64 build, tests under Wine)"
if [ -n "$qt_build_pid" ]; then
    waited=$EPOCHREALTIME
    wait_limit=$((${BREVANE_WINDOWS_QT_WAIT:-75} * 60))
    while kill -0 "$qt_build_pid" 2>/dev/null && [ "$SECONDS" -lt "$wait_limit" ]; do
        sleep 5
    done
    if kill -0 "$qt_build_pid" 2>/dev/null; then
        kill -TERM -- "-$qt_build_pid" 2>/dev/null
        wait "$qt_build_pid" 2>/dev/null
        tail -n 3 "$qt_build_log"
        not_tested="the Windows programs and their window tests (the Qt for Windows was not built within ${BREVANE_WINDOWS_QT_WAIT:-75} minutes of the start)"
        echo "windows: NOT TESTED: $not_tested"
        export BREVANE_BUILD_WINDOWS_QT=0
    elif wait "$qt_build_pid"; then
        echo "windows: $(grep -h "built in" "$qt_build_log" | tail -n 1)" \
            "(waited $(awk -v from="$waited" -v to="$EPOCHREALTIME" 'BEGIN { printf "%d", to - from }') s for it)"
    else
        tail -n 40 "$qt_build_log"
        echo "windows: FAILED: the Qt for Windows could not be built: the programs and their tests are left out"
        status=1
        failed=$((failed + 1))
        # Not again in the Windows stage: it would only fail a second time.
        export BREVANE_BUILD_WINDOWS_QT=0
    fi
    rm -f "$qt_build_log"
fi
windows_log=$(mktemp)
"$top/scripts/run-windows-tests.sh" "$top/build-test/tools/brevane-cli" 2>&1 | tee "$windows_log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
windows_counts=$(sed -nE 's/^windows: ([0-9]+) passed, ([0-9]+) failed$/\1 \2/p' "$windows_log" | tail -n 1)
rm -f "$windows_log"
if [ -n "$windows_counts" ]; then
    passed=$((passed + ${windows_counts% *}))
    failed=$((failed + ${windows_counts#* }))
else
    status=1
    failed=$((failed + 1))
fi
# ---- end of the Windows part ---------------------------------------------------------------

stage ""
echo
echo "times: $(IFS=,; echo "${stage_times[*]}" | sed 's/,/, /g'); total $SECONDS s"
echo "total: $passed passed, $failed failed"
[ -z "$not_tested" ] || echo "not tested on this run: $not_tested"
exit $status
