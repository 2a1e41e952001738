#!/usr/bin/env bash
# Every C++ file of the project as .clang-format lays it out (generated tables
# aside). Lists the files that differ and fails; with --fix, formats them.
set -u
fix=0
if [ "${1:-}" = --fix ]; then
    fix=1
    shift
fi
top=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$top" || exit 2
cf=$(command -v clang-format-14 || command -v clang-format) || {
    echo "clang-format not found (scripts/install-deps.sh installs it)" >&2
    exit 2
}
mapfile -t files < <(find gfx device app shell script desk platform packaging tests tools bench \
    -name '*.cpp' -o -name '*.h' | grep -v '_data\.cpp$' | sort)
if [ $fix -eq 1 ]; then
    "$cf" -i "${files[@]}"
    exit 0
fi
# One run over every file; each violation names its file.
bad=$("$cf" --dry-run "${files[@]}" 2>&1 | grep -oE '^[^:]+:[0-9]+:[0-9]+: (warning|error)' |
    cut -d: -f1 | sort -u)
if [ -n "$bad" ]; then
    sed 's/$/: not formatted (make format)/' <<<"$bad"
    exit 1
fi
echo "${#files[@]} files formatted"
