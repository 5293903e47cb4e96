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

# data/ follows the installed game: a link left by an earlier install
# elsewhere is pointed here again. A real folder is the player's own
# (replaced pictures or models) and is left alone.
if [ -L "$player/data" ] || [ ! -e "$player/data" ]; then
    if [ "$(readlink -- "$player/data" 2>/dev/null)" != "$share/data" ]; then
        rm -f -- "$player/data"
        ln -s -- "$share/data" "$player/data" || fail "cannot link $player/data to $share/data"
    fi
fi

# The player's game.cfg is theirs once it exists; the first one is the
# installed default, copied under another name and renamed so that an
# interrupted copy never leaves half a file to be kept.
if [ ! -e "$player/game.cfg" ]; then
    if ! { cp -- "$share/game.cfg" "$player/game.cfg.new" &&
        chmod u+w -- "$player/game.cfg.new" &&
        mv -- "$player/game.cfg.new" "$player/game.cfg"; }; then
        fail "cannot copy $share/game.cfg to $player/game.cfg"
    fi
fi

cd -- "$player" || fail "cannot enter the player's folder $player"
exec "$game" "$@"
