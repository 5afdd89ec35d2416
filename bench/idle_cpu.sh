#!/usr/bin/env bash
# The program's own CPU time while it sits idle with the process watch
# running (four names every 250 ms, the tooltip refresh, the lock-key
# lights, always-on-top), against a shell loop that does the same watch the
# plain way, four `pgrep -x` every 250 ms, over the same seconds beside it.
# Starts the program offscreen (or, with x11 as third argument, on an X
# server of its own, Xvfb) with a private settings file naming the watched
# programs and reads utime+stime (the loop's with its reaped children) from
# /proc/PID/stat, and counts its main thread's wake-ups (voluntary context
# switches in /proc/PID/status). With IDLE_PROCESSES=N it first starts sleeping processes
# until the machine has about N (a desktop has some 400), and ends them after.
# Usage: bench/idle_cpu.sh [seconds] [build dir or program] [offscreen|x11]
source "$(dirname "$0")/../scripts/lib/strict.sh"
seconds=${1:-60}
build=${2:-build}
display=${3:-offscreen}
binary="$build/syncward"
[ -f "$build" ] && binary=$build  # a program saved elsewhere, for a before-and-after
[ -x "$binary" ] || { echo "no $binary: build first" >&2; exit 1; }

scratch=$(mktemp -d)
pid=
loop=
xvfb=
sleepers=()
cleanup() {
  for p in $pid $loop $xvfb "${sleepers[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

processes() { ls /proc | grep -c '^[0-9]'; }
if [ -n "${IDLE_PROCESSES:-}" ]; then
  for _ in $(seq "$(processes)" "$((IDLE_PROCESSES - 1))"); do sleep infinity & sleepers+=($!); done
  # A desktop's processes are old: the watch reads a process on every look
  # only in its first 16 seconds.
  sleep 20
fi

if [ "$display" = x11 ]; then
  exec {displayfd}<> <(:)
  Xvfb -displayfd "$displayfd" -nolisten tcp -screen 0 1366x768x24 >/dev/null 2>&1 &
  xvfb=$!
  read -r -t 10 number <&"$displayfd" || { echo "Xvfb did not start" >&2; exit 1; }
  platform=(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=":$number")
else
  platform=(env QT_QPA_PLATFORM=offscreen)
fi

mkdir -p "$scratch/config/QV_SYNCWARD"
cat > "$scratch/config/QV_SYNCWARD/QV_SYNCWARD.ini" <<INI
[syncward]
QT_NAME_TEXTBOX=bitcoin-qt
DAEMOND_NAME_TEXTBOX=bitcoind
DAEMONCLI_NAME_SETTINGS_TEXTBOX=bitcoin-cli
SYNCWARD_HOME_TEXTBOX=$scratch/home
INI
chmod 600 "$scratch/config/QV_SYNCWARD/QV_SYNCWARD.ini"

XDG_CONFIG_HOME="$scratch/config" HOME="$scratch" "${platform[@]}" "$binary" >/dev/null 2>&1 &
pid=$!

# The reference: the same four names every 250 ms, paced on the clock, with
# bash's own timed read as the pause so that no sleep process is counted.
bash -c '
  exec 3<> <(:)
  next=${EPOCHREALTIME/./}
  while :; do
    for name in bitcoin-qt bitcoind bitcoin-cli sendemail; do pgrep -x "$name" >/dev/null || true; done
    next=$((next + 250000))
    wait_us=$((next - ${EPOCHREALTIME/./}))
    [ "$wait_us" -gt 0 ] && read -r -t "$(printf "%d.%06d" $((wait_us / 1000000)) $((wait_us % 1000000)))" -u 3 || true
  done' &
loop=$!

# utime+stime (+ cutime+cstime with children), in clock ticks. The comm
# field has no blanks here.
cpuOf() {
  local -a f
  read -r -a f < "/proc/$1/stat"
  if [ "${2:-}" = children ]; then echo $((f[13] + f[14] + f[15] + f[16])); else echo $((f[13] + f[14])); fi
}

# How often the program's main thread went to sleep and was woken again:
# each timer tick, each event it waited for.
wakeupsOf() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$1/status"; }

sleep 3  # start-up itself is not idle time
wakeups_before=$(wakeupsOf "$pid")
program_before=$(cpuOf "$pid")
loop_before=$(cpuOf "$loop" children)
sleep "$seconds"
program_after=$(cpuOf "$pid")
wakeups_after=$(wakeupsOf "$pid")
loop_after=$(cpuOf "$loop" children)

hz=$(getconf CLK_TCK)
awk -v d="$display" -v p=$((program_after - program_before)) -v l=$((loop_after - loop_before)) -v hz="$hz" -v s="$seconds" \
    -v n="$(ls /proc | grep -c '^[0-9]')" -v w=$((wakeups_after - wakeups_before)) 'BEGIN {
  printf "idle for %d s, %s (%d processes on this machine):\n", s, d, n
  printf "  syncward:          %.2f s of CPU = %.3f %% of one core\n", p / hz, 100 * p / hz / s
  printf "  its main thread woke %.1f times a second\n", w / s
  printf "  4 x pgrep -x loop: %.2f s of CPU = %.3f %% of one core\n", l / hz, 100 * l / hz / s
  if (p > 0) printf "  the loop costs %.1f times what syncward does\n", l / p
  else printf "  syncward used less than one clock tick (1/%d s): the loop costs more than %d times as much\n", hz, l
}'
