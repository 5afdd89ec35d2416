#!/usr/bin/env bash
# The built program where nobody watches. With no display at all it runs
# offscreen by itself and says so; --offscreen does the same where a display
# is present; with a display and no option it opens its window there. Each
# time it is started as a link under another name and must end cleanly on a
# close request: exit status 0, and its window's place stored by its own
# close in the section named after the link.
source "$(dirname "$0")/../../scripts/lib/strict.sh"
binary=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/syncward-headless-XXXXXX")
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
settings="$work/config/QV_SYNCWARD/QV_SYNCWARD.ini"
# A scratch home and settings, and no display or platform from the caller.
clean_env=(env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_CONFIG_HOME="$work/config"
           XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8)

# The handler for SIGTERM is in place once the program's SigCgt mask says so;
# a signal sent earlier would just kill it.
wait_until_listening() {
  for _ in $(seq 1 300); do
    if [ -r "/proc/$pid/status" ]; then
      caught=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status")
      if [ -n "$caught" ] && (( 0x$caught & (1 << 14) )); then return 0; fi
    fi
    kill -0 "$pid" 2>/dev/null || fail "$name ended before it was up: $(cat "$work/$name.err")"
    sleep 0.1
  done
  fail "$name never listened for close requests"
}

# check_case NAME SIGNAL PLUGIN NOTICE(yes|no) launcher... -- args...
check_case() {
  name=$1 signal=$2 plugin=$3 notice=$4
  shift 4
  ln -s "$binary" "$work/$name"
  rm -f "$work/$name.pid"
  "$@" 2>"$work/$name.err" &
  job=$!
  for _ in $(seq 1 300); do [ -s "$work/$name.pid" ] && break; sleep 0.1; done
  pid=$(cat "$work/$name.pid" 2>/dev/null) || fail "$name did not start"
  wait_until_listening

  # Which platform the toolkit took shows in the plugins it loaded.
  grep -q "/libq$plugin\.so" "/proc/$pid/maps" || fail "$name did not load the $plugin platform"
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "$name did not keep running: $(cat "$work/$name.err")"

  kill "-$signal" "$pid"
  for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "$name still runs 30 s after SIG$signal"
  status=0
  wait "$job" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "$name ended with status $status on SIG$signal: $(cat "$work/$name.err")"

  if grep -q "no display" "$work/$name.err"; then said=yes; else said=no; fi
  [ "$said" = "$notice" ] || fail "$name: notice on standard error expected: $notice; got: $(cat "$work/$name.err")"
  # Standard error is for what the user should read, not the toolkit's notices.
  if grep -q "does not support" "$work/$name.err"; then fail "$name: toolkit notices on standard error: $(cat "$work/$name.err")"; fi
  # Its own close stored its place, in its own section only.
  awk -v group="[$name]" '
      /^\[/ { inside = ($0 == group) }
      inside && /^MAIN-Left=/ { found = 1 }
      END { exit !found }' "$settings" || fail "$name stored no place in [$name]: $(cat "$settings" 2>&1)"
  echo "ok: $name ($plugin) closed on SIG$signal"
}


check_case HEADLESS1 TERM offscreen yes \
  "${clean_env[@]}" sh -c 'echo $$ > "$0.pid"; exec "$0"' "$work/HEADLESS1"
check_case HEADLESS2 TERM offscreen no \
  "${clean_env[@]}" xvfb-run -a sh -c 'echo $$ > "$0.pid"; exec "$0" --offscreen' "$work/HEADLESS2"
check_case HEADLESS3 HUP xcb no \
  "${clean_env[@]}" xvfb-run -a sh -c 'echo $$ > "$0.pid"; exec "$0"' "$work/HEADLESS3"

# A bare X server, as xinit or xvfb-run leave one: no other client, so it
# resets itself whenever its last client leaves, and a start that let go of
# the display before the toolkit held its own met that reset and aborted.
# SYNCWARD_BARE_STARTS and SYNCWARD_XVFB_RUN_STARTS set how many starts.
xvfb=""
stop_xvfb() { if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi; xvfb=""; }
trap 'stop_xvfb; cleanup' EXIT
bare=${SYNCWARD_BARE_STARTS:-5}
for i in $(seq 1 "$bare"); do
  # A file of its own each time: the shell truncates it only once Xvfb runs.
  Xvfb -displayfd 3 -nolisten tcp 3>"$work/xvfb-display-$i" 2>"$work/xvfb.err" &
  xvfb=$!
  for _ in $(seq 1 300); do [ -s "$work/xvfb-display-$i" ] && break; sleep 0.1; done
  number=$(cat "$work/xvfb-display-$i")
  [ -n "$number" ] || fail "Xvfb did not start: $(cat "$work/xvfb.err")"
  check_case "BARE$i" TERM xcb no \
    "${clean_env[@]}" DISPLAY=":$number" sh -c 'echo $$ > "$0.pid"; exec "$0"' "$work/BARE$i"
  stop_xvfb
done
xvfb_run=${SYNCWARD_XVFB_RUN_STARTS:-3}
for i in $(seq 1 "$xvfb_run"); do
  check_case "XVFBRUN$i" TERM xcb no \
    "${clean_env[@]}" xvfb-run -a sh -c 'echo $$ > "$0.pid"; exec "$0"' "$work/XVFBRUN$i"
done

# A display that accepts and never answers (a listener on its TCP port):
# --version does not wait for it, and a start goes on offscreen within
# seconds, saying why.
python3 - "$work/silent-display" <<'LISTENER' &
import socket, sys, time
for number in range(50, 100):
    s = socket.socket()
    try:
        s.bind(("127.0.0.1", 6000 + number))
    except OSError:
        s.close()
        continue
    s.listen(16)
    with open(sys.argv[1], "w") as f:
        f.write(str(number))
    time.sleep(600)
    break
LISTENER
listener=$!
trap 'kill "$listener" 2>/dev/null || true; stop_xvfb; cleanup' EXIT
for _ in $(seq 1 100); do [ -s "$work/silent-display" ] && break; sleep 0.1; done
silent="127.0.0.1:$(cat "$work/silent-display")"
ln -s "$binary" "$work/SILENT-VERSION"
said=$(timeout 20 "${clean_env[@]}" DISPLAY="$silent" "$work/SILENT-VERSION" --version) ||
  fail "--version with a silent display did not end by itself"
case "$said" in "syncward "[0-9]*) ;; *) fail "--version with a silent display said: $said" ;; esac
check_case SILENT TERM offscreen no \
  "${clean_env[@]}" DISPLAY="$silent" sh -c 'echo $$ > "$0.pid"; exec "$0"' "$work/SILENT"
