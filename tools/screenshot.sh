#!/usr/bin/env bash
# Starts the game under Xvfb and writes a PNG of its window.
# Usage: tools/screenshot.sh [--hide-car] [out.png]   (default docs/screenshot.png)
# --hide-car presses the car button and closes the prompt, so the button is hidden.
# Needs: xvfb (xvfb-run), xdotool, imagemagick (import).
set -euo pipefail
cd "$(dirname "$0")/.."

hide=0
out=docs/screenshot.png
for arg in "$@"; do
    case $arg in
    --hide-car) hide=1 ;;
    *) out=$arg ;;
    esac
done
program=${BRINDORA_PROGRAM:-build/ui/brindora}
[ -x "$program" ] || { echo "no $program: build the game first" >&2; exit 1; }

export program hide out_abs="$(realpath -m "$out")"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    "$program" 2>/dev/null &
    pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT
    for _ in $(seq 50); do
        window=$(xdotool search --name Ostavella 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "${window:-}" ] || { echo "the window did not open" >&2; exit 1; }
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    if [ "$hide" = 1 ]; then
        # The car button is at the top right of the client area, below the menu bar.
        xdotool mousemove $((X + WIDTH - 80)) $((Y + HEIGHT - 544 + 100)) click 1
        sleep 1
        xdotool key Return # closes the prompt box
        sleep 1
        xdotool mousemove $((X + 300)) $((Y + HEIGHT - 20))
        sleep 0.5
    fi
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out_abs"
'
echo "wrote $out"
