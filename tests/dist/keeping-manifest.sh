# shellcheck shell=sh
# Sourced by the install tests. Every `cmake --install`, CPack's included,
# rewrites BUILD/install_manifest.txt: the list a real `make install` left for
# removing the game again. keeping_manifest BUILD COMMAND... runs COMMAND and
# then puts that list back (or removes the one COMMAND made, if there was none).
keeping_manifest() {
    _manifest=$1/install_manifest.txt
    shift
    _saved=""
    if [ -e "$_manifest" ]; then
        _saved=$(mktemp)
        cp -p "$_manifest" "$_saved"
    fi
    _status=0
    "$@" || _status=$?
    if [ -n "$_saved" ]; then
        mv "$_saved" "$_manifest"
    else
        rm -f "$_manifest"
    fi
    return "$_status"
}
