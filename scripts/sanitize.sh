#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UBSan into build-asan/ and runs the suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test >/dev/null
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DBRINDORA_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/../scripts/lsan.supp:print_suppressions=0
# The real desktops (label desktop) run in the ordinary build: under the sanitizers a window
# manager's timing, not our code, decides whether they pass.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" -LE desktop
