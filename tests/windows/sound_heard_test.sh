#!/usr/bin/env bash
# The Windows sound output under Wine, heard on a PulseAudio null sink: a recording plays, a
# second call cuts the first, a missing file and an ADPCM file stay silent (PlaySound would
# decode ADPCM through Windows' codecs: it must never get it) and say why on standard error.
# Usage: sound_heard_test.sh WINE_RUN SOUND_PROBE_EXE
set -euo pipefail
wine_run=$1
probe=$2
for tool in pulseaudio parec sox; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 1; }
done
work=$(mktemp -d /tmp/brindora-winsound-XXXXXX)
pulse_pid=""
cleanup() {
    [ -n "$pulse_pid" ] && kill "$pulse_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A private server with nothing but a null sink, reachable only through its own socket.
export XDG_RUNTIME_DIR=$work/run HOME=$work/home
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --system=false --log-target=file:"$work/pulse.log" \
    -L "module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" \
    -L "module-null-sink sink_name=brindora_null" \
    -L "module-always-sink" >/dev/null 2>&1 &
pulse_pid=$!
export PULSE_SERVER=unix:$work/pulse.sock
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null || { echo "pulseaudio did not start"; cat "$work/pulse.log"; exit 1; }
pactl set-default-sink brindora_null

# The files: a long tone, a short one, and the same tone as ADPCM.
sox -n -r 22050 -c 1 -b 16 "$work/long.wav" synth 4 sine 440 vol 0.5
sox -n -r 22050 -c 1 -b 16 "$work/short.wav" synth 0.3 sine 880 vol 0.5
sox -n -r 22050 -c 1 -e ms-adpcm "$work/adpcm.wav" synth 3 sine 440 vol 0.5
win() { echo "Z:${1//\//\\}"; }

fail=0
# Runs the probe with its arguments while recording the sink; prints the loudness (RMS) of the
# recording from FROM to TO seconds after the probe started, for each "FROM-TO" asked.
listen() {
    local name=$1; shift
    local spans=$1; shift
    parec --latency-msec=200 -d brindora_null.monitor --rate=22050 --channels=1 --format=s16le \
        >"$work/$name.raw" 2>/dev/null &
    local rec=$!
    sleep 0.5
    local start
    start=$(date +%s.%N)
    "$wine_run" "$probe" "$@" >"$work/$name.out" 2>"$work/$name.err" || { echo "$name: the probe failed"; cat "$work/$name.err"; fail=1; }
    kill "$rec"; wait "$rec" 2>/dev/null || true
    # the recording began 0.5 s before the probe; Wine's start-up is in the probe's time too
    sox -t raw -r 22050 -c 1 -e signed -b 16 "$work/$name.raw" "$work/$name.wav"
    for span in $spans; do
        local from=${span%-*} to=${span#*-}
        sox "$work/$name.wav" -n trim "$(awk -v f="$from" 'BEGIN { print f + 0.5 }')" "$(awk -v f="$from" -v t="$to" 'BEGIN { print t - f }')" stat 2>&1 |
            awk -v s="$span" '/RMS +amplitude/ {print s, $3}'
    done
}

loud() { awk -v t=0.01 '{ if ($2 + 0 < t) exit 1 }'; }
quiet() { awk -v t=0.002 '{ if ($2 + 0 > t) exit 1 }'; }

# 1. A recording is heard; the call came back at once.
out=$(listen heard "0-12" "$(win "$work/long.wav")" --wait 3000)
echo "heard: $out"
echo "$out" | loud || { echo "FAIL: the recording was not heard"; fail=1; }
grep -q "returned after" "$work/heard.out" || { echo "FAIL: suona did not return"; fail=1; }
took=$(tr -d '\r' <"$work/heard.out" | sed -n 's/.*returned after \([0-9]*\) ms/\1/p')
[ "${took:-9999}" -lt 1000 ] || { echo "FAIL: suona took ${took} ms, the call waits for the sound"; fail=1; }

# 2. A second call cuts the first: the long tone is stopped by the short one and the sink is
# silent well before the long tone would have ended.
"$wine_run" "$probe" >/dev/null 2>&1 || true # Wine warm, so that the times below are the sound's
parec --latency-msec=200 -d brindora_null.monitor --rate=22050 --channels=1 --format=s16le \
    >"$work/cut.raw" 2>/dev/null &
rec=$!
sleep 0.3
"$wine_run" "$probe" "$(win "$work/long.wav")" --wait 800 "$(win "$work/short.wav")" --wait 3500 \
    >"$work/cut.out" 2>"$work/cut.err"
kill "$rec"; wait "$rec" 2>/dev/null || true
sox -t raw -r 22050 -c 1 -e signed -b 16 "$work/cut.raw" "$work/cut.wav"
# the last 2 s of the recording: the long tone would still play there (4 s from its start)
length=$(soxi -D "$work/cut.wav")
tail_rms=$(sox "$work/cut.wav" -n trim "$(awk -v l="$length" 'BEGIN { print l - 2 }')" 1.5 stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
all_rms=$(sox "$work/cut.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
echo "cut: whole $all_rms, last seconds $tail_rms (length $length s)"
awk -v a="$all_rms" 'BEGIN { exit !(a > 0.01) }' || { echo "FAIL: nothing was heard"; fail=1; }
awk -v a="$tail_rms" 'BEGIN { exit !(a < 0.002) }' || { echo "FAIL: the first sound went on after the second call"; fail=1; }

# 3. A missing file: silence, no default sound, and the reason.
out=$(listen missing "0-6" "$(win "$work/nosuch.wav")" --wait 2000)
echo "missing: $out"
echo "$out" | quiet || { echo "FAIL: a missing file was heard (a default sound?)"; fail=1; }
grep -q "is missing" "$work/missing.err" || { echo "FAIL: no reason for the missing file"; cat "$work/missing.err"; fail=1; }

# 4. ADPCM never reaches PlaySound: silence, and the game's own reason.
out=$(listen adpcm "0-6" "$(win "$work/adpcm.wav")" --wait 2500)
echo "adpcm: $out"
echo "$out" | quiet || { echo "FAIL: the ADPCM file was played"; fail=1; }
grep -q "unknown format" "$work/adpcm.err" || { echo "FAIL: no reason for the ADPCM file"; cat "$work/adpcm.err"; fail=1; }

exit $fail
