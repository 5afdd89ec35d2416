#!/usr/bin/env bash
# One whole unattended run of the Windows program under Wine, with nobody
# watching: a copy of syncward.exe set up in the registry with autostart and
# autoclose, its .bat command files run through cmd.exe, a stand-in node
# (daemon and client, Windows programs) found through the process snapshot,
# the end report written into the copy's REPORTS folder, the node's exit
# waited for, and the program closing itself.
#
#   bash scripts/test-windows-run.sh [SYNCWARD_EXE] [WIN32_BUILD_DIR]
#
# WIN32_BUILD_DIR (default build-win32) holds syncward.exe (the default
# SYNCWARD_EXE), the stand-ins and the set-up tool, built there
# when missing. The run has its own Wine folder, removed at the end. Stand-ins
# for shutdown.exe and schtasks.exe that only record their arguments lie
# beside the program and first on its PATH: no power command ever runs.
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
build=${2:-${SYNCWARD_WIN32_BUILD_DIR:-build-win32}}
program=${1:-$build/syncward.exe}
limit=${SYNCWARD_WINE_RUN_LIMIT:-300}  # seconds for the whole run

if [ ! -f "$program" ]; then
  echo "== Windows run under Wine: no program at $program" >&2
  exit 1
fi
tools="standin_daemon standin_client record_call configure_windows_copy"
for tool in $tools; do
  if [ ! -f "$build/$tool.exe" ]; then
    if [ ! -f "$build/build.ninja" ]; then
      echo "== Windows run under Wine: no $build/$tool.exe; bash scripts/test-windows.sh builds it" >&2
      exit 1
    fi
    cmake --build "$build" -j "${SYNCWARD_JOBS:-$(nproc)}" --target wine_run_tools
    break
  fi
done

# No display: Wine must not try to open one; Qt runs offscreen.
unset DISPLAY WAYLAND_DISPLAY
source scripts/lib/wine-prefix.sh

# Everything on drive C: of this Wine folder, C:\syncward-run.
run="$WINEPREFIX/drive_c/syncward-run"
winrun='C:\syncward-run'
name=LTC-WINE
mkdir -p "$run/program" "$run/node" "$run/chain/blocks"
cp "$program" "$run/program/$name.exe"
for command in shutdown schtasks; do cp "$build/record_call.exe" "$run/program/$command.exe"; done
# The program watches its node by executable name: names of this run alone.
daemon="wnd$$.exe"
client="wncli$$.exe"
cp "$build/standin_daemon.exe" "$run/node/$daemon"
cp "$build/standin_client.exe" "$run/node/$client"
echo 120 > "$run/node/height"
echo 3 > "$run/node/flush-seconds"
head -c 1024 /dev/zero > "$run/chain/blocks/blk00000.dat"

echo "== setting up $name.exe in the registry and $winrun\\$name-home"
# The count a first poll left is 0: the chain starts empty, as natively.
if ! timeout 120 wine "$build/configure_windows_copy.exe" "$winrun\\$name-home" "$name" "$winrun\\node" \
  "$daemon" "$client" "$winrun\\chain" 00:00:02 0 2>&1 | tr -d '\r'; then
  echo "== Windows run under Wine: FAILED, the copy could not be set up" >&2
  exit 1
fi

# Wine's cmd.exe before Wine 9 drops a redirection that follows a bracketed
# block, "(...) > FILE 2>&1", which the node check's command file is: its
# answers never reach their file there, and every check would read as
# unanswered. Where this Wine's cmd.exe cannot, the run confirms by
# identical block counts alone, and says so.
printf '(echo probe) > %s\\probe.txt\r\n' "$winrun" >"$run/probe.bat"
timeout 60 wine cmd /c "$winrun\\probe.bat" >/dev/null 2>&1 || true
if ! grep -q probe "$run/probe.txt" 2>/dev/null; then
  echo "== this Wine's cmd.exe ignores '> FILE' after a bracketed block: no node check in this run"
  timeout 60 wine reg add "HKCU\\Software\\VB and VBA Program Settings\\QV_SYNCWARD\\$name" \
    /v CONFIRM_WITH_NODE_TICKBOX /t REG_SZ /d 0 /f >/dev/null 2>&1
fi

echo "== $name.exe runs by itself (limit $limit s)"
log="$WINEPREFIX/program.log"
started=$(date +%s%3N)
set +e
(cd "$run/program" && WINEPATH="$winrun\\program" timeout -k 10 "$limit" wine "$name.exe" -platform offscreen) \
  >"$log" 2>&1
