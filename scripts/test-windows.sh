#!/usr/bin/env bash
# Cross-builds the core, the win32 platform layer and their tests for
# Windows into build-win32/ (or $SYNCWARD_WIN32_BUILD_DIR) and runs both test
# programs under Wine, in a Wine folder of their own that is removed
# afterwards. Each run's closing GoogleTest line is counted; any other
# ending fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-windows.sh
build=${SYNCWARD_WIN32_BUILD_DIR:-build-win32}
jobs=${SYNCWARD_JOBS:-$(nproc)}
cmake -S win32 -B "$build" -G Ninja -DSYNCWARD_WERROR=ON \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$jobs" --target core_tests win32_platform_tests wine_run_tools

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/syncward-wine-XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
finish() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap finish EXIT

# No display: Wine must not try to open one.
unset DISPLAY WAYLAND_DISPLAY
wineboot --init >/dev/null 2>&1 || true

passed=0
for program in core_tests win32_platform_tests; do
  echo "== $program.exe under Wine"
  log="$WINEPREFIX/$program.log"
  # Wine's programs end their lines with CR LF.
  wine "$build/$program.exe" 2>&1 | tr -d '\r' | tee "$log"
  closing=$(grep -E '^\[  PASSED  \] [0-9]+ tests?\.$' "$log" | tail -n 1 || true)
  if [ -z "$closing" ] || grep -q '^\[  FAILED  \]' "$log"; then
    echo "== $program.exe: no passing closing line" >&2
    exit 1
  fi
  echo "== $program.exe: $closing"
  passed=$((passed + 1))
done
wineserver -w
echo "== Windows: $passed of 2 test programs passed under Wine"
