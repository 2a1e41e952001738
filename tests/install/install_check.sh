#!/usr/bin/env bash
# The installation as `make install` makes it: installs the build into a
# scratch DESTDIR under a prefix and checks the file list, the menu entry and
# its icons, the manual pages and both programs' --version. Then the version
# header's generator on sources without a checkout of their own.
# Usage: install_check.sh BUILD_DIR VERSION WEB_SITE SOURCE_DIR
set -uo pipefail

build=$1 version=$2 site=$3 source=$4
. "$(dirname "$0")/checks.sh"
begin_checks install_check

prefix=/opt/qx70-test
DESTDIR=$work/root cmake --install "$build" --prefix "$prefix" >"$work/log" 2>&1 ||
  fail "cmake --install failed: $(cat "$work/log")"
root=$work/root$prefix
check_files "$root" "$site"
check_versions "$root/bin" "$version"
check_desktop "$root"
check_manuals "$root"

# Built from a checkout, the version names a commit of it (the one built,
# which is HEAD unless something was committed since).
if [ "$(git -C "$source" rev-parse --show-toplevel 2>/dev/null)" = "$(cd "$source" && pwd -P)" ]; then
  line=$("$root/bin/qx70-run" --version)
  commit=$(sed -n 's/.*(commit \([0-9a-f]*\).*/\1/p' <<<"$line")
  [ -n "$commit" ] && git -C "$source" rev-parse -q --verify "$commit^{commit}" >/dev/null ||
    fail "qx70-run --version names no commit of $source: $line"
fi

# A tarball has no .git, and one unpacked inside another checkout must not
# take that checkout's commit: both print the bare version.
header_for() {
  cmake -DSOURCE_DIR="$1" -DVERSION="$version" -DOUTPUT="$work/version.h" \
    -P "$source/packaging/write_version.cmake" &&
    sed -n 's/^#define QX70_VERSION_TEXT "\(.*\)"$/\1/p' "$work/version.h"
}
mkdir -p "$work/outer/tarball"
[ "$(header_for "$work/outer/tarball")" = "$version" ] || fail "sources without .git: $(header_for "$work/outer/tarball")"
if command -v git >/dev/null; then
  git -C "$work/outer" init -q && git -C "$work/outer" -c user.name=t -c user.email=t@t \
    commit -q --allow-empty -m outer || fail "git init of the outer checkout"
  [ "$(header_for "$work/outer/tarball")" = "$version" ] ||
    fail "sources inside another checkout: $(header_for "$work/outer/tarball")"
fi

end_checks
