#!/usr/bin/env bash
# End-to-end test of the real qx70-run binary: a run that passes and writes
# its pictures, a failed expectation, scripts and command lines that stop
# before anything runs or is written, and comparing with reference pictures.
# Usage: headless_e2e.sh QX70RUN SCRIPTS_DIR
set -uo pipefail

run=$1 scripts=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0

fail() {
  echo "headless_e2e: FAIL: $*" >&2
  [ -s "$work/err" ] && sed 's/^/  stderr: /' "$work/err" >&2
  failures=$((failures + 1))
}

# expect_run STATUS ARGS...: runs qx70-run with ARGS and checks its status.
expect_run() {
  local want=$1
  shift
  "$run" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "qx70-run $* exited $got, expected $want"
}

expect_stderr() {
  grep -qF -- "$1" "$work/err" || fail "stderr lacks: $1"
}

# PNG signature and the width and height of its header.
png_size() {
  [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || return 1
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 " " $7 * 256 + $8 }'
}

mkdir -p "$work/pass" "$work/ro"

# A passing run writes every picture next to the script, at its size.
cp "$scripts/pass.qx70" "$work/pass/"
expect_run 0 "$work/pass/pass.qx70"
[ "$(png_size "$work/pass/screen.png")" = "256 320" ] || fail "screen.png is not a 256 x 320 PNG"
[ "$(png_size "$work/pass/window.png")" = "450 550" ] || fail "window.png is not a 450 x 550 PNG"
[ -s "$work/out" ] && fail "a passing run prints nothing"

# --out moves the pictures; the same script gives the same bytes.
mkdir -p "$work/again"
expect_run 0 --out "$work/again" "$work/pass/pass.qx70"
cmp -s "$work/pass/screen.png" "$work/again/screen.png" || fail "two runs gave different pictures"

# Comparing with itself passes; a changed reference fails with the first
# differing pixel and leaves the picture taken as NAME_err.png.
expect_run 0 --compare "$work/pass" --out "$work/again" "$work/pass/pass.qx70"
cp "$work/pass/window.png" "$work/again/screen.png"
expect_run 1 --compare "$work/again" --out "$work/again" "$work/pass/pass.qx70"
expect_stderr "pass.qx70:8: $work/again/screen.png is 450 x 550, the picture taken 256 x 320; picture taken: $work/again/screen_err.png"
[ "$(png_size "$work/again/screen_err.png")" = "256 320" ] || fail "no screen_err.png"
expect_run 0 --out "$work/again" "$scripts/other.qx70"
expect_run 1 --compare "$work/again" --out "$work/again" "$work/pass/pass.qx70"
expect_stderr "window.png differs from $work/again/window.png in"
expect_stderr "pixels; the first at ("
rm -f "$work/again/window.png"
expect_run 1 --compare "$work/again" --out "$work/again" "$work/pass/pass.qx70"
expect_stderr "cannot read $work/again/window.png"

# A failed expectation: status 1, its line, what was expected and found, and
# no picture from the lines after it.
cp "$scripts/fail.qx70" "$work/"
expect_run 1 "$work/fail.qx70"
expect_stderr "fail.qx70:4: expected page setup, found data"
[ -e "$work/after.png" ] && fail "a picture after the failed line was written"

# A bad script: every error with its line, status 2, nothing written.
cp "$scripts/bad.qx70" "$work/"
expect_run 2 "$work/bad.qx70"
expect_stderr "bad.qx70:3: unknown command 'fly'"
expect_stderr "bad.qx70:4: press: unknown button 'up' (view, left, right or both)"
expect_stderr "bad.qx70:5: wait: bad duration 'soon'"
expect_stderr "bad.qx70:6: set: unknown device field 'warpFactor'"
expect_stderr "bad.qx70:7: slot: slot 100 outside 0 to 99"
[ -e "$work/first.png" ] && fail "a bad script wrote a picture"

# Unwritable destinations are found before the run.
printf 'shot first.png\nwait 5\nshot missing/x.png\nshot ro/y.png\n' >"$work/paths.qx70"
chmod a-w "$work/ro"
expect_run 2 "$work/paths.qx70"
expect_stderr "paths.qx70:3: shot: cannot write $work/missing/x.png: folder $work/missing does not exist"
if [ "$(id -u)" -ne 0 ]; then
  expect_stderr "paths.qx70:4: shot: cannot write $work/ro/y.png: folder $work/ro is not writable"
fi
[ -e "$work/first.png" ] && fail "a script with an unwritable shot wrote a picture"

# Command line and file problems.
expect_run 2
expect_stderr "usage: qx70-run"
expect_run 2 --out
expect_run 2 "$work/nothing-here.qx70"
expect_stderr "cannot read $work/nothing-here.qx70"
expect_run 2 "$work"
expect_stderr "cannot read $work"
expect_run 0 --help

if [ "$failures" -ne 0 ]; then
  echo "headless_e2e: $failures checks failed" >&2
  exit 1
fi
echo "headless_e2e: all checks passed"
