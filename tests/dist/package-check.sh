#!/bin/sh
# The Debian package, built by CPack into a scratch folder: its Depends, worked
# out by dpkg-shlibdeps, name the package of every library the game is linked
# with, and unpacking it gives the very tree `cmake --install --strip` gives
# under /usr (same paths, kinds, modes, link targets and bytes).
# usage: package-check.sh BUILD_DIR SANITIZE
set -eu
# shellcheck source=tests/dist/keeping-manifest.sh
. "$(dirname "$0")/keeping-manifest.sh"
build=$1
if [ "$2" = 1 ]; then
    # Not a package anyone would ship: the game would depend on the sanitizer
    # runtimes. The package is checked in the normal build (make test).
    echo "SKIPPED: the package is not checked in a sanitizer build"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! keeping_manifest "$build" cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" \
    > "$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
set -- "$work"/pkg/baizeline_*_*.deb
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "FAIL: not one package: $*"
    exit 1
fi
deb=$1
failed=0
fail() { echo "FAIL: $*"; failed=1; }

dpkg-deb --info "$deb" > "$work/info"
cat "$work/info"
depends=$(sed -n 's/^ Depends: //p' "$work/info")
[ -n "$depends" ] || fail "dpkg-deb --info shows no Depends"
# Each library the game needs directly, found the way the dynamic loader
# finds it, belongs to a package that Depends must name.
game=$build/baizeline
for soname in $(readelf -d "$game" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    path=$(ldconfig -p | awk -v n="$soname" '$1 == n { print $NF; exit }')
    [ -n "$path" ] || { fail "$soname: not known to ldconfig"; continue; }
    owner=$(dpkg -S "$(readlink -f "$path")" 2> /dev/null | head -n 1 | cut -d: -f1) ||
        owner=""
    [ -n "$owner" ] || owner=$(dpkg -S "$path" 2> /dev/null | head -n 1 | cut -d: -f1) || owner=""
    [ -n "$owner" ] || { fail "$soname: no package owns $path"; continue; }
    echo "$depends" | sed 's/[,|]/\n/g' | sed 's/^ *//; s/ .*//' | grep -qx "$owner" ||
        fail "$soname comes from $owner, which Depends does not name"
done

# The package's tree against the install's.
keeping_manifest "$build" env DESTDIR="$work/installed" cmake --install "$build" --prefix /usr --strip \
    > "$work/install.log"
dpkg-deb -x "$deb" "$work/unpacked"
describe() { # the tree under $1: one line per entry, then the files' sums
    (
        cd "$1"
        find . -mindepth 1 \( -type d -printf 'dir %P\n' \) -o \( -type l -printf 'link %P -> %l\n' \) \
            -o \( -type f -printf 'file %m %P\n' \) -o -printf 'other %P\n' | sort
        find . -type f -exec sha256sum {} + | sort -k 2
    )
}
describe "$work/installed" > "$work/installed.txt"
describe "$work/unpacked" > "$work/unpacked.txt"
if ! diff -u "$work/installed.txt" "$work/unpacked.txt"; then
    fail "dpkg-deb -x gives another tree than cmake --install (diff above: - install, + package)"
fi
grep -q '^file 755 usr/bin/baizeline$' "$work/unpacked.txt" || fail "no launcher in the package"

[ "$failed" -eq 0 ] || exit 1
echo "The package names its libraries' packages and holds the installed tree."
