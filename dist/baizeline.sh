#!/bin/sh
# baizeline: starts the installed game from the player's own folder.
#
# The game reads game.cfg and data/ from its working directory. This launcher
# gives each player a folder, $XDG_DATA_HOME/baizeline (~/.local/share/baizeline
# by default), holding a link to the installed data/ and a copy of the default
# game.cfg to edit, and runs the game there. It finds the installed files from
# its own place (PREFIX/bin/baizeline -> PREFIX/lib/baizeline, PREFIX/share/baizeline),
# so the tree works under any prefix, and it never writes below PREFIX.
# Exit status: the game's own, or 1 when the launcher could not start it.
set -u

fail() {
    echo "baizeline: $*" >&2
    exit 1
}

# Resolve links to this script (a link to it in another bin/ is common), then
# step up from bin/ to the prefix. readlink -f is in coreutils, always present
# on the systems the package is for; without it the path is taken as it is.
self=$(readlink -f -- "$0" 2>/dev/null) || self=$0
prefix=$(cd -- "$(dirname -- "$self")/.." 2>/dev/null && pwd -P) ||
    fail "cannot find the folder this launcher was started from ($0)"
game=$prefix/lib/baizeline/baizeline
share=$prefix/share/baizeline

for need in "$game" "$share/data" "$share/game.cfg"; do
    [ -e "$need" ] ||
        fail "the installed game is incomplete: $need is missing (reinstall baizeline)"
done
[ -x "$game" ] || fail "the installed game is incomplete: $game is not executable (reinstall baizeline)"

# The XDG base directory rules: an unset, empty or relative XDG_DATA_HOME
# means ~/.local/share.
case ${XDG_DATA_HOME:-} in
    /*) data_home=$XDG_DATA_HOME ;;
    *)
        [ -n "${HOME:-}" ] || fail "neither XDG_DATA_HOME nor HOME is set: nowhere to keep the settings"
        data_home=$HOME/.local/share ;;
esac
player=$data_home/baizeline

mkdir -p -- "$player" || fail "cannot create the player's folder $player"

# Two launchers may start at once in a fresh home (a double click, a menu and
# a terminal). Each makes what it needs under a name of its own in the
# player's folder and renames it into place: rename(2) swaps a name in one
# step, so the other launcher sees either nothing or the finished link or
# file, never a half-made one, and a loser of the race takes the winner's.
# `ln -n` and `mv -T` act on a link itself: an existing link to a folder is
# never followed, which would put the new link inside the installed data/.
own=$player/.launcher.$$
cleanup_own() { rm -f -- "$own.data" "$own.cfg"; }
trap cleanup_own EXIT
trap 'exit 1' HUP INT TERM

# data/ follows the installed game: a link left by an earlier install
# elsewhere is pointed here again. A real folder is the player's own
# (replaced pictures or models) and is left alone.
if [ -L "$player/data" ] || [ ! -e "$player/data" ]; then
    if [ "$(readlink -- "$player/data" 2>/dev/null)" != "$share/data" ]; then
        rm -f -- "$own.data"
        ln -s -n -- "$share/data" "$own.data" ||
            fail "cannot link $player/data to $share/data"
        if ! mv -f -T -- "$own.data" "$player/data" 2>/dev/null; then
            # Refused over a real folder: one the player made meanwhile is kept.
            if [ ! -d "$player/data" ] || [ -L "$player/data" ]; then
                fail "cannot link $player/data to $share/data"
            fi
        fi
    fi
fi

# The player's game.cfg is theirs once it exists. The first one is the
# installed default, copied under a name of our own and put in place with a
# hard link, which fails rather than replace a name that is there: a copy
# another launcher put there first is kept. Where hard links are refused
# (some network and FUSE file systems), a rename does it.
if [ ! -e "$player/game.cfg" ]; then
    rm -f -- "$own.cfg"
    if ! { cp -- "$share/game.cfg" "$own.cfg" && chmod u+w -- "$own.cfg"; }; then
        fail "cannot copy $share/game.cfg to $player/game.cfg"
    fi
    if ! ln -- "$own.cfg" "$player/game.cfg" 2>/dev/null && [ ! -e "$player/game.cfg" ]; then
        mv -f -T -- "$own.cfg" "$player/game.cfg" ||
            fail "cannot copy $share/game.cfg to $player/game.cfg"
    fi
    rm -f -- "$own.cfg"
fi
trap - EXIT HUP INT TERM

cd -- "$player" || fail "cannot enter the player's folder $player"
exec "$game" "$@"
