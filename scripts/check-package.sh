#!/usr/bin/env bash
# Builds the Debian package from a configured build folder, unpacks it into a temporary
# root, and uses what is there as a user would: brevane-cli --help, a sample league written
# and its payroll printed, Brevane started offscreen on that league, the desktop files
# validated, and another program built against the installed Tolvik (find_package). Fails
# when anything is missing or when running the programs wrote anything inside the root.
#
#   scripts/check-package.sh BUILD
set -euo pipefail
build=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" -j2
rm -f "$build"/brevane_*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$build"/brevane_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends | sed 's/^/depends: /'
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || { echo "the dependencies were not computed"; exit 1; }

root=$work/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin
lib=$root/usr/lib
for f in "$bin/Brevane" "$bin/Brevane-FrontOffice" "$bin/brevane-cli" "$lib/libTolvik.so.1"; do
    [ -e "$f" ] || { echo "missing from the package: ${f#$root}"; exit 1; }
done
objdump -p "$lib/libTolvik.so.1" | grep -q "SONAME *libTolvik.so.1$" || { echo "libTolvik's soname is not libTolvik.so.1"; exit 1; }
desktop-file-validate "$root/usr/share/applications/org.brevane.Brevane.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.brevane.Brevane.metainfo.xml" >/dev/null
for size in 16 32 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/org.brevane.Brevane.png" ] ||
        { echo "missing icon ${size}x${size}"; exit 1; }
done

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
echo "package: all checks passed"
