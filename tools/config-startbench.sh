#!/bin/sh
# Start-up of the real game (exec to the first presented frame) with the shipped
# game.cfg against 10 MB ones made to be slow to read: 2.5 million copies of one
# section header; a million sections of different names; a million keys in one
# section; and the shipped file with 10 MB of comments after it. Each file ends
# with the shipped settings, so the game plays the same table with every one.
# Usage: tools/config-startbench.sh [BUILD_DIR]   (env: RUNS=5)
# Runs under a private Xvfb when DISPLAY is unset; prints the median of RUNS
# starts per file and its ratio to the shipped file's.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-5}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$build"
fi

dir=$(mktemp -d /tmp/baizeline-cfgbench.XXXXXX)
trap 'rm -rf "$dir"' EXIT
ln -s "$build/run/data" "$dir/data"
mkdir "$dir/cfg"
cp "$root/data/game.cfg" "$dir/cfg/shipped"
# 10 MB each (10,000,000 bytes give or take a line), then the shipped file.
awk 'BEGIN { for (i = 0; i < 2500000; i++) print "[a]" }' > "$dir/cfg/headers"
awk 'BEGIN { for (i = 0; i < 1000000; i++) printf "[s%07d]\n", i }' > "$dir/cfg/sections"
awk 'BEGIN { print "[Big]"; for (i = 0; i < 1000000; i++) printf "k%06d=1\n", i }' > "$dir/cfg/keys"
awk 'BEGIN { for (i = 0; i < 250000; i++) print "; a comment line of forty characters .." }' > "$dir/cfg/comments"
for f in headers sections keys comments; do cat "$root/data/game.cfg" >> "$dir/cfg/$f"; done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for f in shipped headers sections keys comments; do
    cp "$dir/cfg/$f" "$dir/game.cfg"
    : > "$dir/ms.txt"
    i=0
    while [ "$i" -lt "$runs" ]; do
        i=$((i + 1))
        (
            cd "$dir"
            date +%s.%N > start.txt
            exec env BAIZELINE_FRAMES=1 "$build/baizeline" > out.txt 2> err.txt
        ) || { echo "the game failed with game.cfg '$f':" >&2; cat "$dir/err.txt" >&2; exit 1; }
        awk 'FNR == 1 && FILENAME ~ /start.txt$/ { start = $1 }
             /first frame presented at/ { print 1000 * ($NF - start) }' "$dir/start.txt" "$dir/err.txt" >> "$dir/ms.txt"
    done
    ms=$(median < "$dir/ms.txt")
    [ "$f" = shipped ] && base=$ms
    printf "%-9s %6s bytes  start-up %7.1f ms (median of %d)  %.2fx the shipped file's\n" \
        "$f" "$(wc -c < "$dir/cfg/$f")" "$ms" "$runs" "$(echo "$ms $base" | awk '{ print $1 / $2 }')"
done
