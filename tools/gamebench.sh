#!/bin/sh
# Measures the real game: wall time from exec to the first presented frame, the
# frame rate after it and the peak memory, over RUNS runs (median reported).
# Usage: tools/gamebench.sh [BUILD_DIR]
#   env: RUNS=5 FRAMES=600 MODE=0 SIZE=800x600 STAGES=0 MAXFPS= BIN=BUILD_DIR/baizeline
# MODE=1 measures the practice table (its view starts behind the cue ball in
# hand on the head string, the rack in front), 2 and 3 the 8-ball and 9-ball
# tables before the break, `menu` the menu over the free table; MODE=0 or
# unset is the shipped game.cfg. SIZE sets the window (game.cfg's Width and
# Height); MAXFPS sets [Display] MaxFps. BIN runs another build's game (an
# older one, side by side) with this build's data.
# STAGES=1 also times one frame stage by stage (BUILD_DIR/bench/frame_bench's
# GameFrameStages, a glFinish after each stage) in the same mode and size.
# Runs under a private Xvfb when DISPLAY is unset, its screen as large as SIZE
# (at least 1024x768); the view is the one the game starts with, the rack in
# front of the cue ball.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-5}
frames=${FRAMES:-600}
mode=${MODE:-}
size=${SIZE:-}
bin=${BIN:-$build/baizeline}

width=800
height=600
if [ -n "$size" ]; then
    width=${size%x*}
    height=${size#*x}
    case "$width$height" in
    '' | *[!0-9]*)
        echo "gamebench: SIZE=$size is not WIDTHxHEIGHT" >&2
        exit 2
        ;;
    esac
fi

if [ -z "${DISPLAY:-}" ]; then
    screen_w=$((width > 1024 ? width : 1024))
    screen_h=$((height > 768 ? height : 768))
    exec xvfb-run -a -s "-screen 0 ${screen_w}x${screen_h}x24 -noreset" "$0" "$build"
fi
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

dir=$(mktemp -d /tmp/baizeline-bench.XXXXXX)
trap 'rm -rf "$dir"' EXIT
cp "$root/data/game.cfg" "$dir/game.cfg"
sed -i "s/^Width=.*/Width=$width/; s/^Height=.*/Height=$height/" "$dir/game.cfg"
if [ -n "${MAXFPS:-}" ]; then
    sed -i "s/^\[Display\]\$/[Display]\nMaxFps=$MAXFPS/" "$dir/game.cfg"
fi
options=
if [ "$mode" = menu ]; then
    options=--menu
    mode=
fi
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
        # shellcheck disable=SC2086
        exec env BAIZELINE_FRAMES="$frames" /usr/bin/time -v "$bin" $options \
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

if [ "${STAGES:-0}" != 0 ]; then
    if [ ! -x "$build/bench/frame_bench" ]; then
        echo "no $build/bench/frame_bench: build the benchmarks for STAGES=1" >&2
        exit 1
    fi
    # The frame benchmark reads game.cfg from the run directory; size and mode
    # come from the environment instead.
    bench_mode=${MODE:-0}
    BAIZELINE_BENCH_SIZE="${width}x${height}" BAIZELINE_BENCH_MODE="$bench_mode" \
        "$build/bench/frame_bench" --benchmark_filter=GameFrame \
        --benchmark_counters_tabular=true > "$dir/stages.txt"
    echo "one frame, ms, by stage (${width}x${height}, mode $bench_mode):"
    cat "$dir/stages.txt"
fi
