#!/usr/bin/env bash
# The Windows part of the tests: builds Tolvik.dll, the contract model, brevane-cli.exe, the
# programs Brevane.exe and Brevane-FrontOffice.exe and the unit tests with MinGW-w64 against a
# Qt for Windows made from Debian's sources (scripts/build-windows-qt.sh: built once per
# machine, about half an hour the first time), and under Wine:
# - runs the unit tests, the window tests among them offscreen, and the tests that start the
#   real program on a virtual X server;
# - runs brevane-cli.exe sample-league / league / salary --build / payroll, whose files and
#   JSON must be byte for byte those of the native brevane-cli on the same sample league;
# - makes the zip and the installer, installs silently into the Wine prefix, starts the
#   installed program on the sample league and uninstalls it.
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

# The Qt for Windows: built here when the cache lacks it (scripts/build-windows-qt.sh, about
# half an hour of two cores the first time); with BREVANE_BUILD_WINDOWS_QT=0 the programs and
# their tests are built only when it is in the cache already.
qt=
if [ "${BREVANE_BUILD_WINDOWS_QT:-1}" = 1 ]; then
    if qt=$("$top/scripts/build-windows-qt.sh"); then
        # Reported by the run under the virtual X server below, which this one becomes.
        [ -z "${BREVANE_WINE_DISPLAY:-}" ] || pass "the Qt for Windows ($qt)"
    else
        fail "the Qt for Windows cannot be built: the programs and their tests are left out"
        qt=
    fi
    lap qt
elif qt=$("$top/scripts/build-windows-qt.sh" --cached 2>/dev/null); then
    echo "windows: the Qt for Windows is in the cache ($qt): the programs and their tests are built"
else
    qt=
    echo "windows: no Qt for Windows in the cache: the programs and their tests are left out" \
        "(scripts/build-windows-qt.sh makes it)"
fi

# With the programs, the whole run has one virtual X server: Wine's desktop process, started
# by the first program that opens a window and serving every later one, must have a display,
# or the programs' windows are never shown.
if [ -n "$qt" ] && [ -z "${BREVANE_WINE_DISPLAY:-}" ]; then
    export BREVANE_WINE_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# Wine (without a display unless the programs need one), its prefix in the build folder, no
# questions about Mono or Gecko.
mkdir -p "$build"
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
[ -n "$qt" ] || unset DISPLAY
unset WAYLAND_DISPLAY
# A server left by an earlier run may serve a desktop without this display.
[ -n "$qt" ] && wineserver -k >/dev/null 2>&1

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
    -DBREVANE_WINDOWS_QT="$qt" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DBREVANE_BENCH=OFF \
    >"$build/configure.log" 2>&1 || { cat "$build/configure.log"; fail "configure"; finish; }
if cmake --build "$build" -j2; then
    pass "build (Tolvik.dll, contracts, brevane-cli.exe, ${qt:+the programs, }unit tests)"
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
# The programs on Wine's own windows ask for the system's dialog faces; without a replacement
# Wine picks a face in which Qt draws no text into line edits. DejaVu Sans stands in for them.
if [ -n "$qt" ]; then
    faces=$build/wine-font-replacements.reg
    {
        printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for face in "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "Segoe UI" "Tahoma"; do
            printf '"%s"="DejaVu Sans"\r\n' "$face"
        done
    } >"$faces"
    wine regedit /S "$(winepath -w "$faces")" </dev/null >/dev/null 2>&1 || fail "the Wine prefix's font replacements"
fi
step_started=$EPOCHREALTIME

# The unit tests: each program runs once, two at a time; gtest's own counts are taken. The
# window tests draw offscreen with the fonts Qt is shown (a bare prefix has few), and start the
# real program on Wine's windows, on the run's virtual X server.
programs=(league_tests stats_tests contracts_tests tools_tests)
[ -n "$qt" ] && programs=(ui_tests "${programs[@]}")
# Wine hands no QT_ variable to Windows programs; WINEQT_... reaches them as QT_...
export WINEQT_QPA_FONTDIR
WINEQT_QPA_FONTDIR=$(winepath -w /usr/share/fonts/truetype/dejavu)
run_program() {
    (cd "$build/tests" && timeout 900 wine "$build/bin/$1.exe") >"$build/$1.log" 2>&1
    echo $? >"$build/$1.status"
}
for program in "${programs[@]}"; do
    run_program "$program" &
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do
        wait -n
    done
