#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the core,
# platform and GUI tests once more under the sanitizers; and the core and
# the win32 platform layer built for Windows, tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/setup-windows.sh
bash scripts/build.sh
build=${SYNCWARD_BUILD_DIR:-build}
export QT_QPA_PLATFORM=offscreen

ctest --test-dir "$build" --output-on-failure --timeout 600 -j 2 -LE '^e2e$'

# The end-to-end runs spend their minutes waiting for nodes and the
# program's own timers, four at once; the Windows cross build uses the
# cores meanwhile. Its output follows theirs.
windows_log="$build/windows-step.log"
bash scripts/test-windows.sh >"$windows_log" 2>&1 &
windows=$!
e2e=0
ctest --test-dir "$build" --output-on-failure --timeout 600 -j 4 -L '^e2e$' || e2e=$?
windows_result=0
wait "$windows" || windows_result=$?
cat "$windows_log"
if [ "$e2e" -ne 0 ] || [ "$windows_result" -ne 0 ]; then
  echo "end-to-end tests: exit $e2e; Windows step: exit $windows_result" >&2
  exit 1
fi

bash scripts/test-sanitize.sh
