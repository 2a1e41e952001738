#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the generators need,
# but only those that are missing, then the npm packages of the browser tests
# pinned in tests/web/package-lock.json. Uses sudo when not run as root.
# `install-deps.sh fuzz` adds clang and its fuzzing runtime for `make fuzz`;
# `install-deps.sh package` adds what builds and checks the Debian package.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl2-dev libpng-dev libgtest-dev libgmock-dev libbenchmark-dev valgrind
  xvfb xdotool x11-apps libx11-dev libxml2-utils python3
  libfreetype-dev fonts-dejavu-core
  clang-format
  desktop-file-utils man-db
  # The browser build (WebAssembly from clang, no other toolchain) and its tests.
  clang lld wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32
  chromium
)
# Node from another source is as good as Debian's; install Debian's only when
# there is none.
if ! command -v node >/dev/null 2>&1; then
  packages+=(nodejs)
fi
if ! command -v npm >/dev/null 2>&1; then
  packages+=(npm)
fi
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

# npm ci wipes node_modules, so it runs only when the lock file changed
# since the last install.
npm_packages() {
  local web
  web=$(cd "$(dirname "$0")/../tests/web" && pwd)
  if cmp -s "$web/package-lock.json" "$web/node_modules/.installed-lock.json"; then
    return 0
  fi
  echo "install-deps: installing the npm packages of tests/web"
  (cd "$web" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$web/package-lock.json" "$web/node_modules/.installed-lock.json"
}

if [ ${#missing[@]} -eq 0 ]; then
  npm_packages
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
npm_packages
