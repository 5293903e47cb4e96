#!/bin/sh
# The free table (Mode 0, the default) must stay exactly what it was before the
# play modes: the same simulator output and the same frame, byte for byte.
# The references are SHA-256 sums taken from the build of commit 951aa0c.
# usage: free-table-identity.sh SIM_BINARY RUN_DIR [FRAME_BENCH_BINARY]
set -eu
sim=$1
run_dir=$2
frame_bench=${3:-}
refs=$(dirname "$0")/free-table-references.sha256
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
check() { # name file
    want=$(awk -v n="$1" '$2 == n { print $1 }' "$refs")
    got=$(sha256sum "$2" | cut -d' ' -f1)
    if [ -z "$want" ]; then
        echo "no reference for $1"; failed=1
    elif [ "$want" != "$got" ]; then
        echo "CHANGED: $1 (want $want, got $got)"; failed=1
    else
        echo "same: $1"
    fi
}

for shot in "180 150" "0 20" "45 90" "200 120" "170 150" "-30 75"; do
    n=$(echo "$shot" | tr ' ' '_')
    # shellcheck disable=SC2086
    "$sim" $shot --csv "$work/sim_$n.csv" --svg "$work/sim_$n.svg" > "$work/sim_$n.txt"
    for ext in txt csv svg; do check "sim_$n.$ext" "$work/sim_$n.$ext"; done
done

# The game's own first frame, drawn by the frame benchmark from the run directory
# with the shipped game.cfg (Mode 0). The benchmark is not built in every build.
if [ -n "$frame_bench" ] && [ -x "$frame_bench" ]; then
    (cd "$run_dir" && BAIZELINE_SHOT="$work/frame.ppm" "$frame_bench" > /dev/null)
    check frame.ppm "$work/frame.ppm"
else
    echo "frame: skipped (no frame benchmark in this build)"
fi

if [ "$failed" -ne 0 ]; then
    echo "The free table changed."
    exit 1
fi
echo "The free table is unchanged."
