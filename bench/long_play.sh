#!/usr/bin/env bash
# Runs bench_long_play in the real window: Xvfb 1920x1080 with openbox, and a private
# PulseAudio server with a null sink, so the game's sounds are really played.
# Usage: bench/long_play.sh [build-dir=build] [bench_long_play arguments...]
# BENCH_WRAP="heaptrack -o /tmp/lp" runs it under a tool.
# Needs: xvfb (xvfb-run), openbox, pulseaudio.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ $# -gt 0 ] && shift
exe=$(realpath -m "$build/bench/bench_long_play")
[ -x "$exe" ] || { echo "no $exe: configure the build with -DBRINDORA_BENCH=ON" >&2; exit 1; }
folder=$(mktemp -d /tmp/brindora-long-play-XXXXXX)
trap 'kill $(cat "$folder"/pids 2>/dev/null) 2>/dev/null || true; rm -rf "$folder"' EXIT
echo "autospawn = no" >"$folder/client.conf"
HOME=$folder XDG_RUNTIME_DIR=$folder PULSE_RUNTIME_PATH=$folder PULSE_STATE_PATH=$folder \
    PULSE_COOKIE=$folder/cookie pulseaudio --daemonize=no --system=false --exit-idle-time=-1 -n \
    --use-pid-file=no --disallow-exit --log-level=error --load="module-null-sink sink_name=bench" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$folder/native" \
    >"$folder/pulse.log" 2>&1 &
echo $! >>"$folder/pids"
export XDG_RUNTIME_DIR=$folder PULSE_SERVER=unix:$folder/native PULSE_CLIENTCONFIG=$folder/client.conf \
    PULSE_COOKIE=$folder/cookie
for _ in $(seq 100); do [ -S "$folder/native" ] && break; sleep 0.1; done
export exe folder wrap="${BENCH_WRAP:-}"
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
    openbox >/dev/null 2>&1 &
    echo $! >>"$folder/pids"
    sleep 1
    $wrap "$exe" "$@"
' bench "$@"
