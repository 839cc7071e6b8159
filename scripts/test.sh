#!/usr/bin/env bash
# Sets up what is missing, builds the game with its tests and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
bash scripts/build.sh test
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
