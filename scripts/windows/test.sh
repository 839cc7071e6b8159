#!/usr/bin/env bash
# The Windows build's suite under Wine: every suite that does not need Linux, run through
# CTest with the build's wine-run.sh, and Windows' own cases (sound through PlaySoundW).
# Usage: scripts/windows/test.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/windows/build.sh
cd build-windows
export WINEPREFIX
WINEPREFIX=$(sed -n 's/^BRINDORA_WINE_PREFIX:PATH=//p' CMakeCache.txt)
# One wineserver for the whole run: each test is a Wine process, and a cold server costs
# seconds every time.
wineserver -p || true # (one may run already)
trap 'wineserver -k 2>/dev/null || true' EXIT
# Wine's own services start with the first program and keep its standard output open: they
# are started here, away from CTest's pipes, which would otherwise wait for them forever.
./wine-run.sh wineboot </dev/null >/dev/null 2>&1
ctest --output-on-failure -j"$(nproc)" "$@"
