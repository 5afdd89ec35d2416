# Sourced: a Wine folder of this script's own (WINEPREFIX), made ready now (on
# the display the environment names, if any: unset DISPLAY first for none) and
# removed with every Wine process in it when the script ends. Nothing of the
# user's own Wine folder is touched.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/syncward-wine-XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine_prefix_finish() {
  timeout 30 wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap wine_prefix_finish EXIT
timeout 180 wineboot --init >/dev/null 2>&1 || true

# Runs a GoogleTest program under Wine and fails unless its closing line
# says every test passed. Wine's programs end their lines with CR LF.
wine_gtest() {
  local program=$1 log
  shift
  log="$WINEPREFIX/$(basename "$program").log"
  echo "== $(basename "$program") under Wine"
  wine "$program" "$@" 2>&1 | tr -d '\r' | tee "$log"
  local closing
  closing=$(grep -E '^\[  PASSED  \] [0-9]+ tests?\.$' "$log" | tail -n 1 || true)
  if [ -z "$closing" ] || grep -q '^\[  FAILED  \]' "$log"; then
    echo "== $(basename "$program"): no passing closing line" >&2
    return 1
  fi
  echo "== $(basename "$program"): $closing"
}
