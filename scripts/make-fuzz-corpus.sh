#!/usr/bin/env bash
# Makes the seed corpora of the fuzz targets from sample leagues written by brevane-cli
# (versions 2 and 3, stages 2 and 5, with the sibling .SAL) and from the harnesses' own
# minimal league. The seeds are generated, never committed.
#
#   scripts/make-fuzz-corpus.sh BUILD [OUT]
#
# BUILD is a fuzz build folder holding tools/brevane-cli and fuzz/fuzz-seed; OUT (default
# BUILD/fuzz-seeds) receives one folder per target: league players list stats money salreg fro sal
# offers recovery.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD [OUT]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
out=${2:-$build/fuzz-seeds}
cli=$build/tools/brevane-cli
pack=$build/fuzz/fuzz-seed
for tool in "$cli" "$pack"; do
    [ -x "$tool" ] || { echo "$0: $tool is not built" >&2; exit 1; }
done

targets=(league players list stats money salreg fro sal offers recovery)
rm -rf "$out"
for t in "${targets[@]}"; do
    mkdir -p "$out/$t"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Seeds are kept small so that every execution stays fast: the player file is cut to its
# first records and the statistics file to its first lines (the harnesses read whatever
# arrives, so a cut file is as good a start as a whole one).
cut_file() { # SOURCE BYTES TARGET
    head -c "$2" "$1" >"$3"
}
file_or_dash() {
    if [ -f "$1" ]; then echo "$1"; else echo -; fi
}

n=0
for teams in 8 10; do
    for version in 2 3; do
        for stage in 2 5; do
            n=$((n + 1))
            d=$work/l$n
            extra=()
            # One league without a free-agent file.
            [ $n -eq 3 ] && extra+=(--no-free-agents)
            "$cli" sample-league "$d" --teams "$teams" --version "$version" --stage "$stage" \
                --seed "$n" --sal "${extra[@]}" >/dev/null
            record=$([ "$version" -eq 2 ] && echo 51 || echo 60)
            cut_file "$d/sample.pyr" $((record * 160)) "$d/cut.pyr"
            cut_file "$d/sample.dat" $((140 + 20 * 300)) "$d/cut.dat"
            name=t${teams}v${version}s${stage}

            "$pack" league "$out/league/$name" "$d/sample.lge" "$d/cut.pyr" "$(file_or_dash "$d/sample.pyf")" \
                "$(file_or_dash "$d/sample.pyc")" "$d/cut.dat" $((n % 2 == 0 ? 8 : 0))
            "$pack" players "$out/players/$name" "$d/sample.lge" "$d/cut.pyr"
            [ -f "$d/sample.pyf" ] && "$pack" list "$out/list/$name-pyf" $((n % 2 == 0 ? 2 : 0)) "$d/sample.pyf"
            [ -f "$d/sample.pyc" ] && "$pack" list "$out/list/$name-pyc" $((n % 2 == 0 ? 3 : 1)) "$d/sample.pyc"
            cut_file "$d/sample.dat" $((140 + 20 * 500)) "$out/stats/$name"
            cp "$d/sample.FRO" "$out/fro/$name"
            cp "$d/sample.SAL" "$out/sal/$name"
        done
    done
done

# The minimal league the single-file harnesses open.
mkdir -p "$work/min"
"$pack" minimal "$work/min"
m=$work/min/fuzz
"$pack" league "$out/league/minimal" "$m.lge" "$m.pyr" "$m.pyf" "$m.pyc" "$m.dat" 6
"$pack" players "$out/players/minimal" "$m.lge" "$m.pyr"
"$pack" list "$out/list/minimal-pyf" 2 "$m.pyf"
"$pack" list "$out/list/minimal-pyc" 1 "$m.pyc"
cp "$m.dat" "$out/stats/minimal"

# Offer files of every type for clubs of the minimal league, and the folders a write-back
# killed at each of its renames leaves.
"$pack" offers "$out/offers"
"$pack" recovery "$out/recovery"

# The options file as the program writes it (defaults, version 5), and as older and newer
# versions and a cut file.
d=$work/l2
"$cli" salary "$d/sample.lge" >/dev/null
cp "$d/salreg" "$out/salreg/v5"
for v in 3 4 6; do
    { printf "\\x0$v"; tail -c +2 "$d/salreg"; } >"$out/salreg/v$v"
done
cut_file "$d/salreg" 1000 "$out/salreg/cut"

# Money text as users type it.
i=0
for text in '$1,500,000' '1,000' '-250' '12 34' '007' '' '$' '3,000,000,000' '2147483647' '2147483648' \
    '$4,294,967,295' 'abc9x'; do
    i=$((i + 1))
    printf '%s' "$text" >"$out/money/t$i"
done

for t in "${targets[@]}"; do
    echo "seeds $t: $(ls "$out/$t" | wc -l)"
done
