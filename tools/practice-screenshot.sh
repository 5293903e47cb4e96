#!/bin/sh
# Takes the README's practice picture: the practice table from above after a break, under Xvfb.
# Usage: tools/practice-screenshot.sh [BUILD_DIR] [OUT.png]   (after `make build`)
# BUILD_DIR defaults to the repository's build/, OUT.png to its docs/practice.png.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
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
"$BUILD/baizeline" > out.txt 2>&1 &
GAME=$!
trap 'kill $GAME 2>/dev/null || true; rm -rf "$dir"' EXIT
WINDOW=$(xdotool search --sync --onlyvisible --name '^Baizeline is a work name' | head -n 1)
for i in $(seq 200); do
    grep -q "practice: racked" out.txt && break
    sleep 0.1
done
sleep 1
# Put the cue ball down on the head spot, then break at full strength.
xdotool mousedown 1 sleep 0.2 mouseup 1
sleep 0.5
xdotool mousedown 1
for i in $(seq 16); do xdotool mousemove_relative 0 10; sleep 0.03; done
xdotool mouseup 1
# Wait for the balls to rest (and the pots to sink into the tray), then look from above.
for i in $(seq 600); do
    grep -q "practice: shot over" out.txt && break
    sleep 0.1
done
xdotool keydown t sleep 0.1 keyup t
sleep 1
import -window "$WINDOW" -resize 640x480 -strip -depth 8 "PNG8:$OUT"
# Escape opens the menu in a game; Up wraps round to Quit.
xdotool keydown Escape sleep 0.1 keyup Escape
sleep 0.5
xdotool key Up
sleep 0.2
xdotool key Return
wait $GAME || true
echo "wrote $OUT: $(grep 'shot over' out.txt)"
