#!/usr/bin/env bash
# Makes the fuzzer's seed corpus (fuzz/corpus) from a shipped recording, trimmed to a
# twentieth of a second: each encoding the game plays, in a plain and an extensible header,
# mono and stereo, and the encodings it refuses, for the fuzzer to start from. Needs sox.
set -euo pipefail
cd "$(dirname "$0")"
src=../assets/Europa/Malta.wav
rm -rf corpus && mkdir corpus
cut() { sox "$src" "$@" trim 0.3 0.05; }
cut -t wavpcm -b 16 corpus/pcm16.wav
cut -t wavpcm -b 8 -e unsigned corpus/pcm8.wav
cut -t wavpcm -b 24 corpus/pcm24.wav
cut -t wavpcm -b 32 corpus/pcm32.wav
cut -t wavpcm -b 32 -e floating-point corpus/float32.wav
cut -t wavpcm -b 64 -e floating-point corpus/float64.wav
cut -t wavpcm -b 16 -c 2 corpus/stereo16.wav
cut -t wav -b 24 -c 2 corpus/extensible24.wav
sox "$src" -t wav -b 16 -c 8 corpus/extensible16x8.wav trim 0.3 0.01
cut -t wav -e ima-adpcm corpus/ima-adpcm.wav
cut -t wav -e ms-adpcm corpus/ms-adpcm.wav
cut -t wav -e gsm-full-rate -r 8000 corpus/gsm.wav
cut -t wav -e a-law corpus/alaw.wav
cut -t wav -e u-law corpus/ulaw.wav
ls -l corpus
