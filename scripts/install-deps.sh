#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, test and run.
# Idempotent: when every package is present it does nothing.
set -euo pipefail

PACKAGES=(
  g++ make cmake pkg-config
  libsfml-dev libx11-dev
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev
  xvfb xauth xdotool
  clang libclang-rt-14-dev
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
  else
    echo "install-deps: not root and no sudo; install these packages: ${missing[*]}" >&2
    exit 1
  fi
fi

export DEBIAN_FRONTEND=noninteractive
# The package lists of a fresh machine may be stale or empty.
if ! $SUDO apt-get install -y --no-install-recommends "${missing[@]}"; then
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
