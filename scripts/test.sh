#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the core,
# platform and GUI tests once more under the sanitizers; and the Windows
# program (scripts/test-windows.sh), built and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/setup-windows.sh
build=${SYNCWARD_BUILD_DIR:-build}
mkdir -p "$build"
# Qt for Windows takes half an hour or more on a fresh machine (nothing
# when it is in the cache already): it starts now, at the lowest priority,
# so it takes what the native build and tests leave of the cores. The
# Windows step below waits for it.
qt_log="$build/qt-windows-build.log"
nice -n 19 bash scripts/build-qt-windows.sh >"$qt_log" 2>&1 &
qt_build=$!
bash scripts/build.sh
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
wait "$qt_build" || windows_result=$?
tail -n 20 "$sanitize_log"
tail -n 3 "$qt_log"
cat "$windows_log"
if [ "$e2e" -ne 0 ] || [ "$sanitize_built" -ne 0 ] || [ "$windows_result" -ne 0 ]; then
  echo "end-to-end tests: exit $e2e; sanitizer build: exit $sanitize_built; Windows step: exit $windows_result" >&2
  exit 1
fi

bash scripts/test-sanitize.sh
