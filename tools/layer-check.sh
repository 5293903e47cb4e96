#!/bin/bash
# The layer check: the headless layers (physics/, rules/, play/, game/, opponent/, net/) include no
# SDL, GL or GLU header and nothing of app/ or scene/, neither directly nor through another
# header of the tree (a play/ file that includes camera/Camera.h reaches SDL and GL through
# it); scene/ includes nothing of app/, directly or through other headers. A folder that does
# not exist is skipped. Each breach is printed as file:line, the include written there and,
# when it is reached through other headers, where the forbidden include itself stands.
# usage: tools/layer-check.sh [ROOT]   (ROOT: the source tree; default: the one holding this script)
# Exit status: 0 when no layer breaks its rule, 1 when one does.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

headless=(physics rules play game opponent net)

# Sets `why` to the reason `target` may not be included from a file of `layer`; empty when it may.
Forbidden() { # layer target
    why=""
    case $1:$2 in
    scene:app/*) why="app/ below the application" ;;
    scene:*) ;;
    *:app/* | *:scene/*) why="${2%%/*}/ in a headless layer" ;;
    *:SDL.h | *:SDL/* | *:SDL_*.h | *:GL/*) why="SDL or GL in a headless layer" ;;
    esac
}

# "line target" for every #include of `file`, the target as the tree names it: an include
# written relative to the file's own folder ("../app/Game.h") is resolved from the root.
Includes() { # file
    local line target
    grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$1" |
        sed -E 's/^([0-9]+):[^<"]*[<"]([^>"]+)[>"].*/\1 \2/' |
        while read -r line target; do
            if [ ! -f "$target" ] && [ -f "$(dirname "$1")/$target" ]; then
                target=$(realpath -m --relative-to=. "$(dirname "$1")/$target")
            fi
            echo "$line $target"
        done
}

declare -A reached # "layer:header" -> what Reaches found for it ("-": nothing)

# Sets `hit` to the first forbidden include `header` reaches through the tree's own
# headers, as "header:line target"; empty when there is none.
Reaches() { # layer header
    local key="$1:$2" line target found=-
    if [ -z "${reached[$key]+set}" ]; then
        reached[$key]=- # a cycle of headers ends here
        while read -r line target; do
            Forbidden "$1" "$target"
            if [ -n "$why" ]; then
                found="$2:$line $target"
                break
            fi
            if [ -f "$target" ]; then
                Reaches "$1" "$target"
                if [ -n "$hit" ]; then
                    found=$hit
                    break
                fi
            fi
        done < <(Includes "$2")
        reached[$key]=$found
    fi
    hit=${reached[$key]#-}
}

breaches=0
Check() { # layer file
    local line target
    while read -r line target; do
        Forbidden "$1" "$target"
        hit=""
        if [ -z "$why" ] && [ -f "$target" ]; then
            Reaches "$1" "$target"
            why=""
            [ -z "$hit" ] || Forbidden "$1" "${hit#* }"
        fi
        [ -n "$why" ] || continue
        echo "$2:$line: includes $target: $why${hit:+ (reached at $hit)}"
        breaches=$((breaches + 1))
    done < <(Includes "$2")
}

for layer in "${headless[@]}" scene; do
    [ -d "$layer" ] || continue
    while IFS= read -r file; do
        Check "$layer" "$file"
    done < <(find "$layer" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) | sort)
done

if [ "$breaches" -ne 0 ]; then
    echo "layer check: $breaches include(s) run back up the layers" >&2
    exit 1
fi
echo "layer check: every layer keeps to its includes"
