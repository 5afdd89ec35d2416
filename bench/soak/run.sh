# One run of the soak: its fault before, during and after, the start as the
# weekly task makes it, and the checks. Sourced by lib.sh.

violation() {
  local text="run $run (fault $kind, start $start, seed $seed): $*"
  echo "  VIOLATION $text"
  echo "$text" >> "$drv/violations"
  run_violations=$((run_violations + 1))
}

# The start as cron, the boot line or the login entry makes it: the copy's
# own environment (its settings, its runtime folder for the lock, a HOME and
# temporary folder of its own so that a stray write shows), offscreen, under
# Xvfb, or with a display that is gone.
launch_command() {  # start
  local -a base=("SYNCWARD_SOAK=$work" "XDG_CONFIG_HOME=$work/config" "HOME=$work/userhome"
                 "XDG_RUNTIME_DIR=$work/runtime" "TMPDIR=$work/tmp" "XDG_CACHE_HOME=$work/userhome/.cache"
                 "XDG_DATA_HOME=$work/userhome/.local/share" TZ=UTC "PATH=$drv/fakebin:$PATH"
                 # The power action goes to the recording stand-in command,
                 # never to the machine's own login manager or desktop.
                 "DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/no-system-bus"
                 "DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-session-bus")
  local -a offscreen=(env -u WAYLAND_DISPLAY -u DISPLAY QT_QPA_PLATFORM=offscreen "${base[@]}")
  case "$1" in
    xvfb) command=(env "TMPDIR=$drv/tmp" xvfb-run -a -s "-screen 0 1366x768x24"
                   env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${base[@]}" "$work/$name") ;;
    gone) command=(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${base[@]}" "DISPLAY=:$gone_display" "$work/$name") ;;
    catch_up) command=("${offscreen[@]}" "$work/$name" --catch-up) ;;
    *) command=("${offscreen[@]}" "$work/$name") ;;
  esac
}

program_pids() { marked_named "${name:0:15}"; }

# A week has passed since the last run started: the task's time is the
# last whole minute, which must come after that start (the program also
# knows it from the run's own records), so a run that started this minute
# is followed by a wait for the next one. A copy that never stored a run
# start catches up from its first check on: it gets one from the day before.
missed_week() {
  local now scheduled last
  last=$(setting LAST_RUN_START)
  if [ -z "$last" ]; then
    last=$(date -u -d "@$(($(date -u +%s) - 86400))" +%Y-%m-%dT%H:%M:%SZ)
    store "LAST_RUN_START=$last"
  fi
  last=$(date -u -d "$last" +%s)
  while now=$(date -u +%s) && scheduled=$(((now - 1) / 60 * 60)) && [ "$last" -ge "$scheduled" ]; do sleep 2; done
  store "TASK_RUN_TIME_TEXTBOX=$(date -u -d "@$scheduled" +%H:%M)"
}

# Cuts the history's last row short, as a crash mid-write would.
cut_history() {
  local file=$home/REPORTS/$name-RUN-HISTORY.csv size last cut
  [ -s "$file" ] || { echo "  (no history yet to cut)"; return 0; }
  size=$(stat -c %s "$file")
  last=$(tail -n 1 "$file" | wc -c)
  cut=$((size - 1 - (run * 7919 % (last - 1))))
  truncate -s "$cut" "$file"
  echo "  history cut from $size to $cut bytes"
}

fill_disk() { dd if=/dev/zero of="$home/FILLER" bs=64k 2>/dev/null || true; }

fault_before() {
  case "$kind" in
    network_gone) stop_network ;;
    node_cannot_start) mv "$work/chain" "$work/chain.away" ;;
    client_hangs) ln -sfn "$drv/hanging-client" "$drv/bin/$cli" ;;
    stop_hangs_node_left)
      # What a run killed mid-sync leaves: its node (the copy's daemon),
      # still running on the chain folder; and this time the stop request
      # hangs.
      "$drv/bin/$daemon" -conf="$conf" -datadir="$work/chain" >/dev/null 2>&1 &
      left_node=$!
      wait_answer managed_cli 60
      ln -sfn "$drv/stop-hanging-client" "$drv/bin/$cli" ;;
    mail_down) stop_sink ;;
    history_cut) cut_history ;;
    disk_full) fill_disk ;;
    report_mail_slow)
      # The server takes eight seconds to accept each mail, and the run
      # ends with a power action (the recording stand-in) after two.
      close_leftover_before_storing
      stop_sink
      rm -f "$drv/sink"/mail-*  # a sink started again numbers its mails from 1
      start_sink 8
      : > "$drv/power-calls"
      store TASK_19_ENABLE_TICKBOX=0 TASK_20_ENABLE_TICKBOX=1 "AUTOTIMER_ACTION_TEXTBOX=HIBERNATE PC" \
        CLOSE_REQUEST_COUNTDOWN_TEXTBOX=00:00:02 ;;
  esac
}

