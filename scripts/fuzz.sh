#!/usr/bin/env bash
# The fuzzers, built with clang's libFuzzer, AddressSanitizer and UBSan into build-fuzz/:
# the game's recording path (sound/, corpus fuzz/corpus), the game-file reader with the
# summary (results/, fuzz/game_corpus) and brindora.conf (results/, fuzz/conf_corpus).
# Usage: scripts/fuzz.sh [replay | SECONDS]
#   replay   runs each file of the committed corpora once
#   SECONDS  replays the corpora, then fuzzes for that long in all (default 60), a third to
#            each target, in a scratch copy of its corpus; new finds stay in build-fuzz/<target>-corpus, crashes in
#            build-fuzz/
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
flags=(-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -fno-omit-frame-pointer)
# sound/ with its Linux output (winmm_output.cpp is Windows').
# shellcheck disable=SC2046
"$cxx" "${flags[@]}" -Isound fuzz/recording_fuzz.cpp $(ls sound/*.cpp | grep -v 'winmm_output\.cpp$') \
    $(pkg-config --cflags --libs libpulse sndfile) -o "$out/recording_fuzz"
# results/ with its Linux files; the map built in as the build does it.
cmake -DOUTPUT="$out/map_assets.cpp" -DMAP=assets/europe_map.png \
    -DMASK=assets/europe_map_mask.png -P results/embed_map.cmake
results=$(ls results/*.cpp | grep -v '_win\.cpp$')
for target in game_file settings; do
    # shellcheck disable=SC2046,SC2086
    "$cxx" "${flags[@]}" -fPIC -Iresults -Iengine -Iregions "fuzz/${target}_fuzz.cpp" $results \
        "$out/map_assets.cpp" engine/catalogo.cpp $(pkg-config --cflags --libs Qt6Gui) -pthread \
        -o "$out/${target}_fuzz"
done

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$out"
targets=("recording:corpus" "game_file:game_corpus" "settings:conf_corpus")
for pair in "${targets[@]}"; do
    target=${pair%%:*} corpus=${pair#*:}
    "./${target}_fuzz" -runs=0 "../fuzz/$corpus" 2>"$target-replay.log" ||
        { cat "$target-replay.log" >&2; exit 1; }
    echo "fuzz: $target: the corpus of $(ls "../fuzz/$corpus" | wc -l) files replays clean"
done
[ "$what" = replay ] && exit 0
each=$(( what / ${#targets[@]} > 0 ? what / ${#targets[@]} : 1 ))

for pair in "${targets[@]}"; do
    target=${pair%%:*} corpus=${pair#*:}
    rm -rf "$target-corpus" && mkdir "$target-corpus" && cp "../fuzz/$corpus"/* "$target-corpus/"
    "./${target}_fuzz" -max_total_time="$each" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$target-corpus" 2>"$target-fuzz.log" ||
        { tail -60 "$target-fuzz.log" >&2; exit 1; }
    grep -E '^stat::number_of_executed_units|^Done' "$target-fuzz.log" || true
    echo "fuzz: $target: $each s without a report"
done
