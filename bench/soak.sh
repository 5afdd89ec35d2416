#!/usr/bin/env bash
# A year of weekly runs in an hour: one copy of SYNCWARD, set up once through
# the program's own composer against a Litecoin regtest pair on 127.0.0.1 (a
# network node that mines, and the copy's managed node), started again and
# again as the weekly task starts it, each run under a fault picked from a
# seeded schedule, and checked after every run.
#
#   bash bench/soak.sh [runs] [seed]        (50 runs, a random seed by default)
#
# SOAK_ROTATE=1 takes the fault kinds in turn from an offset the seed picks
# (the short soak in CI), SOAK_BUDGET=seconds starts no run that would end
# past that time, SOAK_KINDS="kind ..." limits the schedule to those
# kinds, SOAK_KEEP=1 keeps the folder. SYNCWARD_BUILD_DIR names the build (build/). Exits 1
# on any violation, naming the run, its fault and the seed; 77 when litecoind,
# sendemail or aiosmtpd is missing. Everything lives in one temporary folder,
# removed at the end with every process the soak started.
source "$(dirname "$0")/../scripts/lib/strict.sh"
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
runs=${1:-50}
seed=${2:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
build=${SYNCWARD_BUILD_DIR:-build}
[[ $build = /* ]] || build=$root/$build
py=/usr/bin/python3
source "$here/soak/lib.sh"
began=$(date +%s)  # the budget counts the set-up too

litecoind_binary=/usr/lib/litecoin/litecoind
[ -x "$litecoind_binary" ] || litecoind_binary=$(command -v litecoind || true)
if [ -z "$litecoind_binary" ] || ! command -v litecoin-cli >/dev/null || [ ! -x /usr/bin/sendemail ] ||
   ! "$py" -c 'import aiosmtpd' 2>/dev/null; then
  echo "soak: skipped: it needs litecoind, litecoin-cli, sendemail and python3-aiosmtpd"
  exit 77
fi
for tool in "$build/syncward" "$build/tests/configure_copy"; do
  [ -x "$tool" ] || { echo "soak: $tool is not built (bash scripts/build.sh syncward configure_copy)" >&2; exit 2; }
done

soak_setup
trap soak_cleanup EXIT
echo "soak: $runs runs, seed $seed, copy $name, folder $work"
"$py" "$here/soak/schedule.py" "$runs" "$seed" ${SOAK_ROTATE:+rotate} > "$drv/schedule"
echo "soak: schedule (run, fault, start, signal delay):"
column -t "$drv/schedule" | sed 's/^/  /'

mapfile -t schedule < "$drv/schedule"
done_runs=0
for line in "${schedule[@]}"; do
  read -r run kind start delay <<< "$line"
  # With a budget (SOAK_BUDGET seconds), no run starts that would likely
  # end past it. What a run costs here, checks included: a node that dies
  # or never starts ends the run early, a lost network at the run limit,
  # and a hanging client may cost its two-minute call limit.
  case "$kind" in
    node_killed | node_cannot_start | program_sigkill | program_sigterm) need=60 ;;
    network_gone) need=115 ;;
    stop_hangs_node_left) need=420 ;;
    client_hangs) need=230 ;;
    *) need=100 ;;
  esac
  [ ! -e "$drv/backlog" ] || need=$((need + 120))  # the longer run limit after a killed node
  if [ -n "${SOAK_BUDGET:-}" ] && [ $(($(date +%s) - began + need)) -gt "$SOAK_BUDGET" ]; then
    echo "soak: the budget of $SOAK_BUDGET s leaves no time for run $run ($kind); it is left out"
    continue
  fi
  soak_run "$run" "$kind" "$start" "$delay" < /dev/null
  done_runs=$((done_runs + 1))
done
# A copy left open by the last run (a full disk) is asked to give way as
# the next week's start would; the run before it was checked already.
soak_close_leftover

echo
echo "soak: $done_runs runs of $runs, seed $seed, $(( $(date +%s) - began )) s"
"$py" "$here/soak/table.py" "$drv/results"
if [ -s "$drv/violations" ]; then
  echo
  echo "soak: violations (seed $seed):"
  cat "$drv/violations"
  exit 1
fi
echo "soak: no violations"
