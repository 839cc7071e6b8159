#!/usr/bin/env bash
# Configures and builds into build/: the game alone (play), or the game with its tests (test).
# A build folder set up for the tests keeps them when only the game is built.
# Usage: scripts/build.sh [play|test]
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-play}
if [ "$what" = test ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDORA_TESTS=ON >/dev/null
    cmake --build build -j"$(nproc)"
else
    if [ -f build/CMakeCache.txt ]; then
        cmake -S . -B build >/dev/null
    else
        cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDORA_TESTS=OFF >/dev/null
    fi
    cmake --build build -j"$(nproc)" --target brindora
fi
