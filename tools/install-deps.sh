#!/bin/sh
# Installs the Debian packages the build, the game and the tests need.
# Idempotent: apt-get runs only when at least one package is absent.
set -eu

PACKAGES="g++ cmake make pkg-config libsdl1.2-dev lib3ds-dev libfreetype-dev \
libglu1-mesa-dev libgl-dev libgl1-mesa-dri xvfb xauth xdotool x11-apps \
x11-utils libx11-dev imagemagick fonts-dejavu-core libgtest-dev libbenchmark-dev \
clang libclang-rt-14-dev clang-format valgrind time \
desktop-file-utils man-db dpkg-dev file binutils libenet-dev"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        SUDO="sudo"
    else
        echo "error: packages missing ($missing) and not running as root (no sudo)" >&2
        exit 1
    fi
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
