#!/usr/bin/env bash
# Builds, then runs the whole suite while busy loops hold every core, as on a loaded CI
# machine: a test that leans on the machine's speed fails here. The loops are stopped
# afterwards, whatever happens to the suite; the exit status is the suite's.
# Usage: scripts/stress-test.sh [extra ctest arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test >/dev/null
bash scripts/build.sh test >/dev/null

loops=()
stop_loops() {
    for pid in "${loops[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait "${loops[@]}" 2>/dev/null || true
}
trap stop_loops EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

cores=$(nproc)
for _ in $(seq "$cores"); do
    (while :; do :; done) &
    loops+=($!)
done
echo "stress-test: $cores busy loops running"

cd build
status=0
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$cores" "$@" || status=$?
exit "$status"
