#!/bin/sh
# Takes the README's screenshot: the game under Xvfb, a moment after a break.
# Usage: tools/screenshot.sh [BUILD_DIR] [OUT.png]   (after `make build`)
# BUILD_DIR defaults to the repository's build/, OUT.png to its docs/screenshot.png,
# from whatever directory the script is run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$root/build}" && pwd)
OUT=${2:-$root/docs/screenshot.png}
case "$OUT" in /*) ;; *) OUT="$(pwd)/$OUT" ;; esac

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$BUILD" "$OUT"
fi

cd "$BUILD/run"
../baizeline >/dev/null 2>&1 &
GAME=$!
trap 'kill $GAME 2>/dev/null || true' EXIT
WINDOW=$(xdotool search --sync --onlyvisible --name '^Baizeline is a work name' | head -n 1)
# The window shows before the level has loaded: wait until it draws.
for i in $(seq 100); do
    [ "$(import -window "$WINDOW" -format '%[fx:mean>0.05]' info: 2>/dev/null)" = 1 ] && break
    sleep 0.2
done
sleep 0.5
# Turn a little to the left and look down on the table, then break.
xdotool mousemove_relative -- -60 40
sleep 0.3
xdotool mousedown 1
for i in 1 2 3 4 5 6 7 8 9 10 11 12; do xdotool mousemove_relative 0 10; sleep 0.03; done
xdotool mouseup 1
sleep 0.7
import -window "$WINDOW" -resize 640x480 -strip -depth 8 "PNG8:$OUT"
xdotool key Escape
wait $GAME || true
trap - EXIT
echo "wrote $OUT"
