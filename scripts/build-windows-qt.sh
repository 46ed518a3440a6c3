#!/usr/bin/env bash
# Makes a Qt 6 for 64-bit Windows (MinGW-w64) from Debian's own qt6-base sources, of the same
# version as the host's qt6-base-dev, whose moc, rcc and uic the cross-build uses. Only what
# the program's windows need is built: Core, Gui (with PDF), Widgets, Test, the Windows and
# offscreen platform plugins, the styles. The result goes into a cache folder outside the
# checkout, keyed by the Qt version, the compiler and these switches, and is reused while it
# is there:
#
#   scripts/build-windows-qt.sh          # prints the Qt's folder as its last line
#   scripts/build-windows-qt.sh --cached # the same, but only when it is built already; else
#                                        # exits with status 2 and builds nothing
#
# BREVANE_CACHE_DIR overrides where the cache lives (default /var/cache/brevane, or
# ~/.cache/brevane for a user who cannot write there). The build's log stays beside the Qt.
set -euo pipefail

cached_only=false
case "${1:-}" in
--cached) cached_only=true ;;
"") ;;
*)
    echo "usage: $0 [--cached]" >&2
    exit 64
    ;;
esac

top=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$top/cmake/mingw-w64-x86_64.cmake
compiler=x86_64-w64-mingw32-g++-posix

$cached_only || "$top/scripts/install-windows-deps.sh" >&2

if [ -n "${BREVANE_CACHE_DIR:-}" ]; then
    cache=$BREVANE_CACHE_DIR
elif mkdir -p /var/cache/brevane 2>/dev/null && [ -w /var/cache/brevane ]; then
    cache=/var/cache/brevane
else
    cache=${XDG_CACHE_HOME:-$HOME/.cache}/brevane
fi
mkdir -p "$cache"

# The host's tools and the sources must be of one version.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
upstream=${upstream%%-*}

# Lean: the modules and plugins the windows do not use are off. Tablet events need wintab,
# which Debian's source leaves out for its licence; OpenGL stays on (dynamic, loaded at run
# time) because the Windows platform plugin of this version does not build without it; the
# offscreen plugin needs FreeType. Qt's own copies of zlib, libpng, FreeType, HarfBuzz, PCRE2
# and the rest go into its DLLs, so nothing from the MinGW tree (Wine brings a zlib1.dll) is
# needed beside them.
switches=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF -DFEATURE_testlib=ON
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_freetype=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_system_libb2=OFF -DFEATURE_system_textmarkdownreader=OFF
    # Widgets, dialogs, text formats and image formats the windows never show or read; each
    # one off is compile time saved on every machine that builds this Qt.
    -DFEATURE_graphicsview=OFF -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF
    -DFEATURE_colordialog=OFF -DFEATURE_fontdialog=OFF -DFEATURE_wizard=OFF -DFEATURE_dial=OFF
    -DFEATURE_lcdnumber=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_commandlinkbutton=OFF
    -DFEATURE_fontcombobox=OFF -DFEATURE_splashscreen=OFF -DFEATURE_syntaxhighlighter=OFF
    -DFEATURE_toolbox=OFF -DFEATURE_columnview=OFF -DFEATURE_datawidgetmapper=OFF
    -DFEATURE_errormessage=OFF -DFEATURE_undoview=OFF -DFEATURE_undogroup=OFF
    -DFEATURE_undostack=OFF -DFEATURE_undocommand=OFF -DFEATURE_systemtrayicon=OFF
    -DFEATURE_sessionmanager=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
    -DFEATURE_textodfwriter=OFF -DFEATURE_movie=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
    -DFEATURE_imageformat_ppm=OFF -DFEATURE_imageformat_xbm=OFF
    # HarfBuzz stays, though a tenth of the build: without its kerning some captions come out
    # a pixel wider than on other systems, and windows laid out to fit them grow.
)
# Debian's patches that change what this build compiles or installs: the security fix of the
# text layout, and the one that keeps the build folder out of the installed CMake files. The
# other security fixes concern modules left out (network, SQL); the rest concern Debian's own
# Linux packaging or other processors.
patches=(cve-2023-32763.diff build_path_embedded_qtbuildinternalsextra_cmake.patch)
# Our own fixes of this Qt version's build, applied after Debian's.
own_patches=("$top"/packaging/windows/qt-patches/*.patch)

key=$( {
    echo "$version"
    "$compiler" --version | head -n 1
    cat "$toolchain"
    printf '%s\n' "${switches[@]}" "${patches[@]}"
    cat "${own_patches[@]}"
} | sha256sum | cut -c1-12)
prefix=$cache/qt-$upstream-mingw-$key
log=$cache/qt-$upstream-mingw-$key.log

if $cached_only; then
    if [ -f "$prefix/brevane-qt.done" ]; then
        echo "$prefix"
        exit 0
    fi
    echo "No Qt for Windows in $cache (scripts/build-windows-qt.sh builds it)" >&2
    exit 2
fi
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/brevane-qt.done" ]; then
    echo "$prefix"
    exit 0
fi

echo "Building Qt $version for Windows into $prefix (log: $log); this takes a while" >&2
started=$EPOCHREALTIME
work=$cache/build-qt-$key
rm -rf "$prefix" "$work"
mkdir -p "$work" "$prefix"
{
    set -x
    # Debian's sources: the system's own archives and suites as deb-src entries, when apt does
    # not know the sources of the host's version yet.
    if ! apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $version"; then
        system=/etc/apt/sources.list.d/debian.sources
        entry=/etc/apt/sources.list.d/brevane-debian-src.sources
        as_root=()
        [ "$(id -u)" -eq 0 ] || as_root=(sudo)
        if grep -q '^Types: deb$' "$system" 2>/dev/null; then
            sed 's/^Types: deb$/Types: deb-src/' "$system" | "${as_root[@]}" tee "$entry" >/dev/null
        else
            "${as_root[@]}" tee "$entry" >/dev/null <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $(. /etc/os-release && echo "$VERSION_CODENAME")
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
        fi
        "${as_root[@]}" apt-get update -qq
    fi
    cd "$work"
    apt-get source --download-only -qq "qt6-base=$version"
    tar xf qt6-base_*.orig.tar.xz
    tar xf qt6-base_*.debian.tar.xz
    source=$(ls -d "$work"/qtbase-everywhere-src-*)
    for patch in "${patches[@]}"; do
        patch -d "$source" -p1 --forward <"$work/debian/patches/$patch"
    done
    for patch in "${own_patches[@]}"; do
        patch -d "$source" -p1 --forward <"$patch"
    done

    # Qt records its toolchain file; a copy in the cache keeps the Qt usable without the checkout.
    cp "$toolchain" "$prefix/brevane-toolchain.cmake"
    launcher=()
    if command -v ccache >/dev/null; then
        # Qt's precompiled headers are cached only with this sloppiness.
        export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$source" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$prefix/brevane-toolchain.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$prefix" "${launcher[@]}" "${switches[@]}"
    nice -n 10 cmake --build "$work/build" -j2
    cmake --install "$work/build"
} >"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    echo "The Qt for Windows could not be built; the log is $log" >&2
    exit 1
}
rm -rf "$work"
seconds=$(awk -v from="$started" -v to="$EPOCHREALTIME" 'BEGIN { printf "%d", to - from }')
echo "Qt $version for Windows built in $seconds s" | tee "$prefix/brevane-qt.done" >&2
echo "$prefix"
