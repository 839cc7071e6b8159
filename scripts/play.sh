#!/usr/bin/env bash
# Sets up what is missing, builds the game (and nothing else) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh play
bash scripts/build.sh play
exec ./build/ui/brindora
