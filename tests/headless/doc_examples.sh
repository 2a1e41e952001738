#!/usr/bin/env bash
# Runs every example script of docs/scripting.md (the fenced blocks after its
# "## Examples" heading) as one folder through qx70-run; each must pass. Also
# checks that the guide's table of device fields names every field that
# `qx70-run --fields` lists.
# Usage: doc_examples.sh QX70RUN DOC
set -uo pipefail

run=$1 doc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

awk -v dir="$work" '
  /^## Examples/ { examples = 1; next }
  /^## / { examples = 0 }
  examples && /^```/ { if (inside) { inside = 0 } else { inside = 1; n++ }; next }
  inside { print > (sprintf("%s/example%02d.qx70", dir, n)) }
' "$doc"

count=$(find "$work" -name 'example*.qx70' | wc -l)
[ "$count" -ge 3 ] || { echo "doc_examples: found only $count examples in $doc" >&2; exit 1; }
if ! "$run" "$work" >"$work/out"; then
  echo "doc_examples: FAIL: examples of $doc:" >&2
  cat "$work/out" >&2
  for script in $(sed -n 's/^\(FAIL\|ERROR\) //p' "$work/out"); do
    echo "$script:" >&2
    sed 's/^/  | /' "$script" >&2
  done
  failures=1
fi

for field in $("$run" --fields | awk 'NR > 1 { sub(/\[.*/, "", $1); print $1 }'); do
  grep -qF "\`$field" "$doc" || { echo "doc_examples: $doc lacks the field $field" >&2; failures=1; }
done

[ "$failures" -eq 0 ] || exit 1
echo "doc_examples: $count examples passed, every device field described"
