#!/usr/bin/env bash
# Builds the Debian packages from a configured build folder (libtolvikN, libtolvik-dev,
# brevane, and -dbgsym packages when the build has debug information), has lintian check
# them (any error or warning fails), installs the three with dpkg into a throwaway root,
# and uses what is there as a user would: brevane-cli --help, a sample league written and
# its payroll printed, Brevane started offscreen on that league, the manual pages and
# desktop files checked, and another program built against the installed Tolvik
# (find_package). Fails when anything is missing, when running the programs wrote anything
# inside the root, or when removing the packages leaves anything behind.
#
#   scripts/check-package.sh BUILD
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" -j2
rm -f "$build"/*.deb "$build"/*.ddeb
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
major=${version%%.*}
arch=$(dpkg --print-architecture)
library=libtolvik$major
names=("$library" libtolvik-dev brevane)
debs=()
for name in "${names[@]}"; do
    debs+=("$build/${name}_${version}_$arch.deb")
done
# A build with debug information gives it to -dbgsym packages.
ddebs=()
if grep -q 'set(CPACK_DEBIAN_DEBUGINFO_PACKAGE "ON")' "$build/CPackConfig.cmake"; then
    ddebs=("$build/$library-dbgsym_${version}_$arch.ddeb" "$build/brevane-dbgsym_${version}_$arch.ddeb")
fi
for f in "${debs[@]}" "${ddebs[@]}"; do
    [ -f "$f" ] || { echo "cpack made no $(basename "$f")"; ls "$build"/*.*deb; exit 1; }
    echo "package: $(basename "$f")"
done
made=$(find "$build" -maxdepth 1 \( -name "*.deb" -o -name "*.ddeb" \) | wc -l)
expected=$((${#debs[@]} + ${#ddebs[@]}))
[ "$made" -eq "$expected" ] || { echo "cpack made $made packages instead of $expected:"; ls "$build"/*.*deb; exit 1; }

# The dependencies: brevane on the library through its shlibs, the headers on this very build.
depends() { dpkg-deb -f "$build/${1}_${version}_$arch.deb" Depends; }
depends brevane | sed 's/^/depends: /'
depends brevane | grep -q "libqt6widgets6" || { echo "the dependencies of brevane were not computed"; exit 1; }
depends brevane | grep -qF "$library (>= $version)" || { echo "brevane does not depend on $library"; exit 1; }
depends libtolvik-dev | grep -qF "$library (= $version)" || { echo "libtolvik-dev does not depend on $library"; exit 1; }
[ "$(dpkg-deb -I "${debs[0]}" shlibs)" = "libTolvik $major $library (>= $version)" ] ||
    { echo "$library has no shlibs file for libTolvik.so.$major"; exit 1; }
[ "$(dpkg-deb -I "${debs[0]}" triggers)" = "activate-noawait ldconfig" ] ||
    { echo "$library has no ldconfig trigger"; exit 1; }

# Debian's package checker: no error and no warning.
lintian_status=0
lintian --fail-on error,warning "${debs[@]}" "${ddebs[@]}" >"$work/lintian.log" 2>&1 || lintian_status=$?
grep -v "running with root privileges" "$work/lintian.log" || true
[ "$lintian_status" -eq 0 ] || { echo "lintian found errors or warnings"; exit 1; }
echo "lintian: no errors, no warnings"

# Every dependency can be met here: apt plans the installation without doing it.
apt-get install --simulate -qq "${debs[@]}" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }

# The packages installed into a root of their own. That root's package database holds
# only them, so dpkg is told not to look there for the system's libraries (which apt has
# just found installed); the dependencies between the three are checked as usual.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status"
ours=$(IFS='|'; echo "${names[*]}")
external=$(for f in "${debs[@]}"; do dpkg-deb -f "$f" Depends; done | tr ',|' '\n\n' |
    sed -E 's/^ *([^ ]+).*/\1/' | grep -vxE "$ours" | sort -u | paste -sd, -)
dpkg --root="$root" --ignore-depends="$external" -i "${debs[@]}" >"$work/dpkg.log" 2>&1 ||
    { cat "$work/dpkg.log"; exit 1; }
echo "dpkg installed ${names[*]} into a throwaway root"

