#!/bin/sh
# Measures the shot feel in the real game under SDL's dummy audio driver, in
# practice mode: frame times with sound on ([Sound] Volume=0.7) against sound
# off (Volume=0), runs alternating, each one placing the cue ball and playing a
# full break; then the aiming guide's cost at level 2 while the aim turns every frame.
# Usage: tools/feelbench.sh [BUILD_DIR]   (env: RUNS=5 FRAMES=1500)
# Runs under a private Xvfb when DISPLAY is unset. Figures come from the
# game's timing mode (BAIZELINE_FRAMES): median and 99th percentile of the
# frame intervals; medians over the runs.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/game-wait.sh
. "$root/tools/game-wait.sh"
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-5}
frames=${FRAMES:-1500}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$build"
fi

dir=$(mktemp -d /tmp/baizeline-feel.XXXXXX)
trap 'rm -rf "$dir"' EXIT
ln -s "$build/run/data" "$dir/data"

# One run: game.cfg from the arguments, then the hand placed and the break.
# $1: [Sound] Volume; $2: [Game] AimGuide; $3: "break" or "turn" (aim
# held, the mouse turning the view, so the guide predicts every frame).
run() {
    printf '[Display]\nWidth=800\nHeight=600\n[Game]\nMode=1\nAimGuide=%s\n[Sound]\nVolume=%s\n' "$2" "$1" \
        > "$dir/game.cfg"
    rm -f "$dir/frames"
    (cd "$dir" && SDL_AUDIODRIVER=dummy BAIZELINE_FRAMES="$frames" BAIZELINE_FRAME_COUNTER="$dir/frames" \
        "$build/baizeline" > out.txt 2> err.txt) &
    game=$!
    # The cue ball in hand goes down where it is; then, for a break, the cue is
    # drawn back and, a few frames after the last motion, let go.
    wait_log "$dir/out.txt" "practice: racked" 1 "$game"
    xdotool mousedown 1
    wait_more_frames "$dir/frames" 3 "$game"
    xdotool mouseup 1
    wait_log "$dir/out.txt" "cue ball placed" 1 "$game"
    if [ "$3" = break ]; then
        xdotool mousedown 1
        wait_log "$dir/out.txt" "practice: aiming" 1 "$game"
        for _ in 1 2 3 4 5 6 7 8; do xdotool mousemove_relative 0 10 sleep 0.05; done
        wait_more_frames "$dir/frames" 3 "$game"
        xdotool mouseup 1
    else
        for _ in $(seq 1 400); do xdotool mousemove_relative 3 0 sleep 0.02 2>/dev/null || break; done
    fi
    wait "$game"
}

field() { awk -v pat="$1" -v n="$2" '$0 ~ pat { print $n }' "$dir/err.txt"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "run  sound  fps    median ms  p99 ms"
i=0
while [ "$i" -lt "$runs" ]; do
    i=$((i + 1))
    for volume in 0 0.7; do
        run "$volume" 1 break
        fps=$(field " fps$" 10)
        med=$(field "frame time median" 5)
        p99=$(field "frame time median" 9)
        printf "%3d  %5s  %5s  %9s  %6s\n" "$i" "$volume" "$fps" "$med" "$p99"
        echo "$volume $fps $med $p99" >> "$dir/runs.txt"
    done
done
for volume in 0 0.7; do
    printf "median over runs, Volume=%s: %s fps, frame time median %s ms, 99th percentile %s ms\n" "$volume" \
        "$(awk -v v="$volume" '$1 == v { print $2 }' "$dir/runs.txt" | median)" \
        "$(awk -v v="$volume" '$1 == v { print $3 }' "$dir/runs.txt" | median)" \
        "$(awk -v v="$volume" '$1 == v { print $4 }' "$dir/runs.txt" | median)"
done

echo "aim guide at level 2, the aim turning every frame:"
i=0
while [ "$i" -lt "$runs" ]; do
    i=$((i + 1))
    run 0 2 turn
    grep "aim guide" "$dir/err.txt" | sed 's/^baizeline-timing: /  /'
done
