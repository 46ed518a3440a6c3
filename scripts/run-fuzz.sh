#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, address and undefined-behaviour sanitizers) in
# build-fuzz, makes their seed corpora from sample leagues, and runs every target for
# SECONDS seconds (default 20). Fails on any crash, leak, timeout, out-of-memory or
# sanitizer report, and prints the executions each target ran and their rate. Installs nothing: the
# packages come from scripts/install-deps.sh.
#
#   scripts/run-fuzz.sh [SECONDS]
#
# BREVANE_FUZZ_BUILD overrides the build folder. Each target's growing corpus stays in
# BUILD/fuzz-corpus/<target>, its log in BUILD/fuzz-logs and a crashing input in
# BUILD/fuzz-artifacts/<target>/ (keep it under tests/regressions/<target>/ once fixed).
set -uo pipefail

seconds=${1:-20}
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BREVANE_FUZZ_BUILD:-$top/build-fuzz}
targets=(league players list stats money salreg fro sal offers recovery)

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREVANE_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DBREVANE_TESTS=OFF -DBREVANE_BENCH=OFF >/dev/null || exit 1
if ! cmake --build "$build" -j2 --target brevane-cli fuzz-seed "${targets[@]/#/fuzz_}"; then
    echo "fuzz: the targets do not build"
    exit 1
fi
"$top/scripts/make-fuzz-corpus.sh" "$build" "$build/fuzz-seeds" >/dev/null || {
    echo "fuzz: the seed corpora cannot be made"
    exit 1
}

mkdir -p "$build/fuzz-logs"
status=0
total=0
for t in "${targets[@]}"; do
    corpus=$build/fuzz-corpus/$t
    artifacts=$build/fuzz-artifacts/$t
    log=$build/fuzz-logs/$t.log
    mkdir -p "$corpus" "$artifacts"
    # New inputs go into the first folder; seeds and kept regressions are only read.
    inputs=("$corpus" "$build/fuzz-seeds/$t")
    [ -d "$top/tests/regressions/$t" ] && inputs+=("$top/tests/regressions/$t")

    # A 16 MB quarantine still holds everything one input frees, so a use after free within
    # an input is caught; with it and five frames of allocation stack per block the
    # allocator no longer costs a third of an execution. Run a crashing input again by
    # hand (without these options) for the full stacks.
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1:quarantine_size_mb=16:malloc_context_size=5 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "${inputs[@]}" >"$log" 2>&1
    rc=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    runs=${runs:-0}
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    rate=${rate:-0}
    total=$((total + runs))
    if [ $rc -ne 0 ] || grep -qE "ERROR: (Address|Leak|Undefined)Sanitizer|runtime error:|fuzz property violated|ERROR: libFuzzer" "$log"; then
        status=1
        echo "fuzz_$t: FAILED after $runs executions (exit $rc); log $log"
        grep -E "ERROR:|runtime error:|fuzz property violated|SUMMARY|Test unit written" "$log" | head -n 10
    else
        echo "fuzz_$t: $runs executions in ${seconds}s ($rate per second), 0 crashes, corpus $(ls "$corpus" | wc -l) files"
    fi
done
echo "fuzz: $total executions in all"
exit $status
