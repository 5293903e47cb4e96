#!/bin/sh
# Measures the real game: wall time from exec to the first presented frame, the
# frame rate after it and the peak memory, over RUNS runs (median reported).
# Usage: tools/gamebench.sh [BUILD_DIR]   (env: RUNS=5 FRAMES=600 MODE=0)
# MODE=1 measures the practice table (its view starts behind the cue ball in
# hand on the head string, the rack in front); MODE=0 or unset is the shipped game.cfg.
# Runs under a private Xvfb when DISPLAY is unset. The window size and the
# rest of the settings are data/game.cfg's (800x600 by default); the view is
# the one the game starts with, the rack in front of the cue ball.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-5}
frames=${FRAMES:-600}
mode=${MODE:-}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$build"
fi

dir=$(mktemp -d /tmp/baizeline-bench.XXXXXX)
trap 'rm -rf "$dir"' EXIT
cp "$root/data/game.cfg" "$dir/game.cfg"
if [ -n "$mode" ]; then
    # The shipped file names the key under [Game]; the first one read wins.
    sed -i "s/^Mode=.*/Mode=$mode/" "$dir/game.cfg"
    grep -q "^Mode=$mode\$" "$dir/game.cfg" || printf '\n[Game]\nMode=%s\n' "$mode" >> "$dir/game.cfg"
fi
ln -s "$build/run/data" "$dir/data"

i=0
while [ "$i" -lt "$runs" ]; do
    i=$((i + 1))
    (
        cd "$dir"
        date +%s.%N > start.txt
        exec env BAIZELINE_FRAMES="$frames" /usr/bin/time -v "$build/baizeline" \
            > out.txt 2> err.txt
    )
    awk -v run="$i" '
        FNR == 1 && FILENAME ~ /start.txt$/ { start = $1 }
        /first frame presented at/ { first = $NF }
        /frames in .* fps/ { fps = $(NF - 1) }
        /Maximum resident set size/ { rss = $NF }
        END { printf "%d %.1f %.1f %d\n", run, 1000 * (first - start), fps, rss }
    ' "$dir/start.txt" "$dir/err.txt" >> "$dir/runs.txt"
done

echo "run  start-up ms  fps    peak RSS kB"
awk '{ printf "%3d  %11.1f  %5.1f  %d\n", $1, $2, $3, $4 }' "$dir/runs.txt"
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
printf "median: start-up %s ms, %s fps, peak RSS %s kB\n" \
    "$(awk '{ print $2 }' "$dir/runs.txt" | median)" \
    "$(awk '{ print $3 }' "$dir/runs.txt" | median)" \
    "$(awk '{ print $4 }' "$dir/runs.txt" | median)"
