#!/usr/bin/env bash
# The Windows build, from this Debian machine, in one command: installs what it needs from
# Debian (mingw-w64, Wine, Qt's source package and its build tools), cross-builds Qt once into
# a cache (scripts/windows/qt.sh), builds brindora.exe and its tests, and makes the folder that
# runs on a Windows 10 or 11 PC as it is: build-windows/dist.
# Usage: scripts/windows/build.sh   (BRINDORA_CACHE: where Qt's build is kept)
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/windows/setup.sh
qt=$(bash scripts/windows/qt.sh)
build=build-windows
cmake -G Ninja -S . -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DBRINDORA_TESTS=ON >/dev/null
# The Wine prefix first: the build runs one of its own tools under Wine.
prefix=$(sed -n 's/^BRINDORA_WINE_PREFIX:PATH=//p' "$build/CMakeCache.txt")
[ -f "$prefix/system.reg" ] || bash scripts/windows/wine-prefix.sh "$prefix"
cmake --build "$build" -j"$(nproc)"
rm -rf "$build/dist"
cmake --install "$build" --prefix "$build/dist" --strip >/dev/null
# Debian's mingw runtime keeps its debugging symbols (libstdc++-6.dll is 24 MB with them).
find "$build/dist" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
echo "Windows folder: $build/dist ($(du -sh "$build/dist" | cut -f1))"
