#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the generators need,
# but only those that are missing. Uses sudo when not run as root.
# `install-deps.sh fuzz` adds clang and its fuzzing runtime for `make fuzz`;
# `install-deps.sh package` adds what builds and checks the Debian package.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl2-dev libpng-dev libgtest-dev libgmock-dev libbenchmark-dev valgrind
  xvfb xdotool x11-apps libx11-dev libxml2-utils
  libfreetype-dev fonts-dejavu-core
  clang-format
  desktop-file-utils man-db
)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-dev)
fi
if [ "${1:-}" = package ]; then
  packages+=(dpkg-dev lintian)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps: missing packages (${missing[*]}) and no sudo to install them" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
  echo "install-deps: refreshing the package lists and trying again"
  "${sudo[@]}" apt-get update
  "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
