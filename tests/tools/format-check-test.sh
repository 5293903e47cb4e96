#!/bin/sh
# tools/format-check.sh in a scratch repository with the tree's .clang-format: a commit
# whose changed lines clang-format would rewrite fails and is shown, a formatted one
# passes, an old badly formatted line that the change leaves alone is not its concern,
# and a merge is checked against its first parent.
# usage: format-check-test.sh SOURCE_DIR
set -eu
src=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

mkdir "$work/repo"
cd "$work/repo"
git init -q -b main .
git config user.email check@example.invalid
git config user.name check
mkdir tools
cp "$src/tools/format-check.sh" tools/
cp "$src/.clang-format" .
printf 'int Old( int a ){return a;}\n' > old.cpp # written before the check: left alone
git add -A
git commit -qm base

Expect() { # status what
    if tools/format-check.sh > "$work/out.txt" 2>&1; then got=0; else got=$?; fi
    if [ "$got" -ne "$1" ]; then
        echo "FAIL: $2: status $got, want $1"
        cat "$work/out.txt"
        failed=1
    else
        echo "ok: $2"
    fi
}

printf 'int Added(int a)\n{\n    return a + 1;\n}\n' > added.cpp
git add -A
git commit -qm formatted
Expect 0 "a formatted commit beside an old unformatted line passes"

printf 'int Worse( int a ){return a-1;}\n' >> added.cpp
git add -A
git commit -qm unformatted
Expect 1 "an unformatted changed line fails"
grep -q 'Worse' "$work/out.txt" || { echo "FAIL: the report does not show the line"; failed=1; }

# A branch whose unformatted line is not in its last commit, merged.
git checkout -q -b side HEAD~1
printf 'int Side( int a ){return a;}\n' > side.cpp
git add -A
git commit -qm side
printf 'int Later(int a)\n{\n    return a;\n}\n' > later.cpp
git add -A
git commit -qm later
git checkout -q main
git reset -q --hard HEAD~1
git merge -q --no-ff -m merge side
Expect 1 "a merge bringing an unformatted line in an earlier commit of its branch fails"
grep -q 'Side' "$work/out.txt" || { echo "FAIL: the merge's report does not show the line"; failed=1; }

exit "$failed"
