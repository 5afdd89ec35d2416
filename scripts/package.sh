#!/usr/bin/env bash
# Builds the Debian package syncward_<version>_<arch>.deb into dist/ (or the
# folder given), from a build of the program alone in build-package/ (or
# $SYNCWARD_PACKAGE_BUILD_DIR). Install it with: sudo apt install ./dist/syncward_*.deb
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=${SYNCWARD_PACKAGE_BUILD_DIR:-build-package}
out=${1:-dist}
jobs=${SYNCWARD_JOBS:-$(nproc)}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYNCWARD_TESTS=OFF -DSYNCWARD_WERROR=ON >/dev/null
cmake --build "$build" -j "$jobs"
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
rm -rf "$out/_CPack_Packages"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$out/syncward_${version}_$(dpkg --print-architecture).deb"
echo "$deb"
