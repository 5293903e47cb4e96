#!/bin/sh
# The real game under valgrind memcheck, under Xvfb: waits for the first frame,
# plays one shot (left button down, drag down, up), lets the balls run while
# the credits and the lighting are toggled off and on, quits with Escape. Fails
# on any invalid read or write, use of uninitialised memory or definite leak
# that tools/memcheck.supp does not explain. Every step waits on the game's
# frame counter, so the run is the same however slowly valgrind draws.
# Usage: tools/memcheck.sh [BUILD_DIR]
#   MEMCHECK_FRAMES   frames the run draws in all, the balls running after the shot (default 200)
#   MEMCHECK_OUT      where the log and screenshots go (default BUILD_DIR/memcheck)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/game-wait.sh
. "$root/tools/game-wait.sh"
build=$(cd "${1:-$root/build}" && pwd)
least=${MEMCHECK_FRAMES:-200}
# Under valgrind a frame takes a third of a second or more.
GAME_PATIENCE=600
out=${MEMCHECK_OUT:-$build/memcheck}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$build"
fi

mkdir -p "$out"
rm -f "$out"/valgrind.log "$out"/game.out "$out"/game.err "$out"/*.png
dir=$(mktemp -d /tmp/baizeline-memcheck.XXXXXX)
game=""
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT
# Valgrind runs the software renderer a hundred times slower: a 320x240 window
# gets a few hundred frames in minutes and takes the same code paths as 800x600.
sed -e 's/^Width=.*/Width=320/' -e 's/^Height=.*/Height=240/' "$root/data/game.cfg" > "$dir/game.cfg"
ln -s "$build/run/data" "$dir/data"

# BAIZELINE_FRAMES only counts here (the limit is out of reach): it says when
# the first frame is up and how many frames were drawn.
(
    cd "$dir"
    exec env BAIZELINE_FRAMES=1000000000 BAIZELINE_FRAME_COUNTER="$dir/frames" valgrind --tool=memcheck --leak-check=full \
        --show-leak-kinds=definite --errors-for-leak-kinds=definite --num-callers=40 \
        --keep-debuginfo=yes --gen-suppressions=all \
        --suppressions="$root/tools/memcheck.supp" --error-exitcode=3 \
        --log-file="$out/valgrind.log" "$build/baizeline" > "$out/game.out" 2> "$out/game.err"
) &
game=$!

if ! wait_frames "$dir/frames" 1 "$game"; then
    echo "memcheck: the game never drew its first frame" >&2
    cat "$out/game.err" >&2
    exit 1
fi
echo "memcheck: first frame drawn; playing the shot"
import -window root "$out/before-shot.png" 2>/dev/null || true

# The pointer stays where it is when the button goes down: a first motion
# would swing the camera. Dragging down pulls the cue back (more power), a
# frame for each step; the release comes frames after the last.
xdotool mousedown 1
wait_more_frames "$dir/frames" 3 "$game"
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove_relative -- 0 8
    wait_more_frames "$dir/frames" 2 "$game"
done
wait_more_frames "$dir/frames" 3 "$game"
import -window root "$out/aiming.png" 2>/dev/null || true
xdotool mouseup 1
echo "memcheck: shot played; letting the balls run to frame $least"
# Meanwhile the display toggles, each twice so the run ends as it began: the
# credits (A) and the lighting (L). Instant taps: the game acts on the press
# event itself, even when its release arrives in the same batch.
press=0
for key in a a l l; do
    wait_more_frames "$dir/frames" 15 "$game"
    xdotool key "$key"
    press=$((press + 1))
    wait_more_frames "$dir/frames" 3 "$game"
    import -window root "$out/toggle-$press-$key.png" 2>/dev/null || true
done
wait_frames "$dir/frames" "$least" "$game" || true
import -window root "$out/after-shot.png" 2>/dev/null || true

# One tap: the game acts on the press in its next frame or two.
xdotool key Escape
tries=0
while kill -0 "$game" 2>/dev/null && [ "$tries" -lt 600 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
if kill -0 "$game" 2>/dev/null; then
    echo "memcheck: FAILED: a tap of Escape did not end the game within a minute" >&2
    exit 1
fi
status=0
wait "$game" || status=$?
game=""

frames=$(sed -n 's/^baizeline-timing: \([0-9]*\) frames in.*/\1/p' "$out/game.err")
echo "memcheck: game exit status $status, ${frames:-no} frames drawn"
grep -E "ERROR SUMMARY|definitely lost|invalid|Invalid" "$out/valgrind.log" || true
echo "memcheck: full log in $out/valgrind.log"
if [ "$status" -ne 0 ]; then
    echo "memcheck: FAILED (exit status $status; 3 means valgrind found errors)" >&2
    exit 1
fi
if [ -z "$frames" ] || [ "$frames" -lt "$least" ]; then
    echo "memcheck: FAILED: fewer than $least frames drawn" >&2
    exit 1
fi
echo "memcheck: passed"