grep "SILENT: the display ($silent) cannot be opened; running offscreen" "$work/SILENT.err" >/dev/null ||
  fail "SILENT did not say why it ran offscreen: $(cat "$work/SILENT.err")"

# A Wayland socket that accepts, where Qt has no Wayland plugin (Debian
# ships it apart): the start goes on offscreen, saying why.
python3 - "$work/runtime/wayland-silent" <<'LISTENER' &
import socket, sys, time
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.listen(16)
time.sleep(600)
LISTENER
wayland_listener=$!
trap 'kill "$listener" "$wayland_listener" 2>/dev/null || true; stop_xvfb; cleanup' EXIT
for _ in $(seq 1 100); do [ -S "$work/runtime/wayland-silent" ] && break; sleep 0.1; done
check_case WAYLAND TERM offscreen no \
  "${clean_env[@]}" WAYLAND_DISPLAY=wayland-silent sh -c 'echo $$ > "$0.pid"; exec "$0"' "$work/WAYLAND"
grep "WAYLAND: the display (wayland-silent) cannot be opened; running offscreen" "$work/WAYLAND.err" >/dev/null ||
  fail "WAYLAND did not say why it ran offscreen: $(cat "$work/WAYLAND.err")"

# Options never choose the section: one section for each copy started.
groups=$(grep -c '^\[' "$settings")
[ "$groups" -eq $((3 + bare + xvfb_run + 2)) ] ||
  fail "expected the sections of the copies started only, got: $(grep '^\[' "$settings")"
echo "all headless starts passed"
