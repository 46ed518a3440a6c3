#!/usr/bin/env bash
# Measures the line coverage of league/, stats/ and contracts/ reached by the fuzz corpora:
# builds the fuzz targets once more with clang's source-based coverage (in build-fuzz-cov),
# runs every input of the corpora of scripts/run-fuzz.sh once, merges the profiles and
# prints llvm-cov's report of those three folders.
#
#   scripts/fuzz-coverage.sh
#
# BREVANE_FUZZ_BUILD names the fuzz build whose corpora are replayed (default build-fuzz),
# BREVANE_FUZZ_COV_BUILD the coverage build (default build-fuzz-cov).
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
fuzzBuild=${BREVANE_FUZZ_BUILD:-$top/build-fuzz}
build=${BREVANE_FUZZ_COV_BUILD:-$top/build-fuzz-cov}
targets=(league players list stats money salreg fro sal offers recovery)
profdata=$(command -v llvm-profdata-14 || command -v llvm-profdata)
cov=$(command -v llvm-cov-14 || command -v llvm-cov)

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREVANE_FUZZ=ON -DBREVANE_COVERAGE=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DBREVANE_TESTS=OFF -DBREVANE_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}" >/dev/null

profiles=$build/fuzz-profiles
rm -rf "$profiles"
mkdir -p "$profiles"
objects=()
for t in "${targets[@]}"; do
    inputs=()
    for d in "$fuzzBuild/fuzz-corpus/$t" "$fuzzBuild/fuzz-seeds/$t" "$top/tests/regressions/$t"; do
        [ -d "$d" ] && inputs+=("$d")
    done
    if [ ${#inputs[@]} -eq 0 ]; then
        echo "no corpus for $t: run scripts/run-fuzz.sh first" >&2
        exit 1
    fi
    # -runs=0: every input of the corpora once, no fuzzing.
    LLVM_PROFILE_FILE="$profiles/$t-%p.profraw" ASAN_OPTIONS=detect_leaks=0 \
        "$build/fuzz/fuzz_$t" -runs=0 "${inputs[@]}" >"$profiles/$t.log" 2>&1
    objects+=(-object "$build/fuzz/fuzz_$t")
    echo "replayed $t: $(find "${inputs[@]}" -type f | wc -l) inputs"
done
"$profdata" merge -sparse "$profiles"/*.profraw -o "$profiles/merged.profdata"
# Everything outside league/, stats/ and contracts/ is left out of the report.
"$cov" report "${objects[@]:1}" -instr-profile="$profiles/merged.profdata" \
    -ignore-filename-regex='(^/usr/|/fuzz/|/tools/|/tests/)' | tee "$profiles/report.txt"
# Lines per folder (columns 8 and 9 of the report: lines, missed lines).
awk '$1 ~ /^(league|stats|contracts)\// { split($1, p, "/"); n[p[1]] += $8; m[p[1]] += $9 }
     END { for (f in n) printf "%s/: %d of %d lines, %.2f%%\n", f, n[f] - m[f], n[f], 100 * (n[f] - m[f]) / n[f] }' \
    "$profiles/report.txt" | sort
