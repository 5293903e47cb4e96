#!/bin/sh
# Measures the real game's frame rate while the computer thinks: 8-ball against
# the computer at LEVEL (default 3), R pressed so that the computer breaks,
# DECISIONS times (default 5); each decision's own log line gives its seconds
# and the frames drawn meanwhile. Prints those lines and the median fps.
# Usage: tools/opponent-fps.sh [BUILD_DIR]   (env: LEVEL=3 DECISIONS=5)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
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
"$build/baizeline" > out.txt 2> err.txt &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$dir"' EXIT

# Waits up to 300 s for the log to hold `$2` lines matching `$1`.
wait_for() {
    i=0
    while [ "$(grep -c "$1" out.txt || true)" -lt "$2" ] && [ "$i" -lt 3000 ]; do
        sleep 0.1
        i=$((i + 1))
    done
}

wait_for "racked" 1
sleep 1
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
    sleep 0.2
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
