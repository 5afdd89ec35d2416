#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the core,
# platform and GUI tests once more under the sanitizers; last the core and
# the win32 platform layer built for Windows, tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build=${SYNCWARD_BUILD_DIR:-build}
export QT_QPA_PLATFORM=offscreen
# Four at once on two cores: the end-to-end runs spend their minutes
# waiting for nodes and the program's own timers, not computing.
ctest --test-dir "$build" --output-on-failure --timeout 600 -j 4
bash scripts/test-sanitize.sh
bash scripts/test-windows.sh
