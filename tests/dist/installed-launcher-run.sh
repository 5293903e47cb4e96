#!/bin/sh
# shellcheck disable=SC2015 # "test && test || fail" is meant: fail when either test fails.
# The installed launcher, started as a player would, under X (make test gives
# an Xvfb): `cmake --install` into a scratch DESTDIR, a scratch HOME, then
#  1. a first start (through a link, as from another bin/) makes the player's
#     folder with a link to the installed data/ and the default game.cfg, the
#     window opens, Escape ends it with status 0;
#  2. a second start reuses the folder and the player's edited game.cfg (the
#     window takes the edited size), status 0, the edit is kept;
#  3. XDG_DATA_HOME moves the folder; a data/ folder of the player's own is
#     left alone, and the game's failure status (255) comes back through;
#  4. a launcher without the installed files beside it, or with nowhere to keep
#     the settings, says what is missing and ends with status 1;
# and nothing is ever written below the install prefix.
# usage: installed-launcher-run.sh BUILD_DIR
set -eu
# shellcheck source=tests/dist/keeping-manifest.sh
. "$(dirname "$0")/keeping-manifest.sh"
# shellcheck source=tools/game-wait.sh
. "$(dirname "$0")/../../tools/game-wait.sh"
build=$1
work=$(mktemp -d)
game_pid=""
cleanup() {
    if [ -n "$game_pid" ]; then kill "$game_pid" 2> /dev/null || true; fi
    chmod -R u+w "$work"
    rm -rf "$work"
}
trap cleanup EXIT

root=$work/root
keeping_manifest "$build" env DESTDIR="$root" cmake --install "$build" --prefix /usr/local > "$work/install.log"
p=$(cd "$root/usr/local" && pwd -P)
# Read-only for a non-root caller, so that a write below the prefix fails
# loudly; for root, the time stamp check at the end catches it.
chmod -R a-w "$root"
touch "$work/installed"

HOME=$work/home
export HOME
mkdir "$HOME"
unset XDG_DATA_HOME
player=$HOME/.local/share/baizeline

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# start COMMAND...: runs it in the background, output to $work/out and $work/err,
# its frames counted in $work/frames.
start() {
    rm -f "$work/frames"
    BAIZELINE_FRAME_COUNTER=$work/frames "$@" > "$work/out" 2> "$work/err" &
    game_pid=$!
}
# finish: waits for the started command; sets $status (124 when it had to be killed).
finish() {
    for _ in $(seq 1200); do
        kill -0 "$game_pid" 2> /dev/null || break
        sleep 0.1
    done
    if kill -0 "$game_pid" 2> /dev/null; then
        kill "$game_pid"
        wait "$game_pid" || true
        status=124
    elif wait "$game_pid"; then
        status=0
    else
        status=$?
    fi
    game_pid=""
}
# window: the X id of the game's window, once it has drawn its first frame
# (so not SDL's short-lived first window of the same name, nor one not yet
# at its size); "" when the game ended first.
window() {
    wait_frames "$work/frames" 1 "$game_pid" && game_window '^Baizeline'
}
# box: the X id of the error box, once mapped (keys sent before are lost).
box() {
    for _ in $(seq 1200); do
        _id=$(xdotool search --onlyvisible --name '^Error$' 2> /dev/null | head -n 1)
        [ -n "$_id" ] && { echo "$_id"; return; }
        kill -0 "$game_pid" 2> /dev/null || return
        sleep 0.1
    done
}
# quit: Escape, held a tenth of a second, until the game has gone; a press sent
# while the window is still taking the keyboard is lost, so another follows
# when the game has drawn a few frames since without ending.
quit() {
    for _ in $(seq 5); do
        kill -0 "$game_pid" 2> /dev/null || break
        xdotool keydown Escape sleep 0.1 keyup Escape
        wait_more_frames "$work/frames" 5 "$game_pid" || break
    done
    finish
}
size() { xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: //p'; }

# 1. First start.
ln -s "$p/bin/baizeline" "$work/baizeline"
start "$work/baizeline"
id=$(window)
if [ -z "$id" ]; then
    fail "first start: no game window"; cat "$work/err"; exit 1
fi
[ "$(size "$id")" = 800x600 ] || fail "first start: window $(size "$id"), want the default 800x600"
[ -L "$player/data" ] && [ "$(readlink "$player/data")" = "$p/share/baizeline/data" ] ||
    fail "first start: $player/data is not a link to $p/share/baizeline/data"
cmp -s "$player/game.cfg" "$p/share/baizeline/game.cfg" || fail "first start: game.cfg is not the default"
[ -w "$player/game.cfg" ] || fail "first start: the player cannot edit game.cfg"
quit
[ "$status" -eq 0 ] || { fail "first start: status $status, want 0"; cat "$work/err"; }

# 2. Second start, with the player's edit.
sed -i 's/^Width=.*/Width=640/; s/^Height=.*/Height=480/' "$player/game.cfg"
echo "; my own window size" >> "$player/game.cfg"
cp "$player/game.cfg" "$work/edited.cfg"
start "$p/bin/baizeline"
id=$(window)
if [ -z "$id" ]; then
    fail "second start: no game window"; cat "$work/err"
else
    [ "$(size "$id")" = 640x480 ] || fail "second start: window $(size "$id"), want the edited 640x480"
    quit
    [ "$status" -eq 0 ] || { fail "second start: status $status, want 0"; cat "$work/err"; }
fi
cmp -s "$player/game.cfg" "$work/edited.cfg" || fail "second start: the edited game.cfg was not kept"
[ -L "$player/data" ] || fail "second start: data is no longer a link"

# 3. Elsewhere by XDG_DATA_HOME, with the player's own (here empty) data/.
mkdir -p "$work/xdg/baizeline/data"
start env XDG_DATA_HOME="$work/xdg" "$p/bin/baizeline"
if [ -z "$(box)" ]; then
    fail "own data: no error box"; cat "$work/err"
fi
xdotool key Return
finish
[ "$status" -eq 255 ] || fail "own data: status $status, want the game's 255"
[ -d "$work/xdg/baizeline/data" ] && [ ! -L "$work/xdg/baizeline/data" ] ||
    fail "own data: the player's data folder was replaced"
cmp -s "$work/xdg/baizeline/game.cfg" "$p/share/baizeline/game.cfg" ||
    fail "own data: no default game.cfg in \$XDG_DATA_HOME/baizeline"
cmp -s "$player/game.cfg" "$work/edited.cfg" || fail "own data: the folder in HOME was touched"

# 4. Nothing to start, or nowhere to keep the settings: status 1 and the reason.
mkdir -p "$work/lone/bin"
cp "$p/bin/baizeline" "$work/lone/bin/"
if "$work/lone/bin/baizeline" > /dev/null 2> "$work/err"; then status=0; else status=$?; fi
[ "$status" -eq 1 ] || fail "lone launcher: status $status, want 1"
grep -q "$work/lone/lib/baizeline/baizeline is missing" "$work/err" ||
    fail "lone launcher: message does not name the missing game: $(cat "$work/err")"
if env -u HOME -u XDG_DATA_HOME "$p/bin/baizeline" > /dev/null 2> "$work/err"; then status=0; else status=$?; fi
[ "$status" -eq 1 ] && grep -q "HOME" "$work/err" ||
    fail "no HOME: status $status, message: $(cat "$work/err")"

written=$(find "$root" -newer "$work/installed")
[ -z "$written" ] || fail "written below the prefix: $written"

[ "$failed" -eq 0 ] || exit 1
echo "The installed launcher keeps each player's folder and passes the game's status on."
