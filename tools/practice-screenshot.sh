#!/bin/sh
# Takes the README's practice picture: the practice table from above after a break, under Xvfb.
# Usage: tools/practice-screenshot.sh [BUILD_DIR] [OUT.png]   (after `make build`)
# BUILD_DIR defaults to the repository's build/, OUT.png to its docs/practice.png.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/game-wait.sh
. "$root/tools/game-wait.sh"
BUILD=$(cd "${1:-$root/build}" && pwd)
OUT=${2:-$root/docs/practice.png}
case "$OUT" in /*) ;; *) OUT="$(pwd)/$OUT" ;; esac

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$BUILD" "$OUT"
fi

dir=$(mktemp -d /tmp/baizeline-practice.XXXXXX)
cp "$root/data/game.cfg" "$dir/game.cfg"
# The shipped file names the key under [Game]; the first one read wins.
sed -i 's/^Mode=.*/Mode=1/' "$dir/game.cfg"
grep -q '^Mode=1$' "$dir/game.cfg" || printf '\n[Game]\nMode=1\n' >> "$dir/game.cfg"
ln -s "$BUILD/run/data" "$dir/data"
cd "$dir"
BAIZELINE_FRAME_COUNTER="$dir/frames" "$BUILD/baizeline" > out.txt 2>&1 &
GAME=$!
trap 'kill $GAME 2>/dev/null || true; rm -rf "$dir"' EXIT
wait_frames frames 1 "$GAME"
WINDOW=$(game_window '^Baizeline is a work name')
wait_log out.txt "practice: racked" 1 "$GAME"
# Put the cue ball down on the head spot, then break at full strength: the
# release a few frames after the last motion, which would be lost in its frame.
xdotool mousedown 1
wait_more_frames frames 3 "$GAME"
xdotool mouseup 1
wait_log out.txt "cue ball placed" 1 "$GAME"
xdotool mousedown 1
wait_log out.txt "practice: aiming" 1 "$GAME"
for i in $(seq 16); do xdotool mousemove_relative 0 10; sleep 0.03; done
wait_more_frames frames 3 "$GAME"
xdotool mouseup 1
# Wait for the balls to rest (and the pots to sink into the tray), then look from above.
GAME_PATIENCE=300 wait_log out.txt "practice: shot over" 1 "$GAME"
xdotool keydown t sleep 0.1 keyup t
wait_log out.txt "top view on" 1 "$GAME"
wait_more_frames frames 30 "$GAME"
import -window "$WINDOW" -resize 640x480 -strip -depth 8 "PNG8:$OUT"
# Escape opens the menu in a game; Up wraps round to Quit.
xdotool keydown Escape sleep 0.1 keyup Escape
sleep 0.5
xdotool key Up
sleep 0.2
xdotool key Return
wait $GAME || true
echo "wrote $OUT: $(grep 'shot over' out.txt)"
