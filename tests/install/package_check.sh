#!/usr/bin/env bash
# The Debian package (make package-test): lintian finds no error, the control
# fields are complete, apt can satisfy its dependencies on this release, and
# installed with dpkg into a throwaway root it holds exactly the files of an
# installation, whose programs, menu entry and manual pages pass the install
# checks and whose qx70-run runs a script. Nothing is installed on the system.
# Usage: package_check.sh DEB VERSION WEB_SITE
set -uo pipefail

deb=$(realpath "$1") version=$2 site=$3
. "$(dirname "$0")/checks.sh"
begin_checks package_check

echo "package_check: lintian $deb"
lintian --fail-on error --display-info "$deb" || fail "lintian reports errors"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = qx70 ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Section)" = misc ] || fail "Section is '$(field Section)'"
grep -qE '^[^<]+ <[^@ ]+@[^> ]+>$' <<<"$(field Maintainer)" || fail "Maintainer is '$(field Maintainer)'"
[ "$(field Description | wc -l)" -gt 3 ] || fail "no long description: $(field Description)"
field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' >"$work/depends"
for lib in libsdl2-2.0-0 libpng16-16 libc6 libstdc++6; do
  grep -qxF "$lib" "$work/depends" || fail "Depends lacks $lib: $(field Depends)"
done
apt-get install --simulate --no-install-recommends "$deb" >"$work/apt" 2>&1 ||
  fail "apt cannot install it on this system: $(tail -n 5 "$work/apt")"

# A throwaway root: dpkg's database in it starts empty, so the dependencies,
# which live on the real system, are not checked there.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --log=/dev/null --force-not-root --force-depends --force-script-chrootless \
  -i "$deb" >"$work/dpkg" 2>&1 || fail "dpkg -i into $root failed: $(cat "$work/dpkg")"
rm -rf "$root/var"
check_files "$root/usr" "$site"
check_versions "$root/usr/bin" "$version"
check_desktop "$root/usr"
check_manuals "$root/usr"
printf 'wait 2s\nexpect page data\nshot data.png\n' >"$work/run.qx70"
"$root/usr/bin/qx70-run" "$work/run.qx70" || fail "the installed qx70-run failed a script"
png_is_screen() { [ "$(od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4, $7 * 256 + $8 }')" = "128 160" ]; }
png_is_screen "$work/data.png" || fail "the installed qx70-run wrote no 128 x 160 picture"

end_checks
