#!/usr/bin/env bash
# End-to-end test of what qx70-run does to files when things go wrong: a
# signal in the middle of a run of shots leaves only whole pictures and no
# temporary file; a rewrite that cannot complete (the file size limit stands
# in for a full disk) leaves the earlier picture as it was; scripts that
# cannot be read say why before anything is read; shots that name one file
# twice, or a place that takes no file, are refused before anything runs;
# and the command line names what is wrong.
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

# A rewrite keeps the file's permissions and replaces what a link points to.
printf 'old' >"$dir/s1.png"
chmod 600 "$dir/s1.png"
ln -s s1.png "$dir/link.png"
printf 'shot link.png\n' >"$dir/link.qx70"
"$run" "$dir/link.qx70" || fail "the rewrite through a link failed"
[ -L "$dir/link.png" ] || fail "the rewrite replaced the link with a file"
[ "$(stat -c %a "$dir/s1.png")" = 600 ] || fail "the rewrite changed the permissions to $(stat -c %a "$dir/s1.png")"
cmp -s "$dir/s1.png" "$work/s1.before" || fail "the rewrite did not reach the linked file"

# expect_refusal MESSAGE ARGS...: exit status 2 and the message on stderr.
expect_refusal() {
  local message=$1
  shift
  "$run" "$@" >/dev/null 2>"$work/err"
  local status=$?
  [ "$status" -eq 2 ] || fail "qx70-run $*: exit status $status, expected 2"
  grep -qF -- "$message" "$work/err" || fail "qx70-run $*: stderr lacks '$message': $(cat "$work/err")"
}

dir="$work/read"
mkdir -p "$dir"
truncate -s 1G "$dir/huge.qx70"
expect_refusal "cannot read $dir/none.qx70: no such file" "$dir/none.qx70"
expect_refusal "cannot read $dir/huge.qx70: it is larger than 4 MiB (1073741824 bytes)" "$dir/huge.qx70"
if [ "$(id -u)" -ne 0 ]; then
  printf 'wait 1\n' >"$dir/locked.qx70"
  chmod 000 "$dir/locked.qx70"
  expect_refusal "cannot read $dir/locked.qx70: permission denied" "$dir/locked.qx70"
fi
head -c 5000000 /dev/zero | "$run" - >/dev/null 2>"$work/err"
[ $? -eq 2 ] && grep -q 'cannot read standard input: it is larger than 4 MiB' "$work/err" ||
  fail "a long script on standard input: $(cat "$work/err")"

# One file named two ways, and destinations that take no file, are refused
# before the first picture is written.
dir="$work/dest"
mkdir -p "$dir/sub"
printf 'shot a.png\nshot ./a.png\n' >"$dir/dot.qx70"
printf 'shot a.png\nshot sub/../a.png\n' >"$dir/up.qx70"
printf 'shot first.png\nwait 5\nshot /proc/x.png\n' >"$dir/proc.qx70"
expect_refusal "dot.qx70:2: shot: ./a.png is the same file as line 1's" "$dir/dot.qx70"
expect_refusal "up.qx70:2: shot: sub/../a.png is the same file as line 1's" "$dir/up.qx70"
expect_refusal "proc.qx70:3: shot: cannot write /proc/x.png" "$dir/proc.qx70"
(
  trap '' XFSZ
  ulimit -f 2
  "$run" "$dir/dot.qx70" >/dev/null 2>&1
  printf 'shot first.png\n' >"$dir/full.qx70"
  "$run" "$dir/full.qx70" 2>"$dir/full.err"
  [ $? -eq 2 ] && grep -q 'full.qx70:1: shot: cannot write .*first.png: File too large' "$dir/full.err"
) || fail "a full disk is not refused up front: $(cat "$dir/full.err")"
[ -z "$(ls "$dir" | grep png)" ] || fail "pictures were written before a refusal: $(ls "$dir")"

# The command line: the bad option named, --name=value, and -- before a
# script named like an option.
expect_refusal "qx70-run: unknown option --frobnicate" --frobnicate "$dir/dot.qx70"
printf 'shot o.png\n' >"$dir/-o.qx70"
mkdir "$dir/out"
"$run" --out="$dir/out" -- "$dir/-o.qx70" || fail "--out=DIR and -- were not taken"
[ -s "$dir/out/o.png" ] || fail "--out=DIR did not put the picture there"

[ "$failures" -eq 0 ] && echo "files_e2e: all checks passed"
[ "$failures" -eq 0 ]
