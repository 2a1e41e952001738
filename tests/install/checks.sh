# Checks of an installed tree, shared by the install test (make test) and the
# package test (make package-test). Source it, call begin_checks, run the
# checks, and end with end_checks, which exits with the verdict.

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# begin_checks NAME: a scratch folder $work, removed on exit, and fail(),
# which reports a failed check and counts it.
begin_checks() {
  checker=$1 failures=0
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}

fail() {
  echo "$checker: FAIL: $*" >&2
  failures=$((failures + 1))
}

end_checks() {
  if [ "$failures" -ne 0 ]; then
    echo "$checker: $failures checks failed" >&2
    exit 1
  fi
  echo "$checker: all checks passed"
  exit 0
}

# check_files PREFIX WEB_SITE: exactly the files of files.txt, with their
# modes, plus the web site's files under share/qx70/web when it is built.
check_files() {
  local prefix=$1 site=$2
  {
    cat "$here/files.txt"
    if [ -d "$site" ]; then
      (cd "$site" && find . -type f -printf '644 share/qx70/web/%P\n')
    fi
  } | LC_ALL=C sort -k2 >"$work/want"
  (cd "$prefix" && find . -type f -printf '%m %P\n') | LC_ALL=C sort -k2 >"$work/got"
  diff -u "$work/want" "$work/got" >"$work/diff" ||
    fail "installed files differ from the list (- missing, + unexpected):
$(tail -n +3 "$work/diff")"
}

# check_versions BIN VERSION: --version prints "NAME VERSION" and maybe the
# commit, exits 0, and --help starts with the same line.
check_versions() {
  local bin=$1 version=${2//./\\.}
  local name line
  for name in qx70sim qx70-run; do
    line=$("$bin/$name" --version) || fail "$name --version exited $?"
    grep -qE "^$name $version( \(commit [0-9a-f]{7}(, modified)?\))?$" <<<"$line" ||
      fail "$name --version printed '$line'"
    [ "$("$bin/$name" --help | head -n 1)" = "$line" ] || fail "$name --help does not start with its version"
  done
}

# check_desktop PREFIX: the menu entry is valid and names a program and an
# icon that are installed.
check_desktop() {
  local prefix=$1 entry=$1/share/applications/qx70sim.desktop
  if ! desktop-file-validate "$entry" >"$work/validate" 2>&1 ||
    grep -qE '(error|warning):' "$work/validate"; then
    fail "desktop-file-validate: $(cat "$work/validate")"
  fi
  grep -qx 'Name=QX-70 Simulator' "$entry" || fail "the menu entry is not named QX-70 Simulator"
  local exec icon size
  exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -x "$prefix/bin/$exec" ] || fail "the menu entry starts '$exec', which is not installed"
  for size in 16 32 48 64 128 256; do
    png_is "$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png" "$size" ||
      fail "no $size x $size RGBA icon '$icon'"
  done
}

# png_is FILE SIZE: a PNG of SIZE x SIZE pixels with 8-bit RGBA.
png_is() {
  [ "$(head -c 8 "$1" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || return 1
  [ "$(od -An -tu1 -j16 -N10 "$1" | awk '{ print $3 * 256 + $4, $7 * 256 + $8, $9, $10 }')" = \
    "$2 $2 8 6" ]
}

# check_manuals PREFIX: each page renders without a warning and names every
# option its program's --help shows, and its exit statuses.
check_manuals() {
  local prefix=$1 name page option
  for name in qx70sim qx70-run; do
    page=$prefix/share/man/man1/$name.1.gz
    if ! LC_ALL=C MANWIDTH=80 man --warnings -l "$page" >"$work/page" 2>"$work/warnings" ||
      [ -s "$work/warnings" ]; then
      fail "man -l $name.1.gz: $(cat "$work/warnings")"
      continue
    fi
    grep -q '^EXIT STATUS' "$work/page" || fail "$name.1 has no EXIT STATUS section"
    for option in $("$prefix/bin/$name" --help | grep -oE -- '(^|[ [])--?[a-z][a-z-]*' | tr -d ' [' | sort -u); do
      grep -qE -- "(^|[ [,])$option([] ,=]|$)" "$work/page" || fail "$name.1 does not describe $option"
    done
  done
}
