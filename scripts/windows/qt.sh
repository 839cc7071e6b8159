#!/usr/bin/env bash
# Cross-builds Debian's own Qt 6.4.2 (qt6-base source package) for 64-bit Windows, once, into
# a cache folder keyed by Qt's version and by this script, its patches and the toolchain file;
# later runs on the same machine reuse it. Prints the prefix of the Windows Qt on stdout.
# Only Core, Gui, Widgets and Test are built, with the windows and offscreen platforms: the game
# needs no OpenGL, SQL, network, D-Bus, printing or XML.
# Usage: scripts/windows/qt.sh   (BRINDORA_CACHE sets the cache root; default /var/cache/brindora)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
toolchain=$top/cmake/mingw-w64-x86_64.cmake
qt_version=6.4.2

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
need=(mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev
      qt6-base-dev qt6-base-dev-tools xz-utils)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}" >&2
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
case "$host_version" in
    "$qt_version"*) ;;
    *) echo "qt.sh: the host Qt is $host_version, the Windows Qt must be the same ($qt_version)" >&2; exit 1 ;;
esac

key=$(cat "$0" "$toolchain" "$here"/qt-patches/*.patch | sha256sum | cut -c1-12)
cache=${BRINDORA_CACHE:-/var/cache/brindora}
prefix=$cache/qt-$qt_version-mingw64-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

# Debian's source package, with Debian's own patches applied by dpkg-source.
work=$cache/qt-build-$key
$sudo mkdir -p "$cache"
[ -w "$cache" ] || $sudo chown "$(id -u):$(id -g)" "$cache"
rm -rf "$work"
mkdir -p "$work"
if ! apt-get source --help >/dev/null 2>&1 || ! apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: $qt_version"; then
    if [ ! -f /etc/apt/sources.list.d/brindora-src.sources ]; then
        printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
            'Suites: bookworm bookworm-updates' 'Components: main' \
            'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
            $sudo tee /etc/apt/sources.list.d/brindora-src.sources >/dev/null
    fi
    $sudo apt-get update -qq
fi
(cd "$work" && apt-get source -qq "qt6-base=$(apt-cache showsrc qt6-base | sed -n "s/^Version: \($qt_version.*\)/\1/p" | head -1)" >&2)
src=$(echo "$work"/qt6-base-*/)
for p in "$here"/qt-patches/*.patch; do
    patch -d "$src" -p1 --forward --quiet < "$p" >&2
done

cmake -G Ninja -S "$src" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_GENERATE_SBOM=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_testlib=ON \
    -DFEATURE_directwrite3=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF \
    -DFEATURE_zstd=OFF -DFEATURE_icu=OFF \
    >"$work/configure.log" 2>&1 || { tail -40 "$work/configure.log" >&2; exit 1; }
nice -n 5 cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
    { grep -m5 -B2 -A8 -E "error|FAILED" "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >"$work/install.log" 2>&1
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
