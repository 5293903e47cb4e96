#!/bin/sh
# The format check: clang-format (with the tree's .clang-format) on the C++ lines a change
# touches; the rest of the tree is left as it is written. Prints what clang-format would
# change and fails when that is anything.
#
# "The change" is every line that differs between a base commit and HEAD
# (`git clang-format --diff BASE HEAD`: committed work only; format uncommitted edits with
# plain `git clang-format`). A file moved or renamed counts as changed throughout. The base
# is, in this order:
#   - the first argument, or FORMAT_BASE, when given (any commit name);
#   - when HEAD is a merge: its first parent, the branch merged into as it was before the
#     merge, so that everything the merge brings in is checked, conflict fixes included;
#   - otherwise HEAD's parent: the last commit.
# CI checks a fresh clone of the submitted main, whose HEAD is the merge or commit that
# submitted the work, so no state outside the clone is needed. A clone without HEAD's
# parent (one commit, or a shallow clone) has nothing to compare with: the check says so
# and passes.
# usage: tools/format-check.sh [BASE]
set -eu
cd "$(dirname "$0")/.."

base=${1:-${FORMAT_BASE:-}}
command -v git-clang-format > /dev/null || {
    echo "format check: git-clang-format is missing (Debian package clang-format)" >&2
    exit 2
}
if [ -z "$base" ]; then
    # A merge's first parent and a plain commit's parent are both HEAD^1.
    if ! git rev-parse -q --verify HEAD^1 > /dev/null; then
        echo "format check: HEAD has no parent in this clone; nothing to compare with"
        exit 0
    fi
    base=HEAD^1
fi
git rev-parse -q --verify "$base^{commit}" > /dev/null || {
    echo "format check: no commit '$base'" >&2
    exit 2
}

echo "format check: lines changed from $(git rev-parse --short "$base") to $(git rev-parse --short HEAD)"
# git-clang-format 14 exits 0 whether or not it would change anything: its diff is the verdict.
out=$(git clang-format --diff --extensions cpp,h,hpp,cc "$base" HEAD) || {
    echo "format check: git clang-format failed" >&2
    exit 2
}
if printf '%s\n' "$out" | grep -q '^diff --git '; then
    printf '%s\n' "$out"
    echo "format check: the lines above are not as .clang-format writes them" \
        "(git clang-format $base, then commit, fixes them)" >&2
    exit 1
fi
echo "format check: every changed line is formatted"
