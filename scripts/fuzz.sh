#!/usr/bin/env bash
# The recording fuzzer: the game's recording path (sound/) built with clang's libFuzzer,
# AddressSanitizer and UBSan into build-fuzz/.
# Usage: scripts/fuzz.sh [replay | SECONDS]
#   replay   runs each file of the committed corpus (fuzz/corpus) once
#   SECONDS  replays the corpus, then fuzzes for that long in a scratch copy of it
#            (default 60); new finds stay in build-fuzz/corpus, crashes in build-fuzz/
# Any report of the sanitizers, or a crash, ends it with a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-60}

cxx=""
for c in clang++-14 clang++; do
    command -v "$c" >/dev/null && { cxx=$c; break; }
done
[ -n "$cxx" ] || { echo "fuzz: clang++ is not installed (Debian packages clang-14 libclang-rt-14-dev)" >&2; exit 1; }

out=build-fuzz
mkdir -p "$out"
# shellcheck disable=SC2046
"$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -fno-omit-frame-pointer -Isound fuzz/recording_fuzz.cpp sound/*.cpp \
    $(pkg-config --cflags --libs libpulse sndfile) -o "$out/recording_fuzz"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$out"
./recording_fuzz -runs=0 ../fuzz/corpus 2>replay.log || { cat replay.log >&2; exit 1; }
echo "fuzz: the corpus of $(ls ../fuzz/corpus | wc -l) files replays clean"
[ "$what" = replay ] && exit 0

rm -rf corpus && mkdir corpus && cp ../fuzz/corpus/* corpus/
./recording_fuzz -max_total_time="$what" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    corpus 2>fuzz.log || { tail -60 fuzz.log >&2; exit 1; }
grep -E '^stat::number_of_executed_units|^Done' fuzz.log || true
echo "fuzz: $what s without a report"
