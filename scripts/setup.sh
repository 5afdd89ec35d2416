#!/usr/bin/env bash
# Installs the system packages the build, the package, the tests and the demo
# need, when some are missing and we may install (root). Safe to run again.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev googletest
          xvfb xauth fonts-dejavu-core litecoind sendemail python3 libbenchmark-dev
          dpkg-dev file man-db desktop-file-utils appstream lintian libxcb1-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
