#!/usr/bin/env bash
# Rebuilds assets/europe_map.png, its state mask, its country raster and the @2x, @3x, @4x
# copies of map and mask from Natural Earth, and docs/map_colour_vision.png.
# With --fit, first fits the warp again and rewrites warp.txt.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
assets="$here/../../assets"
cd "$here"
[ -f node_modules/world-atlas/countries-10m.json ] || npm ci --no-audit --no-fund
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 >/dev/null
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
./build/mapgen node_modules/world-atlas/countries-10m.json warp.txt \
    "$assets/europe_map.png" "$assets/europe_map_mask.png" \
    --countries "$assets/europe_map_countries.png" \
    --vision "$here/../../docs/map_colour_vision.png" "$@"
