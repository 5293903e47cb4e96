#!/bin/sh
# Two launchers started at the same moment in a fresh home, 20 times over, and
# 20 times more with a stale data link left by an install elsewhere: every start
# ends with status 0, each home ends with the link and the default game.cfg,
# and nothing appears under the prefix (a losing `ln -s` used to follow the
# winner's new link and write data/data into the installed tree).
# The launcher is what races here, so the installed game is swapped for a
# stand-in that checks the folder it was started in as the game would read it:
# no X, and a pair takes milliseconds.
# usage: launcher-race.sh BUILD_DIR
set -eu
# shellcheck source=tests/dist/keeping-manifest.sh
. "$(dirname "$0")/keeping-manifest.sh"
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A prefix the player can write to, as `make install PREFIX=$HOME/games` makes:
# the case where a stray write lands in the installed tree instead of failing.
keeping_manifest "$build" cmake --install "$build" --prefix "$work/games" > "$work/install.log"
p=$work/games
share=$p/share/baizeline
cat > "$p/lib/baizeline/baizeline" << 'EOF'
#!/bin/sh
# Stand-in for the game: the folder must hold what the game reads.
[ -L data ] && [ -f data/pooltable.3ds ] && [ -f game.cfg ] && [ -w game.cfg ] || {
    echo "stand-in: $(pwd) is not ready: $(ls -la)" >&2
    exit 3
}
EOF
chmod 755 "$p/lib/baizeline/baizeline"
find "$p" | sort > "$work/prefix-before"

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# launch HOME SIDE: a launcher for HOME that waits for the start signal.
launch() {
    # Both wait on the same file, so that they leave the line together.
    while [ ! -e "$work/go" ]; do :; done
    exec env HOME="$1" XDG_DATA_HOME= "$p/bin/baizeline" > "$1.$2.out" 2>&1
}
# check HOME SIDE PID: the launcher ended with status 0.
check() {
    if wait "$3"; then status=0; else status=$?; fi
    [ "$status" -eq 0 ] || fail "$1, launcher $2: status $status: $(cat "$1.$2.out")"
}
# pair HOME: starts two launchers for that home at once and checks both and the home.
pair() {
    rm -f "$work/go"
    launch "$1" a &
    a=$!
    launch "$1" b &
    b=$!
    touch "$work/go"
    check "$1" a "$a"
    check "$1" b "$b"
    folder=$1/.local/share/baizeline
    [ "$(readlink "$folder/data")" = "$share/data" ] || fail "$1: data is not a link to $share/data"
    cmp -s "$folder/game.cfg" "$share/game.cfg" || fail "$1: game.cfg is not the default"
    leftovers=$(find "$folder" -name '.launcher.*')
    [ -z "$leftovers" ] || fail "$1: left behind: $leftovers"
}

i=0
while [ "$i" -lt 20 ]; do
    i=$((i + 1))
    mkdir "$work/fresh$i"
    pair "$work/fresh$i"
    # A link from an install elsewhere, to a folder that is still there.
    mkdir -p "$work/stale$i/.local/share/baizeline" "$work/old/share/baizeline/data"
    ln -s "$work/old/share/baizeline/data" "$work/stale$i/.local/share/baizeline/data"
    pair "$work/stale$i"
done
[ -z "$(ls -A "$work/old/share/baizeline/data")" ] || fail "written into the old install's data/"

find "$p" | sort > "$work/prefix-after"
if ! cmp -s "$work/prefix-before" "$work/prefix-after"; then
    fail "new under the prefix: $(comm -13 "$work/prefix-before" "$work/prefix-after" | tr '\n' ' ')"
fi

[ "$failed" -eq 0 ] || exit 1
echo "20 pairs of launchers in fresh homes and 20 with a stale link: all started, nothing written under the prefix."