bin=$root/usr/bin
lib=$root/usr/lib
for f in "$bin/Brevane" "$bin/Brevane-FrontOffice" "$bin/brevane-cli" "$lib/libTolvik.so.$major"; do
    [ -e "$f" ] || { echo "missing from the packages: ${f#"$root"}"; exit 1; }
done
objdump -p "$lib/libTolvik.so.$major" | grep -q "SONAME *libTolvik.so.$major$" ||
    { echo "libTolvik's soname is not libTolvik.so.$major"; exit 1; }
desktop-file-validate "$root/usr/share/applications/org.brevane.Brevane.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.brevane.Brevane.metainfo.xml" >/dev/null
for size in 16 32 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/org.brevane.Brevane.png" ] ||
        { echo "missing icon ${size}x${size}"; exit 1; }
done

# The manual pages: one per program, and brevane-cli's lists every command it has.
for program in Brevane Brevane-FrontOffice brevane-cli; do
    [ -f "$root/usr/share/man/man1/$program.1.gz" ] || { echo "no manual page for $program"; exit 1; }
done
listed=$(zcat "$root/usr/share/man/man1/brevane-cli.1.gz" | sed -nE 's/^\.SS "([^ "]+).*/\1/p' | sed 's/\\-/-/g')
commands=$("$bin/brevane-cli" --help | sed -n '/^Subcommands:/,/^$/p' | sed -nE 's/^  ([^ ]+).*/\1/p')
[ -n "$commands" ] || { echo "brevane-cli --help lists no commands"; exit 1; }
for command in $commands; do
    grep -qxF "$command" <<<"$listed" || { echo "brevane-cli's manual page misses '$command'"; exit 1; }
done
echo "manual pages: brevane-cli's lists its $(wc -w <<<"$commands") commands"

# What the root holds before the programs run; it must hold exactly that afterwards.
(cd "$root" && find . -print0 | sort -z | xargs -0 ls -ld --time-style=+%s.%N) >"$work/before"

"$bin/brevane-cli" --help | grep -q "sample-league"
"$bin/brevane-cli" --version
league=$work/league
"$bin/brevane-cli" sample-league "$league" >/dev/null
"$bin/brevane-cli" payroll "$league/sample.lge" | head -n 4
QT_QPA_PLATFORM=offscreen "$bin/Brevane" "$league/sample.lge" --team 0 --screenshot "$work/window.png" >/dev/null
[ -s "$work/window.png" ] || { echo "Brevane from the package showed no window"; exit 1; }
echo "Brevane from the package opened the sample league"

(cd "$root" && find . -print0 | sort -z | xargs -0 ls -ld --time-style=+%s.%N) >"$work/after"
diff -u "$work/before" "$work/after" || { echo "running the programs changed the installed tree"; exit 1; }

# Another program links the installed library through its package configuration.
consumer=$work/consumer
mkdir -p "$consumer"
cat >"$consumer/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(TolvikConsumer CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(Tolvik 1 REQUIRED)
add_executable(consumer main.cpp)
target_link_libraries(consumer PRIVATE Tolvik::Tolvik)
CMAKE
cat >"$consumer/main.cpp" <<'CPP'
#include "league/MoneyText.h"
#include <iostream>
int main() { std::cout << FormatMoney(1500000) << '\n'; }
CPP
cmake -S "$consumer" -B "$consumer/build" -G Ninja -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null
cmake --build "$consumer/build" >/dev/null
out=$(LD_LIBRARY_PATH="$lib" "$consumer/build/consumer")
[ "$out" = '$1,500,000' ] || { echo "the program built against the installed Tolvik printed '$out'"; exit 1; }
echo "a program built with find_package(Tolvik) runs"

# Removed again, the packages leave nothing behind but dpkg's own records.
dpkg --root="$root" --purge "${names[@]}" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; exit 1; }
left=$(cd "$root" && find . -mindepth 1 -not -path "./var" -not -path "./var/lib" -not -path "./var/lib/dpkg*")
[ -z "$left" ] || { echo "removing the packages left:"; echo "$left"; exit 1; }
echo "dpkg removed the packages and left nothing behind"
echo "package: all checks passed"
