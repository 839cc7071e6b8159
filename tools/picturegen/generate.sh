#!/bin/bash
# Rebuilds the generator and redraws every picture of assets/ (except the map).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${PICTUREGEN_BUILD:-/tmp/picturegen-build}"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2
QT_QPA_PLATFORM=offscreen "$build/picturegen" "$root/assets" "$root/packaging/icons"