status=$?
set -e
ended=$(date +%s%3N)
echo "== $name.exe ended with status $status after $(((ended - started) / 1000)) s"

passed=0
failed=0
check() {  # check "what" test-command...
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
    passed=$((passed + 1))
  else
    echo "FAILED: $what"
    failed=$((failed + 1))
  fi
}

check "the program closed itself (status 0, within $limit s)" test "$status" -eq 0

home="$run/$name-home"
report="$home/REPORTS/$name-END-REPORT.LOG"
check "an end report in $winrun\\$name-home\\REPORTS" test -s "$report"
text='' lines=0 crlf=0
if [ -f "$report" ]; then
  text=$(tr -d '\r' <"$report")
  lines=$(wc -l <"$report")
  crlf=$(grep -c $'\r$' "$report" || true)
fi
check "every line of the report ends in CR LF ($crlf of $lines)" test "$lines" -gt 0 -a "$lines" -eq "$crlf"

# The report's headings in the order a native run's report has them.
headings=$(printf '%s\n' 'START Run Time:' 'Blockchain START Folder Size:' \
  'Last Know Block Number BEFORE Update:' 'Last Know Block Number AFTER Update:' 'Number Of Blocks Downloaded:' \
  'Blockchain END Folder Size:' 'END Run Time:' 'MINIMUM RUN TIME:' 'SYNCWARD Filename: ' 'SYNCWARD Home: ' \
  'BLOCKCHAIN FOLDER: ' 'CRYPTO-CONFIG File: ' 'FINAL ACTION:')
found=$(grep -xF -f <(printf '%s\n' "$headings") <<<"$text" || true)
check "the report's headings, in a native report's order" test "$found" = "$headings"
has() { [[ "$text" == *"$1"* ]]; }
check "the count after the update, 120" has $'Last Know Block Number AFTER Update:\n120\n\n'
check "120 blocks downloaded" has $'Number Of Blocks Downloaded:\n120\n'
check "the daemon named as the node used" has "BLOCKCHAIN UPDATED USING: DAEMON --- $daemon --- "$'\n'
check "the copy named by its file" has $'SYNCWARD Filename: \n'"$name.exe"$'\n'
check "the block counter completed successfully" has $'BLOCKCOUNTER LAST RUN: !!! COMPLETED SUCCESSFULLY !!!\n'

# The run's outcome as the program stored it when it closed.
stored() {
  timeout 60 wine reg query "HKCU\\Software\\VB and VBA Program Settings\\QV_SYNCWARD\\$name" /v "$1" 2>/dev/null |
    tr -d '\r' | grep 'REG_SZ *!!! COMPLETED SUCCESSFULLY !!!$' >/dev/null
}
check "the run stored in the registry as completed" stored MULTILOADER_LAST_RUN_TEXTBOX
check "the block counter stored in the registry as completed" stored BLOCKCOUNTER_LAST_RUN

# The daemon flushed for three seconds after the stop; the run waited for
# its exit, and after it came the last steps and the 11-second autoclose.
exited=''
[ -f "$run/node/daemon-exited" ] && exited=$(tr -dc '0-9' <"$run/node/daemon-exited")
check "the stand-in daemon exited (its exit time written)" test -n "$exited"
check "the daemon exited during the run, before the last steps and the autoclose" \
  test "${exited:-0}" -gt "$started" -a "${exited:-0}" -lt $((ended - 11000))
check "the daemon no longer serves" test ! -e "$run/node/running"
check "the shutdown stand-in was never called" test ! -e "$run/program/shutdown-calls.log"
check "the schtasks stand-in was never called" test ! -e "$run/program/schtasks-calls.log"

if [ "$failed" -ne 0 ]; then
  echo "== what the program printed (last 40 lines):"
  tail -n 40 "$log" | tr -d '\r'
  for file in "$home"/BATS/*.bat "$home"/BLOCKCOUNTS/* "$report" "$run"/program/*-calls.log; do
    [ -f "$file" ] || continue
    echo "== ${file#"$run"/}:"
    tr -d '\r' <"$file"
  done
  echo "== Windows run under Wine: FAILED, $failed of $((passed + failed)) checks failed" >&2
  exit 1
fi
echo "== Windows run under Wine: all $passed checks passed"
