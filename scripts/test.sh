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
# program's own timers, four at once. Meanwhile the sanitizer build and the
# Windows step use the cores, at the lowest priority so the runs under test
# are never kept waiting. Their output follows the runs'.
sanitize_log="$build/sanitize-build.log"
windows_log="$build/windows-step.log"
nice -n 19 bash scripts/test-sanitize.sh --build-only >"$sanitize_log" 2>&1 &
sanitize_build=$!
nice -n 19 bash scripts/test-windows.sh >"$windows_log" 2>&1 &
windows=$!
e2e=0
ctest --test-dir "$build" --output-on-failure --timeout 600 -j 4 -L '^e2e$' || e2e=$?
sanitize_built=0
windows_result=0
wait "$sanitize_build" || sanitize_built=$?
wait "$windows" || windows_result=$?
tail -n 20 "$sanitize_log"
cat "$windows_log"
if [ "$e2e" -ne 0 ] || [ "$sanitize_built" -ne 0 ] || [ "$windows_result" -ne 0 ]; then
  echo "end-to-end tests: exit $e2e; sanitizer build: exit $sanitize_built; Windows step: exit $windows_result" >&2
  exit 1
fi

bash scripts/test-sanitize.sh
