#!/bin/sh
# tools/layer-check.sh on the real tree (it must pass) and on scratch copies of it, each
# with one forbidden include planted (the check must fail and name the planted file and
# line). Each plant gets its own copy, so that one found cannot hide another missed.
# usage: layer-check-test.sh SOURCE_DIR
set -eu
src=$1
check=$src/tools/layer-check.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

if ! "$check" "$src" > "$work/real.txt" 2>&1; then
    echo "FAIL: the real tree breaks its layers:"
    cat "$work/real.txt"
    failed=1
fi

# A copy of the folders the layers may reach, with `file` given one more include.
Plant() { # name file include
    tree=$work/$1
    mkdir -p "$tree"
    for dir in app audio camera config game net opponent physics play rules scene text; do
        [ -d "$src/$dir" ] || continue
        cp -R "$src/$dir" "$tree/"
    done
    mkdir -p "$(dirname "$tree/$2")"
    printf '// planted\n#include "physics/Vec3.h"\n#include %s\n' "$3" >> "$tree/$2"
}

# The check must fail on the tree and name `expected` (file:line) in its report.
ExpectCaught() { # name expected
    if "$check" "$work/$1" > "$work/$1.txt" 2>&1; then
        echo "FAIL: $1 passed the check"
        failed=1
    elif ! grep -q "^$2: " "$work/$1.txt"; then
        echo "FAIL: $1 was refused without naming $2:"
        cat "$work/$1.txt"
        failed=1
    else
        echo "caught: $1: $(grep "^$2: " "$work/$1.txt")"
    fi
}

Plant sdl_in_physics physics/Planted.h '<SDL.h>'
ExpectCaught sdl_in_physics physics/Planted.h:3
Plant glu_in_rules rules/Planted.cpp '<GL/glu.h>'
ExpectCaught glu_in_rules rules/Planted.cpp:3
Plant scene_in_play play/Planted.cpp '"scene/Ball.h"'
ExpectCaught scene_in_play play/Planted.cpp:3
Plant app_in_new_game_folder game/Planted.h '"app/Game.h"'
ExpectCaught app_in_new_game_folder game/Planted.h:3
Plant app_in_scene scene/Planted.cpp '"app/Game.h"'
ExpectCaught app_in_scene scene/Planted.cpp:3
Plant relative_app_in_opponent opponent/Planted.cpp '"../app/SceneSync.h"'
ExpectCaught relative_app_in_opponent opponent/Planted.cpp:3
Plant sdl_in_net net/Planted.cpp '<SDL/SDL.h>'
ExpectCaught sdl_in_net net/Planted.cpp:3
Plant app_in_net net/Planted.h '"app/TableScreen.h"'
ExpectCaught app_in_net net/Planted.h:3
# Through other headers: the text renderer's header includes GL, and a header
# outside every layer includes the application's.
Plant gl_through_text physics/Planted.cpp '"text/FreeFont.h"'
ExpectCaught gl_through_text physics/Planted.cpp:3
Plant app_through_header_in_scene scene/Planted.h '"tools/Planted.h"'
mkdir -p "$work/app_through_header_in_scene/tools"
printf '#include "app/Game.h"\n' > "$work/app_through_header_in_scene/tools/Planted.h"
ExpectCaught app_through_header_in_scene scene/Planted.h:3

# What the layers may include: SDL and GL in scene/, scene/ headers in scene/,
# the headless layers in each other.
Plant allowed_includes scene/Planted.cpp '<GL/gl.h>'
printf '#include "scene/Object.h"\n' >> "$work/allowed_includes/scene/Planted.cpp"
printf '#include "rules/Rules.h"\n' >> "$work/allowed_includes/play/Planted.cpp"
if ! "$check" "$work/allowed_includes" > "$work/allowed.txt" 2>&1; then
    echo "FAIL: allowed includes were refused:"
    cat "$work/allowed.txt"
    failed=1
fi

[ "$failed" -eq 0 ] && echo "The layer check passes the tree and catches every plant."
exit "$failed"
