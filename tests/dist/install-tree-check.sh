#!/bin/sh
# `cmake --install` into a scratch DESTDIR: every part of the install is there
# and in its place, nothing else is, the menu entry validates, the manual page
# renders without a warning and the icons are PNGs of their folder's size.
# usage: install-tree-check.sh BUILD_DIR
set -eu
# shellcheck source=tests/dist/keeping-manifest.sh
. "$(dirname "$0")/keeping-manifest.sh"
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
prefix=/opt/baizeline-test
keeping_manifest "$build" env DESTDIR="$root" cmake --install "$build" --prefix "$prefix" > "$work/install.log"
p=$root$prefix

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# The parts, each with the type it must be.
[ -x "$p/bin/baizeline" ] || fail "launcher bin/baizeline missing or not executable"
[ -x "$p/lib/baizeline/baizeline" ] || fail "game lib/baizeline/baizeline missing or not executable"
cmp -s "$p/share/baizeline/game.cfg" "$(dirname "$0")/../../data/game.cfg" ||
    fail "share/baizeline/game.cfg is not the default data/game.cfg"
for f in pooltable.3ds cue.3ds debug_font.ttf debug_font-LICENSE.txt cloth.bmp ball_0.bmp ball_15.bmp; do
    [ -f "$p/share/baizeline/data/$f" ] || fail "share/baizeline/data/$f missing"
done
# The installed assets are the built ones.
for f in "$p"/share/baizeline/data/*; do
    cmp -s "$f" "$build/run/data/$(basename "$f")" || fail "$f differs from the build's"
done

# Nothing outside the folders the install owns.
stray=$(cd "$p" && find . \( -type f -o -type l \) | sed 's|^\./||' | { grep -v -E \
    '^(bin/baizeline|lib/baizeline/baizeline|share/baizeline/(game\.cfg|data/[^/]+)|share/applications/baizeline\.desktop|share/icons/hicolor/[0-9]+x[0-9]+/apps/baizeline\.png|share/man/man6/baizeline\.6\.gz)$' || true; })
[ -z "$stray" ] || fail "unexpected files installed: $stray"

desktop=$p/share/applications/baizeline.desktop
if ! out=$(desktop-file-validate "$desktop" 2>&1) || [ -n "$out" ]; then
    fail "desktop-file-validate: $out"
fi
grep -qx 'Exec=baizeline --menu' "$desktop" || fail "the menu entry does not start the launcher at the game's menu"
for action in 'Exec=baizeline --mode 1' 'Exec=baizeline --mode 2 --opponent 2' 'Exec=baizeline --mode 3 --opponent 2'; do
    grep -qx "$action" "$desktop" || fail "the menu entry lacks the action '$action'"
done
grep -qx 'Icon=baizeline' "$desktop" || fail "the menu entry does not name the icon"

# groff's warnings (-Tutf8 --warnings) go to standard error: there must be none.
page=$p/share/man/man6/baizeline.6.gz
if ! warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 > /dev/null) ||
    [ -n "$warnings" ]; then
    fail "man -l $page warns: $warnings"
fi
text=$(LC_ALL=C MANWIDTH=80 man -l "$page" 2>/dev/null | col -b)
for heading in CONTROLS CONFIGURATION FILES "EXIT STATUS"; do
    echo "$text" | grep -qx "$heading" || fail "manual page has no $heading section"
done
# Every key of the default game.cfg is explained, with its shipped value as default.
keys=$(sed -n 's/^\([A-Za-z][A-Za-z0-9]*\)=\(.*\)$/\1 \2/p' "$p/share/baizeline/game.cfg")
[ -n "$keys" ] || fail "no keys read from game.cfg"
echo "$keys" | while read -r key value; do
    echo "$text" | grep -q "^ *$key (default $value)\$" ||
        { echo "FAIL: manual page lacks '$key (default $value)'"; exit 1; }
done || failed=1

for size in 16 32 48 64 128 256; do
    icon=$p/share/icons/hicolor/${size}x${size}/apps/baizeline.png
    what=$(file -b "$icon")
    case $what in
        "PNG image data, $size x $size, 8-bit/color RGBA"*) ;;
        *) fail "$icon: $what" ;;
    esac
done

[ "$failed" -eq 0 ] || exit 1
echo "The install tree is complete and valid."
