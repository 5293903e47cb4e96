#!/bin/sh
# Takes the README's screenshot: the game under Xvfb, a moment after a break.
# Usage: tools/screenshot.sh [BUILD_DIR] [OUT.png]   (after `make build`)
# BUILD_DIR defaults to the repository's build/, OUT.png to its docs/screenshot.png,
# from whatever directory the script is run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/game-wait.sh
. "$root/tools/game-wait.sh"
BUILD=$(cd "${1:-$root/build}" && pwd)
OUT=${2:-$root/docs/screenshot.png}
case "$OUT" in /*) ;; *) OUT="$(pwd)/$OUT" ;; esac

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$BUILD" "$OUT"
fi

FRAMES=$(mktemp /tmp/baizeline-frames.XXXXXX)
cd "$BUILD/run"
BAIZELINE_FRAME_COUNTER="$FRAMES" ../baizeline >/dev/null 2>&1 &
GAME=$!
trap 'kill $GAME 2>/dev/null || true; rm -f "$FRAMES"' EXIT
# The first frame comes once the level has loaded.
wait_frames "$FRAMES" 1 "$GAME"
WINDOW=$(game_window '^Baizeline is a work name')
wait_more_frames "$FRAMES" 10 "$GAME"
# Turn a little to the left and look down on the table, then break: the
# release a few frames after the last motion, which would be lost in its frame.
xdotool mousemove_relative -- -60 40
wait_more_frames "$FRAMES" 3 "$GAME"
xdotool mousedown 1
for i in 1 2 3 4 5 6 7 8 9 10 11 12; do xdotool mousemove_relative 0 10; sleep 0.03; done
wait_more_frames "$FRAMES" 3 "$GAME"
xdotool mouseup 1
# A moment after the strike: each frame moves the balls by its own length.
wait_more_frames "$FRAMES" 100 "$GAME"
import -window "$WINDOW" -resize 640x480 -strip -depth 8 "PNG8:$OUT"
xdotool key Escape
wait $GAME || true
trap - EXIT
echo "wrote $OUT"
