#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the core,
# platform and GUI tests once more under the sanitizers; and the Windows
# program (scripts/test-windows.sh), built and tested under Wine. Ends with
# a table of how long each stage took, also when one failed.
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
build=${SYNCWARD_BUILD_DIR:-build}
mkdir -p "$build"
source scripts/lib/stages.sh
stages_begin "$build/stage-times"

stage "packages" bash scripts/setup.sh
stage "packages for Windows" bash scripts/setup-windows.sh
# Qt for Windows takes half an hour or more on a fresh machine (nothing
# when it is in the cache already): it starts now, at the lowest priority,
# so it takes what the native build and tests leave of the cores. The
# Windows step below waits for it.
qt_log="$build/qt-windows-build.log"
stage "Qt for Windows (beside the rest)" nice -n 19 bash scripts/build-qt-windows.sh >"$qt_log" 2>&1 &
qt_build=$!
stage "native build" bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen

stage "core, platform, GUI, package and script tests" \
  ctest --test-dir "$build" --output-on-failure --timeout 600 -j 2 -LE '^e2e$'

# The end-to-end runs spend their minutes waiting for nodes and the
# program's own timers, not on the cores (half a minute of CPU in all), so
# eight run at once. Meanwhile the sanitizer build and the Windows step use
# the cores, at the lowest priority so the runs under test are never kept
# waiting. Their output follows the runs'.
sanitize_log="$build/sanitize-build.log"
windows_log="$build/windows-step.log"
stage "sanitizer build (beside the end-to-end tests)" \
  nice -n 19 bash scripts/test-sanitize.sh --build-only >"$sanitize_log" 2>&1 &
sanitize_build=$!
stage "Windows build and tests under Wine (beside them)" \
  nice -n 19 bash scripts/test-windows.sh >"$windows_log" 2>&1 &
windows=$!
e2e=0
stage "end-to-end tests" ctest --test-dir "$build" --output-on-failure --timeout 600 -j 8 -L '^e2e$' || e2e=$?
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

stage "sanitizer tests" bash scripts/test-sanitize.sh
