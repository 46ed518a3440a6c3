#!/usr/bin/env bash
# From the start of the process to the main window shown with the sample league open and the
# club chosen, for Brevane.exe under Wine on a virtual X server: `wine Brevane.exe --team 0
# --quit-when-shown LEAGUE`, timed from the start of wine until the program says the window
# is shown. Wine's server runs already, as it does on a desktop where Wine is in use; the
# first start is shown apart. The counterpart of the native bench/ui_start.cpp.
#
#   bench/wine_ui_start.sh [runs] [platform]
#
# Uses the build and the Wine prefix of scripts/run-windows-tests.sh (BREVANE_WINDOWS_BUILD,
# default build-windows). The platform is windows (default) or offscreen. Prints the first
# start, the median and whether the target (3 s) is met.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=${BREVANE_WINDOWS_BUILD:-$top/build-windows}
runs=${1:-11}
platform=${2:-windows}
target_ms=3000

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$runs" "$platform"
fi
# Wine hands no QT_ variable to Windows programs; WINEQT_... reaches them as QT_...
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEQT_QPA_PLATFORM=$platform
export WINEQT_QPA_FONTDIR
WINEQT_QPA_FONTDIR=$(winepath -w /usr/share/fonts/truetype/dejavu)
program=$build/bin/Brevane.exe
[ -f "$program" ] || { echo "wine_ui_start: $program not built (scripts/run-windows-tests.sh)" >&2; exit 1; }

folder=$(mktemp -d)
trap 'rm -rf "$folder"; wineserver -k 2>/dev/null || true' EXIT
wine "$build/bin/brevane-cli.exe" sample-league "$(winepath -w "$folder")" >/dev/null
league="$(winepath -w "$folder")\\sample.lge"
# A server kept running and Wine's services started, as on a desktop where Wine is in use.
wineserver -p 2>/dev/null || true
wine cmd /c exit </dev/null >/dev/null 2>&1

ms_since() {
    awk -v from="$1" -v to="$EPOCHREALTIME" 'BEGIN { printf "%.0f", (to - from) * 1000 }'
}
shown=()
for ((run = 0; run < runs; run++)); do
    started=$EPOCHREALTIME
    took=
    while IFS= read -r line; do
        if [[ $line == *"shown with the league open"* ]]; then
            took=$(ms_since "$started")
        fi
    done < <(wine "$program" --team 0 --quit-when-shown "$league" 2>/dev/null)
    if [ -z "$took" ]; then
        echo "wine_ui_start: start $((run + 1)) did not show the league" >&2
        exit 1
    fi
    shown+=("$took")
done

echo "all starts (ms): ${shown[*]}"
median=$(printf '%s\n' "${shown[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
echo "sample league; Brevane.exe --team 0 under Wine ($(wine --version)), platform $platform"
echo "process start to the main window shown, league open, club chosen:"
printf '  first start:       %8d ms\n' "${shown[0]}"
printf '  median of %2d:      %8d ms\n' "$runs" "$median"
if [ "$median" -lt "$target_ms" ]; then
    echo "target < $target_ms ms: met"
else
    echo "target < $target_ms ms: MISSED"
    exit 1
fi