# A copy left open stores its own settings as it gives way, over what the
# soak stores for the next run: it is closed first.
close_leftover_before_storing() {
  [ -n "$leftover_pid" ] || return 0
  kill -TERM "$leftover_pid" 2>/dev/null || true
  wait_gone "$leftover_pid" 30 || violation "the copy left open did not close on SIGTERM"
  leftover_pid=""
}

wait_for_node() {
  local i
  for ((i = 0; i < 600; i++)); do
    [ -z "$(marked_named "$daemon")" ] || return 0
    sleep 0.1
  done
  return 1
}

# What the fault does while the run goes on; runs in the background.
fault_during() {
  local i height0 pid
  case "$kind" in
    mines_during_sync)
      wait_for_node || return 0
      for ((i = 0; i < 10; i++)); do net_cli generatetodescriptor 1 "$mine_to" >/dev/null || true; sleep 2; done ;;
    node_killed)
      wait_for_node || return 0
      # Mid-sync, and long enough after its start that the run has seen
      # it running (a node gone within two seconds never ran, to the run):
      # a few hundred blocks into the 1500 it has to fetch.
      sleep 3
      height0=$(managed_cli getblockcount || echo 0)
      for ((i = 0; i < 600; i++)); do
        h=$(managed_cli getblockcount || true)
        [ -n "$h" ] && [ "$h" -gt $((${height0:-0} + 300)) ] && break
        sleep 0.1
      done
      for pid in $(marked_named "$daemon"); do kill -KILL "$pid" 2>/dev/null || true; done
      echo "  managed node killed at height ${h:-?}" ;;
    program_sigkill | program_sigterm)
      sleep "$delay"
      local signal=KILL
      [ "$kind" = program_sigkill ] || signal=TERM
      for pid in $(program_pids); do kill -"$signal" "$pid" 2>/dev/null || true; done
      echo "  SIG$signal $delay s after the start" ;;
    second_start)
      # This run's own mark, not the one a killed run before it left.
      local mark
      for ((i = 0; i < 600; i++)); do
        mark=$(setting MULTILOADER_LAST_RUN_TEXTBOX)
        case "$mark" in '!!! RUN UNDER WAY'*) [ "$mark" = "$outcome_before" ] || break ;; esac
        sleep 0.2
      done
      local -a command
      launch_command plain
      local status=0
      timeout 60 "${command[@]}" >"$drv/logs/run$run-second.out" 2>&1 || status=$?
      echo "$status" > "$drv/second-status"
      echo "  second start ended with status $status" ;;
    client_hangs)
      sleep 40
      ln -sfn "$(command -v litecoin-cli)" "$drv/bin/$cli"
      echo "  the client answers again" ;;
  esac
}

fault_after() {
  case "$kind" in
    node_killed) : > "$drv/backlog" ;;
    network_gone) start_network ;;
    node_cannot_start) mv "$work/chain.away" "$work/chain" ;;
    client_hangs) ln -sfn "$(command -v litecoin-cli)" "$drv/bin/$cli" ;;
    stop_hangs_node_left)
      ln -sfn "$(command -v litecoin-cli)" "$drv/bin/$cli"
      if kill -0 "$left_node" 2>/dev/null; then
        managed_cli stop >/dev/null || true
        wait_gone "$left_node" 60 || kill -KILL "$left_node" 2>/dev/null || true
      fi
      wait "$left_node" 2>/dev/null || true
      left_node="" ;;
    mail_down) start_sink ;;
    disk_full) rm -f "$home/FILLER" ;;
    report_mail_slow)
      stop_sink
      start_sink
      store TASK_19_ENABLE_TICKBOX=1 TASK_20_ENABLE_TICKBOX=0 ;;
  esac
}

# A copy that stayed open (red, after a run whose report could not be
# written) is asked to give way by the next start; when none follows, the
# soak closes it as its close box would.
soak_close_leftover() {
  [ -n "$leftover_pid" ] || return 0
  kill -TERM "$leftover_pid" 2>/dev/null || true
  run="$run+" status=closed
  wait_gone "$leftover_pid" 30 || violation "the copy left open did not close on SIGTERM"
  leftover_pid=""
  check_history
}

