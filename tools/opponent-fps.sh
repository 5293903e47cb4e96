#!/bin/sh
# Measures the real game's frame rate while the computer thinks: 8-ball against
# the computer at LEVEL (default 3), R pressed so that the computer breaks,
# DECISIONS times (default 5); each decision's own log line gives its seconds
# and the frames drawn meanwhile. Prints those lines and the median fps.
# Usage: tools/opponent-fps.sh [BUILD_DIR]   (env: LEVEL=3 DECISIONS=5)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/game-wait.sh
. "$root/tools/game-wait.sh"
build=$(cd "${1:-$root/build}" && pwd)
level=${LEVEL:-3}
decisions=${DECISIONS:-5}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$build"
fi

dir=$(mktemp -d /tmp/baizeline-think.XXXXXX)
cd "$dir"
printf '[Display]\nWidth=800\nHeight=600\n[Game]\nMode=2\nOpponent=%s\n' "$level" > game.cfg
ln -s "$build/run/data" data
BAIZELINE_FRAME_COUNTER="$dir/frames" "$build/baizeline" > out.txt 2> err.txt &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$dir"' EXIT

# Waits for the log to hold `$2` lines matching `$1`.
wait_for() { GAME_PATIENCE=300 wait_log out.txt "$1" "$2" "$pid" || true; }

wait_for "racked" 1
wait_more_frames frames 3 "$pid"
n=0
while [ "$n" -lt "$decisions" ]; do
    n=$((n + 1))
    # The racks alternate the break: R until the computer is to break.
    xdotool key r
    wait_for "Computer to break" "$n"
    wait_for "computer: decided" "$n"
    wait_for "racked, You to break" "$n"
    xdotool key r
    # The next R hands the break to the computer again.
    wait_more_frames frames 3 "$pid"
done
# Escape opens the menu in a game; Up wraps round to Quit.
xdotool key Escape
sleep 0.5
xdotool key Up
sleep 0.2
xdotool key Return
wait "$pid" || true
grep "computer: decided" out.txt
grep "computer: decided" out.txt | sed 's/.*, \([0-9.]*\) fps/\1/' | sort -n |
    awk '{ v[NR] = $1 } END { printf "median %s fps over %d decisions\n", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, NR }'
