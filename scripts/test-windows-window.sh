#!/usr/bin/env bash
# syncward.exe on an X display under Wine, with Qt's windows platform plugin
# and fresh settings: its main window must appear, captioned after the
# copy's name. A picture of the screen is left in the build folder
# (window.xwd, and window.png where ImageMagick is installed). Takes the
# Windows build folder (default build-win32).
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
build=$(cd "${1:-build-win32}" && pwd)
if [ -z "${SYNCWARD_ON_DISPLAY:-}" ]; then
  SYNCWARD_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1600x1200x24" bash "$0" "$build"
fi
source scripts/lib/wine-prefix.sh

copy="$WINEPREFIX/drive_c/WINDOW-TEST.exe"
cp "$build/syncward.exe" "$copy"
wine "$copy" >"$WINEPREFIX/window.log" 2>&1 &
seen=""
for _ in $(seq 1 120); do
  seen=$(xwininfo -root -tree 2>/dev/null | grep -o '"SYNCWARD - WINDOW-TEST"' | sed -n 1p || true)
  [ -n "$seen" ] && break
  sleep 0.5
done
if [ -z "$seen" ]; then
  tr -d '\r' <"$WINEPREFIX/window.log" | tail -n 20 >&2
  echo "== window: no main window captioned \"SYNCWARD - WINDOW-TEST\" within 60 s" >&2
  exit 1
fi
sleep 3  # let it paint
if command -v xwd >/dev/null; then
  xwd -root -silent >"$build/window.xwd"
  convert "$build/window.xwd" "$build/window.png" 2>/dev/null || rm -f "$build/window.png"
fi
echo "== window: the main window $seen showed under Wine with the windows platform plugin"

# "Always On Top" is ticked in fresh settings: another program's topmost
# window brought to the front loses its place to the main window.
if ! wine "$build/topmost_rival.exe" "SYNCWARD - WINDOW-TEST" 2>&1 | tr -d '\r'; then
  echo "== window: another program's topmost window stayed above the main window" >&2
  exit 1
fi
