#!/usr/bin/env bash
# The program's own CPU time while it sits idle with the process watch
# running (four names every 250 ms, the tooltip refresh, the lock-key
# lights, always-on-top): starts build/syncward offscreen with a private
# settings file naming the watched programs, waits, and reads utime+stime
# from /proc/PID/stat. Usage: bench/idle_cpu.sh [seconds] [build dir]
set -euo pipefail
seconds=${1:-60}
build=${2:-build}
binary="$build/syncward"
[ -x "$binary" ] || { echo "no $binary: build first" >&2; exit 1; }

scratch=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

mkdir -p "$scratch/config/QV_SYNCWARD"
cat > "$scratch/config/QV_SYNCWARD/QV_SYNCWARD.ini" <<INI
[syncward]
QT_NAME_TEXTBOX=bitcoin-qt
DAEMOND_NAME_TEXTBOX=bitcoind
DAEMONCLI_NAME_SETTINGS_TEXTBOX=bitcoin-cli
SYNCWARD_HOME_TEXTBOX=$scratch/home
INI
chmod 600 "$scratch/config/QV_SYNCWARD/QV_SYNCWARD.ini"

XDG_CONFIG_HOME="$scratch/config" HOME="$scratch" QT_QPA_PLATFORM=offscreen "$binary" >/dev/null 2>&1 &
pid=$!
sleep 3  # start-up itself is not idle time
read -r -a before < "/proc/$pid/stat"
sleep "$seconds"
read -r -a after < "/proc/$pid/stat"
# Fields 14 and 15 (utime, stime), in clock ticks; the comm field has no blanks here.
ticks=$(( (after[13] + after[14]) - (before[13] + before[14]) ))
hz=$(getconf CLK_TCK)
awk -v t="$ticks" -v hz="$hz" -v s="$seconds" -v n="$(ls /proc | grep -c '^[0-9]')" 'BEGIN {
  cpu = t / hz
  printf "idle for %d s: %.2f s of CPU = %.3f %% of one core (%d processes on this machine)\n", s, cpu, 100 * cpu / s, n
}'
