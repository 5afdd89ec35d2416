#!/usr/bin/env bash
# Configures and builds into build/ (or $SYNCWARD_BUILD_DIR): everything, or
# only the targets named as arguments (and what they need).
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
build=${SYNCWARD_BUILD_DIR:-build}
jobs=${SYNCWARD_JOBS:-$(nproc)}
cmake -S . -B "$build" -G Ninja -DSYNCWARD_WERROR=ON >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" -j "$jobs" "${targets[@]}"
