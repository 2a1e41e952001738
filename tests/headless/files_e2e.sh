#!/usr/bin/env bash
# End-to-end test of what qx70-run does to files when things go wrong: a
# signal in the middle of a run of shots leaves only whole pictures and no
# temporary file, and a rewrite that cannot complete (the file size limit
# stands in for a full disk) leaves the earlier picture as it was.
# Usage: files_e2e.sh QX70RUN
set -uo pipefail

run=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "files_e2e: FAIL: $*" >&2
  failures=$((failures + 1))
}

# True when the PNG ends with its IEND chunk.
whole_png() { [ "$(tail -c 8 "$1" | head -c 4)" = IEND ]; }

# Hidden files in a folder: the temporary files of unfinished writes.
temporaries() { find "$1" -maxdepth 1 -name '.*' ! -name . ! -name .. | wc -l; }

# Twenty large window shots; each takes long enough to be caught mid-write.
for i in $(seq 1 20); do printf 'wait 1\nshot w%d.png window scale 4\n' "$i"; done >"$work/many.qx70"

for sig in TERM INT HUP; do
  dir="$work/$sig"
  mkdir "$dir"
  cp "$work/many.qx70" "$dir/"
  "$run" "$dir/many.qx70" 2>"$dir/err" &
  pid=$!
  # Wait until a picture is being written, then send the signal.
  for _ in $(seq 1 600); do
    [ "$(temporaries "$dir")" -gt 0 ] && break
    sleep 0.01
  done
  kill -"$sig" "$pid"
  wait "$pid"
  status=$?
  want=$((128 + $(kill -l "$sig")))
  [ "$status" -eq "$want" ] || fail "SIG$sig: exit status $status, expected $want"
  [ "$(temporaries "$dir")" -eq 0 ] || fail "SIG$sig left temporary files: $(ls -A "$dir")"
  for f in "$dir"/w*.png; do
    [ -e "$f" ] || continue
    whole_png "$f" || fail "SIG$sig left a truncated picture $(basename "$f")"
  done
done

# A rewrite that fails keeps the earlier picture.
dir="$work/full"
mkdir "$dir"
printf 'shot s1.png\n' >"$dir/small.qx70"
printf 'shot s1.png scale 4\n' >"$dir/large.qx70"
"$run" "$dir/small.qx70" || fail "the first picture was not written"
cp "$dir/s1.png" "$work/s1.before"
(
  trap '' XFSZ
  ulimit -f 8
  "$run" "$dir/large.qx70" 2>"$dir/err"
)
status=$?
[ "$status" -eq 2 ] || fail "a failed rewrite: exit status $status, expected 2"
grep -q 'large.qx70:1: cannot write .*s1.png: File too large' "$dir/err" ||
  fail "a failed rewrite says: $(cat "$dir/err")"
cmp -s "$dir/s1.png" "$work/s1.before" || fail "a failed rewrite changed the earlier picture"
[ "$(temporaries "$dir")" -eq 0 ] || fail "a failed rewrite left temporary files: $(ls -A "$dir")"

[ "$failures" -eq 0 ] && echo "files_e2e: all checks passed"
[ "$failures" -eq 0 ]
