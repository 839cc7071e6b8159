#!/bin/sh
# Starts the game from its own folder, where the recordings lie beside it.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/brindora/brindora" "$@"
