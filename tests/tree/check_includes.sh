#!/usr/bin/env bash
# Includes run downward only: each folder may include its own headers and
# those of the folders below it, and only platform/sdl/ may include SDL or
# X11. Prints every include that breaks the rule and fails if there is one.
set -u
top=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$top" || exit 2

# What each folder may include from the project, besides itself.
allowed() {
    case $1 in
        gfx | device) echo "" ;;
        app) echo "gfx device" ;;
        shell) echo "app gfx device" ;;
        script) echo "shell app gfx device" ;;
        desk) echo "script shell app gfx device" ;;
        platform/files) echo "" ;;
        platform/png) echo "platform/files" ;;
        platform/*) echo "platform/files platform/png desk script shell app gfx device" ;;
    esac
}

bad=0
for dir in gfx device app shell script desk platform/*; do
    [ -d "$dir" ] || continue
    ok="$dir $(allowed "$dir")"
    while IFS=: read -r file line text; do
        target=${text#*\"}
        target=${target%%\"*}
        case $target in */*) ;; *) continue ;; esac
        fits=0
        for a in $ok; do
            case $target in "$a"/*) fits=1 ;; esac
        done
        if [ $fits -eq 0 ]; then
            echo "$file:$line: $dir/ must not include \"$target\""
            bad=1
        fi
    done < <(grep -rnE '^[[:space:]]*#include[[:space:]]*"' "$dir" --include='*.h' --include='*.cpp')
    if [ "$dir" != platform/sdl ]; then
        while IFS= read -r hit; do
            echo "$hit: only platform/sdl/ may include SDL or X11"
            bad=1
        done < <(grep -rnE '^[[:space:]]*#include[[:space:]]*[<"](SDL|X11/)' "$dir" --include='*.h' --include='*.cpp' | cut -d: -f1,2)
    fi
done
[ $bad -eq 0 ] && echo "include rule holds"
exit $bad
