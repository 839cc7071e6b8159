#!/usr/bin/env bash
# Starts the game under Xvfb and writes a PNG of its window.
# Usage: tools/screenshot.sh [--hide-car] [--explore] [--scale N] [--full-screen] [--screen WxH]
#                            [out.png]   (default docs/screenshot.png)
# --hide-car     presses the car button and closes the prompt, so the button is hidden.
# --explore      starts in explore mode and clicks France (default docs/screenshot_explore.png).
# --scale N      shows the game at device pixel ratio N (QT_SCALE_FACTOR).
# --full-screen  presses F11 and takes the whole screen.
# --screen WxH   the size of the X screen (default 1024x768, or large enough for --scale).
# Needs: xvfb (xvfb-run), xdotool, imagemagick (import).
set -euo pipefail
cd "$(dirname "$0")/.."

hide=0 scale=1 full=0 screen="" explore=0
out=""
while [ $# -gt 0 ]; do
    case $1 in
    --hide-car) hide=1 ;;
    --explore) explore=1 ;;
    --scale) scale=$2; shift ;;
    --full-screen) full=1 ;;
    --screen) screen=$2; shift ;;
    *) out=$1 ;;
    esac
    shift
done
[ "$hide" = 0 ] || [ "$full" = 0 ] || { echo "--hide-car works in the normal window only" >&2; exit 2; }
[ "$explore" = 0 ] || [ "$full" = 0 ] || { echo "--explore works in the normal window only" >&2; exit 2; }
[ "$explore" = 0 ] || [ "$hide" = 0 ] || { echo "--explore has no car button to press" >&2; exit 2; }
[ -n "$out" ] || { [ "$explore" = 1 ] && out=docs/screenshot_explore.png || out=docs/screenshot.png; }
if [ -z "$screen" ]; then
    # Room for the window at that ratio.
    screen=$(awk -v s="$scale" 'BEGIN { w = int(1024 * s); h = int(768 * s); print w "x" h }')
fi
program=${BRINDORA_PROGRAM:-build/ui/brindora}
[ -x "$program" ] || { echo "no $program: build the game first" >&2; exit 1; }

mode=""
[ "$explore" = 0 ] || mode=--explore
export program hide full scale explore mode out_abs="$(realpath -m "$out")"
xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
    set -euo pipefail
    QT_SCALE_FACTOR=$scale "$program" $mode 2>/dev/null &
    pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT
    for _ in $(seq 50); do
        window=$(xdotool search --name Ostavella 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "${window:-}" ] || { echo "the window did not open" >&2; exit 1; }
    sleep 1
    if [ "$full" = 1 ]; then
        xdotool windowfocus --sync "$window" key F11
        sleep 2
    fi
    eval "$(xdotool getwindowgeometry --shell "$window")"
    if [ "$hide" = 1 ]; then
        # The car button is at the top right of the client area, below the menu bar.
        cx=$(awk -v x="$X" -v w="$WIDTH" -v s="$scale" "BEGIN { print int(x + w - 80 * s) }")
        cy=$(awk -v y="$Y" -v h="$HEIGHT" -v s="$scale" "BEGIN { print int(y + h - 444 * s) }")
        xdotool mousemove "$cx" "$cy" click 1
        sleep 1
        xdotool key Return # closes the prompt box
        sleep 1
        xdotool mousemove $((X + 300)) $((Y + HEIGHT - 20))
        sleep 0.5
    fi
    if [ "$explore" = 1 ]; then
        # France, at map pixel (120, 360); the map lies at the top left of the client area,
        # inside its 2-pixel border, and the client area (544 pixels high) below the menu bar.
        cx=$(awk -v x="$X" -v s="$scale" "BEGIN { print int(x + (2 + 120) * s) }")
        cy=$(awk -v y="$Y" -v h="$HEIGHT" -v s="$scale" "BEGIN { print int(y + h - (544 - 2 - 360) * s) }")
        xdotool mousemove "$cx" "$cy" click 1
        sleep 1
        xdotool mousemove $((X + 700)) $((Y + HEIGHT - 20))
        sleep 0.5
    fi
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out_abs"
'
echo "wrote $out"
