# shellcheck shell=sh
# Sourced by the scripts that drive the real game: waits on what the game
# shows, never on a fixed pause, so a slow build (a sanitizer's, valgrind's, a
# loaded machine's) drives the same as a fast one. The game must have been
# started with BAIZELINE_FRAME_COUNTER=FILE (it keeps its presented frames
# there) and its standard output in a file. Each wait gives up after
# GAME_PATIENCE seconds (default 120), or as soon as process PID has ended,
# and then says so on standard error and returns 1.

# frames FILE: the frames presented so far (0 before the first).
frames() {
    _n=$(od -An -tu8 -N8 "$1" 2> /dev/null | tr -d ' ') || true
    echo "${_n:-0}"
}

# _gw_alive PID: true while PID runs ("" counts as running).
_gw_alive() { [ -z "$1" ] || kill -0 "$1" 2> /dev/null; }

# _gw_gave_up WHAT PID: says why a wait ended without its condition; returns 1.
_gw_gave_up() {
    if _gw_alive "$2"; then
        echo "game-wait: no $1 within ${GAME_PATIENCE:-120} s" >&2
    else
        echo "game-wait: the game ended before $1" >&2
    fi
    return 1
}

# wait_frames FILE N [PID]: until N frames in all have been presented.
wait_frames() {
    _gw_left=$(( ${GAME_PATIENCE:-120} * 20 ))
    while [ "$(frames "$1")" -lt "$2" ]; do
        if ! _gw_alive "${3:-}" || [ "$_gw_left" -le 0 ]; then
            _gw_gave_up "frame $2" "${3:-}"
            return 1
        fi
        sleep 0.05
        _gw_left=$((_gw_left - 1))
    done
}

# wait_more_frames FILE N [PID]: until N frames more than now have been
# presented. Input sent before the call has then been handled and drawn (an
# event can miss the poll of the frame under way: wait 3 for one to show).
wait_more_frames() {
    wait_frames "$1" $(( $(frames "$1") + $2 )) "${3:-}"
}

# _gw_count FILE PATTERN: lines of FILE matching PATTERN; 0 before FILE is there.
_gw_count() {
    _n=$(grep -cE "$2" "$1" 2> /dev/null) || true
    echo "${_n:-0}"
}

# wait_log FILE PATTERN COUNT [PID]: until COUNT lines of FILE match PATTERN (grep -E).
wait_log() {
    _gw_left=$(( ${GAME_PATIENCE:-120} * 20 ))
    while [ "$(_gw_count "$1" "$2")" -lt "$3" ]; do
        if ! _gw_alive "${4:-}" || [ "$_gw_left" -le 0 ]; then
            _gw_gave_up "'$2' ($3 times) in $1" "${4:-}"
            return 1
        fi
        sleep 0.05
        _gw_left=$((_gw_left - 1))
    done
}

# game_window REGEX: the X id of the mapped window whose name matches; "" when
# there is none. Asked once the game has presented a frame, it is the game's
# window at its final size: SDL makes a small window of the same name first and
# replaces it, and maps the final one before it returns to draw.
game_window() {
    xdotool search --onlyvisible --name "$1" 2> /dev/null | head -n 1
}
