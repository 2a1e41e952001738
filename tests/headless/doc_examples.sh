#!/usr/bin/env bash
# Runs every example script of docs/scripting.md (the fenced blocks after its
# "## Examples" heading) through qx70-run; each must pass.
# Usage: doc_examples.sh QX70RUN DOC
set -uo pipefail

run=$1 doc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v dir="$work" '
  /^## Examples/ { examples = 1; next }
  /^## / { examples = 0 }
  examples && /^```/ { if (inside) { inside = 0 } else { inside = 1; n++ }; next }
  inside { print > (dir "/example" n ".qx70") }
' "$doc"

count=0 failures=0
for script in "$work"/example*.qx70; do
  [ -e "$script" ] || break
  count=$((count + 1))
  if ! "$run" "$script"; then
    echo "doc_examples: FAIL: example $count of $doc:" >&2
    sed 's/^/  | /' "$script" >&2
    failures=$((failures + 1))
  fi
done
[ "$count" -ge 3 ] || { echo "doc_examples: found only $count examples in $doc" >&2; exit 1; }
[ "$failures" -eq 0 ] || exit 1
echo "doc_examples: $count examples passed"
