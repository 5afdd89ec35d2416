#!/usr/bin/env bash
# Configures and builds everything into build/ (or $SYNCWARD_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${SYNCWARD_BUILD_DIR:-build}
jobs=${SYNCWARD_JOBS:-$(nproc)}
cmake -S . -B "$build" -G Ninja -DSYNCWARD_WERROR=ON >/dev/null
cmake --build "$build" -j "$jobs"
