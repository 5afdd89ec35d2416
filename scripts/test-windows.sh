#!/usr/bin/env bash
# The Windows program, built here and tested under Wine: builds Qt for
# Windows once (scripts/build-qt-windows.sh, kept in the user's cache),
# cross-builds the core, the win32 platform layer, syncward.exe, the
# installer and the tests into build-win32/ (or $SYNCWARD_WIN32_BUILD_DIR),
# then runs under Wine, each in a Wine folder of its own: the core, platform
# and GUI tests; one whole unattended run against a stand-in node; the
# program's window on an X display; the installer's silent install and
# uninstall.
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
bash scripts/setup-windows.sh
build=${SYNCWARD_WIN32_BUILD_DIR:-build-win32}
jobs=${SYNCWARD_JOBS:-$(nproc)}
qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
cmake -S win32 -B "$build" -G Ninja -DSYNCWARD_WERROR=ON -DSYNCWARD_QT_PREFIX="$qt" \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$jobs"
(cd "$build" && cpack -G NSIS >/dev/null)

(
  # No display for the tests: Wine must not try to open one.
  unset DISPLAY WAYLAND_DISPLAY
  source scripts/lib/wine-prefix.sh
  wine_gtest "$build/core_tests.exe"
  wine_gtest "$build/win32_platform_tests.exe"
  # The window sizes are measured with the Linux tests' font; Wine's
  # stand-in fonts are neither that nor Windows' own.
  QT_QPA_PLATFORM=offscreen wine_gtest "$build/gui_tests.exe" --gtest_filter='-WindowSizes.*'
)
# The three unattended runs spend their minutes waiting for the program's
# own timers, each in a Wine folder of its own: side by side.
runs=()
for variant in confirmed partial node-dies; do
  bash scripts/test-windows-run.sh "$build/syncward.exe" "$build" "$variant" >"$build/wine-run-$variant.log" 2>&1 &
  runs+=($!)
done
runs_failed=0
for pid in "${runs[@]}"; do wait "$pid" || runs_failed=1; done
cat "$build"/wine-run-{confirmed,partial,node-dies}.log
[ "$runs_failed" -eq 0 ] || { echo "== Windows: an unattended run under Wine failed" >&2; exit 1; }
bash scripts/test-windows-window.sh "$build"
bash scripts/test-windows-installer.sh "$build"
echo "== Windows: the tests, one unattended run, the window and the installer passed under Wine"
