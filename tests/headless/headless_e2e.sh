#!/usr/bin/env bash
# End-to-end test of the real qx70-run binary: a run that passes and writes
# its pictures, a failed expectation, scripts and command lines that stop
# before anything runs or is written, comparing with reference pictures,
# many scripts with their summary and JUnit report, expect screen, repeats,
# a script piped in, and the progress line on a terminal.
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

expect_stdout_line() {
  grep -qxF -- "$1" "$work/out" || fail "stdout lacks the line: $1"
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
mkdir -p "$work/empty"
expect_run 2 "$work/empty"
expect_stderr "no *.qx70 scripts in $work/empty"
expect_run 2 --jobs 0 "$work/fail.qx70"
expect_stderr "--jobs takes a number from 1 to 1024"
expect_run 0 --help

# Many scripts: a folder runs each of its scripts from power-on in a process
# of its own, in name order; one line per script, its messages, a summary.
s=$work/suite
mkdir -p "$s"
cp "$scripts/pass.qx70" "$scripts/fail.qx70" "$scripts/bad.qx70" "$s/"
expect_run 2 --junit "$work/report.xml" "$s"
[ "$(grep -E '^(PASS|FAIL|ERROR) ' "$work/out" | sed -E 's/ [0-9]+\.[0-9]{2} s$//')" = "ERROR $s/bad.qx70
FAIL $s/fail.qx70
PASS $s/pass.qx70" ] || fail "one line per script, in name order, PASS with its time"
expect_stdout_line "$s/bad.qx70:3: unknown command 'fly'"
expect_stdout_line "$s/fail.qx70:4: expected page setup, found data"
[ "$(tail -n 1 "$work/out")" = "1 passed, 2 failed (1 could not run)" ] || fail "the summary line"
[ -e "$s/after.png" ] && fail "the failing script ran past its failure"
[ -e "$s/first.png" ] && fail "the broken script ran"
expect_run 1 "$s/pass.qx70" "$s/fail.qx70"
expect_run 0 -v "$s/pass.qx70"
expect_stdout_line "1 passed, 0 failed"
expect_run 2 --quiet "$s"
grep -qE '^PASS|passed' "$work/out" && fail "--quiet printed a pass or the summary"
expect_stdout_line "FAIL $s/fail.qx70"

# The JUnit report, read back by an XML parser; names that are not valid
# XML text still give a well-formed file.
xpath() { xmllint --xpath "$1" "$work/report.xml" 2>/dev/null; }
[ "$(xpath 'string(/testsuites/testsuite/@tests)')" = 3 ] || fail "report: 3 tests"
[ "$(xpath 'string(/testsuites/testsuite/@failures)')" = 1 ] || fail "report: 1 failure"
[ "$(xpath 'string(/testsuites/testsuite/@errors)')" = 1 ] || fail "report: 1 error"
[ "$(xpath 'count(//testcase[@name="pass" and @time>0]/*)')" = 0 ] || fail "report: the pass"
[ "$(xpath 'string(//testcase[@name="fail"]/failure/@message)')" = \
  "expected page setup, found data" ] || fail "report: the failure's message"
xpath 'string(//testcase[@name="bad"]/error)' | grep -qxF "$s/bad.qx70:7: slot: slot 100 outside 0 to 99" ||
  fail "report: every message of the error"
odd="$work/odd/$(printf 'a<&\x22\xff\x01')"
mkdir -p "$odd"
printf 'expect page <data>\n' >"$odd/x.qx70"
expect_run 2 --junit "$work/report.xml" "$odd"
xmllint --noout "$work/report.xml" 2>"$work/err" || fail "the report of odd names is not well-formed"
# The report's place is checked before anything runs; nothing is left half written.
expect_run 2 --junit "$work/missing/report.xml" "$s/pass.qx70"
expect_stderr "cannot write $work/missing/report.xml: folder $work/missing does not exist"
[ -s "$work/out" ] && fail "scripts ran although the report could not be written"
ls -A "$work" | grep -q '^\.report' && fail "a temporary report file was left behind"

# --jobs: the scripts run side by side, the lines stay in argument order.
printf 'wait 5s\n' >"$work/slow.qx70"
printf 'wait 1\n' >"$work/quick.qx70"
expect_run 0 --jobs 2 "$work/slow.qx70" "$work/quick.qx70"
[ "$(head -n 1 "$work/out" | cut -d' ' -f2)" = "$work/slow.qx70" ] || fail "--jobs changed the order"

# A script from standard input: named <stdin>, pictures in the current folder.
printf 'wait 1.25s\nexpect page setup\n' | expect_run 1 -
expect_stderr "<stdin>:2: expected page setup, found data"
(cd "$work" && printf 'shot piped.png\n' | "$run" - "$s/pass.qx70" >"$work/out" 2>"$work/err")
[ "$(png_size "$work/piped.png")" = "128 160" ] || fail "the piped script's picture"
expect_stdout_line "2 passed, 0 failed"

# expect screen: against references of the screen, of the window and of a
# region; a difference stops the run, names the first differing pixel and
# the count, and leaves NAME_err.png and NAME_diff.png beside the output.
p=$work/screen
mkdir -p "$p/out"
printf 'wait 1.25s\nshot data.png\nshot window.png window\n' >"$p/make.qx70"
expect_run 0 "$p/make.qx70"
printf '%s\n' 'wait 1.25s' 'expect screen data.png' 'expect screen window.png window' \
  'expect screen data.png region 0 0 128 20' 'click right' 'expect screen data.png' \
  'shot never.png' >"$p/check.qx70"
expect_run 1 --out "$p/out" "$p/check.qx70"
expect_stderr "check.qx70:6: expected the screen as in data.png, found "
expect_stderr "pixels different; the first at ("
expect_stderr "picture taken: $p/out/data_err.png; differences: $p/out/data_diff.png"
[ "$(png_size "$p/out/data_err.png")" = "128 160" ] || fail "no data_err.png"
[ "$(png_size "$p/out/data_diff.png")" = "128 160" ] || fail "no data_diff.png"
[ -e "$p/out/never.png" ] && fail "the run went on after a differing screen"
# References are read before anything runs.
printf 'shot first.png\nexpect screen missing.png\nexpect screen data.png window\n' >"$p/refs.qx70"
expect_run 2 "$p/refs.qx70"
expect_stderr "refs.qx70:2: expect: cannot read $p/missing.png"
expect_stderr "refs.qx70:3: expect: data.png is 128 x 160, not 450 x 550"
[ -e "$p/first.png" ] && fail "a script with an unusable reference ran"

# A repeat inside a repeat runs its lines on each pass; a failure names its
# line and the pass of each repeat around it.
printf '%s\n' 'repeat 3' '  repeat 2' '    wait 1s' '  end' 'end' 'expect journal secondTick count 6' \
  'repeat 3' '  repeat 2' '    click right' '    expect page runtime' '  end' 'end' >"$work/repeat.qx70"
expect_run 1 "$work/repeat.qx70"
[ "$(cat "$work/err")" = "$work/repeat.qx70:10: expected page runtime, found timer1
$work/repeat.qx70:8: in pass 2 of 2 of this repeat
$work/repeat.qx70:7: in pass 1 of 3 of this repeat" ] || fail "the failure inside two repeats"

# The device fields set takes, from the table the panel uses.
expect_run 0 --fields
grep -qE '^gLimitInput\[0\.\.2\] +flag +0 or 1 +G-limit' "$work/out" || fail "--fields"

# The progress line: on a terminal only, after about two seconds, cleared at
# the end. The script is made to last about 3.5 s at this build's speed; on a
# machine whose load changed since that measure it may end sooner, so a run
# without the line is tried again twice as long, up to three times.
printf 'wait 60s\n' >"$work/minute.qx70"
t0=$(date +%s%N)
expect_run 0 "$work/minute.qx70"
t1=$(date +%s%N)
[ -s "$work/err" ] && fail "progress on a standard error that is not a terminal"
minutes=$((3500000000 / (t1 - t0 + 1) + 1))
[ "$minutes" -gt 100000 ] && minutes=100000
progress="$work/long.qx70:2  virtual 0:[0-9]{2}:[0-9]{2}  [0-9.]+x real time"
for attempt in 1 2 3 4; do
  printf 'repeat %d\n  wait 1m\nend\n' "$minutes" >"$work/long.qx70"
  script -qc "'$run' '$work/long.qx70'" /dev/null >"$work/pty" </dev/null
  grep -qaE "$progress" "$work/pty" && break
  minutes=$((minutes * 2))
done
grep -qaE "$progress" "$work/pty" ||
  fail "no progress line on a terminal: $(od -c "$work/pty" | head -5)"
[ "$(tail -c 4 "$work/pty" | od -An -c | tr -d ' ')" = '\r033[K' ] || fail "the progress line stayed"

if [ "$failures" -ne 0 ]; then
  echo "headless_e2e: $failures checks failed" >&2
  exit 1
fi
echo "headless_e2e: all checks passed"
