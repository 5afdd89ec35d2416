#!/usr/bin/env bash
# One whole unattended run of the Windows program under Wine, with nobody
# watching: a copy of syncward.exe set up in the registry with autostart and
# autoclose, its .bat command files run through cmd.exe, a stand-in node
# (daemon and client, Windows programs) found through the process snapshot,
# the chain confirmed by the node check, the end report written into the
# copy's REPORTS folder, the node's exit waited for, and the program closing
# itself.
#
#   bash scripts/test-windows-run.sh [SYNCWARD_EXE] [WIN32_BUILD_DIR] [VARIANT]
#
# VARIANT: "confirmed" (the default), "partial" (an old client that knows
# none of the node check's calls: a success that says the check was
# partial) or "node-dies" (the daemon dies unasked before the chain is
# confirmed: never a success).
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
variant=${3:-confirmed}
case "$variant" in confirmed | partial | node-dies) ;; *) echo "== unknown variant $variant" >&2; exit 2 ;; esac

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

# The home folder is named with an accent, as a user's may be:
# the command files must reach cmd.exe in its own code page, and the report
# name it in UTF-8.
home_name="Café-$name-home"
echo "== setting up $name.exe in the registry and $winrun\\$home_name"
# The count a first poll left is 0: the chain starts empty, as natively.
if ! timeout 120 wine "$build/configure_windows_copy.exe" "$winrun\\$home_name" "$name" "$winrun\\node" \
  "$daemon" "$client" "$winrun\\chain" 00:00:02 0 2>&1 | tr -d '\r'; then
  echo "== Windows run under Wine: FAILED, the copy could not be set up" >&2
  exit 1
fi

case "$variant" in
  partial) touch "$run/node/old-client" ;;
  # Seen running for more than the two seconds a node needs to count as
  # started, gone before four identical counts and the check can agree.
  node-dies) echo 6 > "$run/node/dies-after-seconds" ;;
esac

echo "== $name.exe runs by itself ($variant, limit $limit s)"
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

home="$run/$home_name"
report="$home/REPORTS/$name-END-REPORT.LOG"
check "an end report in $winrun\\$home_name\\REPORTS" test -s "$report"
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
# What each variant must end as, in the report and the registry, as a
# native run of the same kind ends.
partial='!!! COMPLETED SUCCESSFULLY - PARTIAL NODE CHECK, NOT CHECKED: ALL - THE NODE CANNOT ANSWER (NODE KNOWS NO GETBLOCKCHAININFO) !!!'
case "$variant" in
  confirmed) counter='!!! COMPLETED SUCCESSFULLY !!!' whole='!!! COMPLETED SUCCESSFULLY !!!' ;;
  partial) counter=$partial whole='!!! COMPLETED SUCCESSFULLY !!!' ;;
  node-dies) counter='' whole='!!! FINISHED - NODE STOPPED BEFORE THE CHAIN WAS CONFIRMED !!!' ;;
esac
stored() {
  timeout 60 wine reg query "HKCU\\Software\\VB and VBA Program Settings\\QV_SYNCWARD\\$name" /v "$1" 2>/dev/null |
    tr -d '\r' | sed -n 's/^ *'"$1"' *REG_SZ *//p'
}
is() { [ "$1" = "$2" ]; }
check "the run stored in the registry as \"$whole\"" is "$(stored MULTILOADER_LAST_RUN_TEXTBOX)" "$whole"
check "the copy named by its file" has $'SYNCWARD Filename: \n'"$name.exe"$'\n'
check "the home folder named in UTF-8" has $'SYNCWARD Home: \n'"$winrun\\$home_name"$'\n'
check "the shutdown stand-in was never called" test ! -e "$run/program/shutdown-calls.log"
check "the schtasks stand-in was never called" test ! -e "$run/program/schtasks-calls.log"
check "the daemon no longer serves" test ! -e "$run/node/running"
if [ "$variant" = node-dies ]; then
  check "the block counter stored as no success" test "$(stored BLOCKCOUNTER_LAST_RUN)" != '!!! COMPLETED SUCCESSFULLY !!!'
else
  check "the count after the update, 120" has $'Last Know Block Number AFTER Update:\n120\n\n'
  check "120 blocks downloaded" has $'Number Of Blocks Downloaded:\n120\n'
  check "the daemon named as the node used" has "BLOCKCHAIN UPDATED USING: DAEMON --- $daemon --- "$'\n'
  check "the block counter stored as \"$counter\"" is "$(stored BLOCKCOUNTER_LAST_RUN)" "$counter"
  check "the report's block counter line says the same" has $'BLOCKCOUNTER LAST RUN: '"$counter"$'\n'
  # The daemon flushed for three seconds after the stop; the run waited for
  # its exit, and after it came the last steps and the 11-second autoclose.
  exited=''
  [ -f "$run/node/daemon-exited" ] && exited=$(tr -dc '0-9' <"$run/node/daemon-exited")
  check "the stand-in daemon exited (its exit time written)" test -n "$exited"
  check "the daemon exited during the run, before the last steps and the autoclose" \
    test "${exited:-0}" -gt "$started" -a "${exited:-0}" -lt $((ended - 11000))
fi
if [ "$variant" = confirmed ]; then
  # cmd.exe wrote every call's name and answer, in turn, and "end" last.
  answers=$(tr -d '\r' <"$home/BLOCKCOUNTS/$name-NODE-CHECK.LOG" 2>/dev/null || true)
  calls=$(grep -xE 'getblockchaininfo|getpeerinfo|getconnectioncount|getblockheader|end' <<<"$answers" | tr '\n' ' ' || true)
  check "the node check's answers, each under its call, and end last ($calls)" \
    test "$calls" = "getblockchaininfo getpeerinfo getconnectioncount getblockheader end " -a "$(tail -n 1 <<<"$answers")" = end
  check "each call answered" test "$(grep -c '^[{[0-9]' <<<"$answers" || true)" -eq 4
fi

if [ "$failed" -ne 0 ]; then
  echo "== what the program printed (last 40 lines):"
  tail -n 40 "$log" | tr -d '\r'
  for file in "$home"/BATS/*.bat "$home"/BLOCKCOUNTS/* "$report" "$run"/program/*-calls.log; do
    [ -f "$file" ] || continue
    echo "== ${file#"$run"/}:"
    tr -d '\r' <"$file"
  done
  echo "== Windows run under Wine ($variant): FAILED, $failed of $((passed + failed)) checks failed" >&2
  exit 1
fi
echo "== Windows run under Wine ($variant): all $passed checks passed"