done
wait
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

# The zip and the installer; the installer installs silently (for all users, as Wine's user is
# an administrator), the installed program opens the sample league, the uninstaller removes it.
if [ -n "$qt" ]; then
    rm -f "$build"/Brevane-*-windows-x86_64.*
    if ! (cd "$build" && cpack -G "NSIS;ZIP") >"$build/cpack.log" 2>&1; then
        tail -n 30 "$build/cpack.log"
        fail "cpack: the zip and the installer"
        finish
    fi
    installer=$(ls "$build"/Brevane-*-windows-x86_64.exe)
    zip=$(ls "$build"/Brevane-*-windows-x86_64.zip)
    listing=$(unzip -Z1 "$zip")
    missing=
    for file in bin/Brevane.exe bin/Brevane-FrontOffice.exe bin/brevane-cli.exe bin/Tolvik.dll bin/Qt6Core.dll \
        bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6OpenGL.dll bin/platforms/qwindows.dll bin/styles/qwindowsvistastyle.dll \
        bin/libstdc++-6.dll bin/libgcc_s_seh-1.dll bin/libwinpthread-1.dll; do
        grep -qx "[^/]*/$file" <<<"$listing" || missing+=" $file"
    done
    extra=$(grep -E '/(include|lib)/|Qt6Test|qoffscreen' <<<"$listing" | head -n 3)
    if [ -n "$missing" ] || [ -n "$extra" ]; then
        fail "the zip lacks${missing:- nothing} and holds ${extra:-nothing else}"
    else
        pass "the zip holds the programs and what they load, and nothing for developers ($(wc -l <<<"$listing") files)"
    fi

    installed=$(winepath -u 'C:\Program Files\Brevane')
    menu=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Brevane')
    timeout 300 wine "$installer" /S >"$build/install.log" 2>&1
    if [ -f "$installed/bin/Brevane.exe" ] && [ -f "$installed/bin/platforms/qwindows.dll" ] &&
        [ -f "$installed/Uninstall.exe" ] && [ -f "$menu/Brevane.lnk" ] && [ -f "$menu/Brevane Front Office.lnk" ]; then
        pass "the installer installs silently, with the Start-menu entries and the uninstaller"
    else
        cat "$build/install.log"
        fail "the installer did not install the program, its Start-menu entries and its uninstaller"
    fi

    picture=$build/installed-brevane.png
    rm -f "$picture"
    timeout 300 wine "$installed/bin/Brevane.exe" --team 0 \
        --screenshot "$(winepath -w "$picture")" "$windows_folder\\sample.lge" >"$build/installed-run.log" 2>&1
    run_status=$?
    if [ $run_status -eq 0 ] && grep -q "saved to" "$build/installed-run.log" && [ -s "$picture" ]; then
        pass "the installed Brevane.exe opens the sample league and shows its main window"
    else
        cat "$build/installed-run.log"
        fail "the installed Brevane.exe (exit status $run_status)"
    fi

    # The uninstaller copies itself away and returns at once; the removal is waited for.
    timeout 300 wine "$installed/Uninstall.exe" /S >"$build/uninstall.log" 2>&1
    waited=0
    while { [ -e "$installed/bin" ] || [ -e "$menu" ]; } && [ $waited -lt 120 ]; do
        sleep 0.5
        waited=$((waited + 1))
    done
    if [ ! -e "$installed/bin" ] && [ ! -e "$menu" ]; then
        pass "the uninstaller removes the program and its Start-menu entries"
    else
        cat "$build/uninstall.log"
        fail "the uninstaller left the program or its Start-menu entries"
    fi
    rm -rf "$installed"
    lap installer
fi
finish