soak_run() {
  run=$1 kind=$2 start=$3 delay=$4
  run_violations=0
  local limit=240 blocks
  [ "$kind" != client_hangs ] || limit=420
  # A stop request that hangs is followed by a shutdown signal after five minutes.
  [ "$kind" != stop_hangs_node_left ] || limit=480
  # A node killed mid-sync leaves the chain some 1200 blocks behind; the
  # next run fetches them as its first work, and on a busy machine one
  # minute is too short for that. The user's own answer is a longer run
  # limit, set for that one run.
  if [ -e "$drv/backlog" ]; then
    close_leftover_before_storing
    store USER_OVERRIDE_TIME_TEXTBOX=00:03:00
    limit=$((limit + 120))
  fi
  if [ "$kind" = disk_full ] && [ -n "$disk_full_note" ]; then
    echo "run $run: disk_full skipped ($disk_full_note); none instead"
    kind=none
  fi
  # A week of blocks, and plenty when the node is to be killed mid-sync.
  blocks=$((20 + run * 37 % 150))
  [ "$kind" != node_killed ] || blocks=1500
  net_cli generatetodescriptor "$blocks" "$mine_to" >/dev/null
  echo "run $run: $kind, $start start, network at $(net_cli getblockcount)"

  local start_before before_pids
  fault_before
  [ "$start" != catch_up ] || missed_week
  start_before=$(setting LAST_RUN_START)
  outcome_before=$(setting MULTILOADER_LAST_RUN_TEXTBOX)
  before_pids=$(marked | awk '{print $1}' | sort)
  touch "$drv/stamp"
  gone_display=$((90 + run % 9))
  local -a command
  local how=$start
  [ "$kind" != display_gone ] || how=gone
  launch_command "$how"
  rm -f "$drv/second-status"
  local t0 launcher status="" ended_by_itself=0 open=0
  t0=$(date +%s)
  "${command[@]}" >"$drv/logs/run$run.out" 2>"$drv/logs/run$run.err" &
  launcher=$!
  fault_during &
  fault_pid=$!

  # A copy left open by the run before gives way to this start.
  if [ -n "$leftover_pid" ]; then
    wait_gone "$leftover_pid" 30 || violation "the copy left open by the run before did not give way"
    leftover_pid=""
  fi

  while kill -0 "$launcher" 2>/dev/null; do
    if [ $(($(date +%s) - t0)) -gt "$limit" ]; then
      violation "still running after its limit of $limit s"
      for pid in $(program_pids); do kill -KILL "$pid" 2>/dev/null || true; done
      break
    fi
    # A power action that was only recorded leaves the copy open, as a
    # refused one would; it is closed as its close box would close it.
    if [ "$kind" = report_mail_slow ] && [ -s "$drv/power-calls" ]; then
      sleep 1
      for pid in $(program_pids); do kill -TERM "$pid" 2>/dev/null || true; done
      wait_gone "$launcher" 30 || true
      break
    fi
    # A run whose report could not be written stays open, red, by design.
    if [ "$kind" = disk_full ]; then
      case "$(setting MULTILOADER_LAST_RUN_TEXTBOX)" in *'NOT WRITTEN'*) open=1; break ;; esac
    fi
    sleep 0.5
  done
  if [ "$open" = 1 ]; then
    leftover_pid=$(program_pids)
    status=open
  else
    wait "$launcher" && status=0 || status=$?
    [ "$kind" = program_sigkill ] || [ "$kind" = program_sigterm ] || ended_by_itself=1
  fi
  local seconds=$(($(date +%s) - t0))
  wait "$fault_pid" 2>/dev/null || true
  fault_pid=""
  fault_after
  echo "  ended after $seconds s, status $status"

  check_run "$start_before" "$before_pids" "$ended_by_itself"
  local outcome
  outcome=$(setting MULTILOADER_LAST_RUN_TEXTBOX)
  echo "  outcome: $outcome"
  if [ "$run_violations" -gt 0 ]; then
    echo "  its standard error:"
    sed 's/^/    /' "$drv/logs/run$run.err"
  fi
  # The run after a killed node had its longer limit; the next has a minute again.
  if [ -e "$drv/backlog" ] && [ "$kind" != node_killed ]; then
    store USER_OVERRIDE_TIME_TEXTBOX=00:01:00
    rm -f "$drv/backlog"
  fi
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$run" "$kind" "$start" "$seconds" "$run_violations" "$outcome" >> "$drv/results"
}

source "$here/soak/checks.sh"
