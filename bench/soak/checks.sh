# What must hold after every run, whatever its fault. Sourced by run.sh;
# each check calls violation with what it saw.

# Processes the copy started that outlive it. A killed copy leaves its node
# behind (nobody is left to stop it), and so does one closed mid-run (its
# close box stops nothing it started); the next run must deal with it. A
# copy that stayed open after a full disk is itself allowed to stay.
check_processes() {  # allowed-names...
  local i left=""
  for ((i = 0; i < 60; i++)); do
    left=$(marked | awk -v allowed=" $* " 'index(allowed, " " $2 " ") == 0')
    [ -n "$left" ] || return 0
    sleep 0.5
  done
  violation "left running 30 s after the run: $(echo "$left" | tr '\n' ' ')"
  # Said once: ended now, so that the runs after it are judged on their own.
  local pid _
  while read -r pid _; do kill -KILL "$pid" 2>/dev/null || true; done <<< "$left"
}

check_settings() {
  local keys
  if ! keys=$("$build/tests/configure_copy" --keys "$work" "$name" 2>&1); then
    violation "the settings file does not parse: $keys"
    return 0
  fi
  local now=$drv/keys-now lost
  echo "$keys" | sed 's/=.*//' | sort > "$now"
  lost=$(comm -23 "$keys_known" "$now" | tr '\n' ' ')
  [ -z "$lost" ] || violation "keys gone from the settings: $lost"
  sort -u "$keys_known" "$now" -o "$keys_known"
}

# One row per run that started, the interrupted ones once the next start
# has written them: a run cut short keeps its row beside the history until
# then, and a copy left open may keep it until it closes.
check_history() {
  local file=$home/REPORTS/$name-RUN-HISTORY.csv read ours rows damaged pending=0 expected
  read=$("$py" "$here/soak/history.py" "$file")
  read -r ours rows damaged <<< "$read"
  [ ! -e "$home/REPORTS/$name-RUN-UNDER-WAY.csv" ] || pending=1
  expected=$((started_total - pending))
  # A copy left open after a full disk holds its row until it closes, when
  # the disk had no room for it; the next run's count tells whether it came.
  [ "${status:-}" != open ] || [ $((rows + damaged)) != $((expected - 1)) ] || expected=$((expected - 1))
  [ "$ours" = 1 ] || violation "the history file is no longer read as a history"
  [ ! -e "$home/REPORTS/$name-RUN-HISTORY-2.csv" ] || violation "the history went on in $name-RUN-HISTORY-2.csv"
  [ $((rows + damaged)) = "$expected" ] ||
    violation "history has $rows rows and $damaged damaged lines, $expected runs expected (${pending} kept for the next start)"
}

# The time the managed node began its last shutdown, from its own log.
node_shutdown_time() {
  local log=$work/chain/regtest/debug.log line
  line=$(grep 'Shutdown: In progress' "$log" 2>/dev/null | tail -n 1 || true)
  [ -n "$line" ] || { echo 0; return 0; }
  date -u -d "${line%%Z *}Z" +%s
}

# A stored success means the managed node had the network's tip: both nodes
# are asked. The managed node is started on its own, without peers; a block
# the network had found more than 15 s before the node was asked to stop
# was there to be had.
check_tip() {
  local stopped height hash network_height network_hash block_time
  stopped=$(node_shutdown_time)
  if [ -n "$(marked_named "$daemon")" ]; then
    height=$(managed_cli getblockcount || true) hash=$(managed_cli getbestblockhash || true)
  else
    "$litecoind_binary" -conf="$drv/probe.conf" -datadir="$work/chain" >/dev/null 2>&1 &
    probe_pid=$!
    if wait_answer probe_cli 120; then
      height=$(probe_cli getblockcount || true) hash=$(probe_cli getbestblockhash || true)
    fi
    probe_cli stop >/dev/null || kill -KILL "$probe_pid" 2>/dev/null || true
    wait_gone "$probe_pid" 60 || kill -KILL "$probe_pid" 2>/dev/null || true
    wait "$probe_pid" 2>/dev/null || true
    probe_pid=""
  fi
  if [ -z "${height:-}" ]; then
    violation "a stored success, and the managed node cannot be asked afterwards"
    return 0
  fi
  network_height=$(net_cli getblockcount)
  network_hash=$(net_cli getblockhash "$height" || true)
  if [ "$network_hash" != "$hash" ]; then
    violation "a stored success with the managed node at $height ($hash), not on the network's chain"
  elif [ "$network_height" -gt "$height" ]; then
    block_time=$(net_cli getblockheader "$(net_cli getblockhash $((height + 1)))" |
                 "$py" -c 'import json,sys; print(json.load(sys.stdin)["time"])')
    [ "$block_time" -ge $((stopped - 15)) ] ||
      violation "a stored success with the managed node at $height of $network_height; block $((height + 1)) was found $((stopped - block_time)) s before the node was stopped"
  fi
  echo "  tip: managed $height, network $network_height"
}

# Every path the copy wrote that is not its home folder, its chain folder or
# its settings file; the soak's own folder aside, the copy's lock in the
# user's runtime folder (one running copy per name), and the settings file's
# own lock beside it, which a program killed while saving leaves behind (the
# next save finds its owner gone and takes it over).
check_writes() {
  local stray
  stray=$(find "$work" -mindepth 1 -newer "$drv/stamp" \
            -not -path "$drv" -not -path "$drv/*" -not -path "$home" -not -path "$home/*" \
            -not -path "$work/chain" -not -path "$work/chain/*" -not -path "$work/chain.away*" \
            -not -path "$work/runtime" -not -path "$work/runtime/syncward-$(id -u)-$name.lock" \
            -not -path "$work/config/QV_SYNCWARD" -not -path "$work/config/QV_SYNCWARD/QV_SYNCWARD.ini" \
            -not -path "$work/config/QV_SYNCWARD/QV_SYNCWARD.ini.lock" -print 2>/dev/null | sed "s|^$work|…|" || true)
  [ -z "$stray" ] || violation "written outside the home, chain folder and settings file: $(echo "$stray" | tr '\n' ' ')"
  stray=$(find /tmp -maxdepth 1 -newer "$drv/stamp" -name "*$name*" -print 2>/dev/null || true)
  [ -z "$stray" ] || violation "written in /tmp: $(echo "$stray" | tr '\n' ' ')"
}

# A run that reached its report step has a new report: every run that ended
# by itself (one left open after a full disk says its report was not
# written), and one closed or killed after that step, as its row tells
# (the history's last row for a close, the row kept under way for a kill).
check_report() {  # started ended-by-itself status
  local file=$home/REPORTS/$name-END-REPORT.LOG final=-
  [ "$1" = 1 ] || return 0
  [ "$3" != open ] || return 0
  case "$kind" in
    program_sigterm) final=$("$py" "$here/soak/history.py" "$home/REPORTS/$name-RUN-HISTORY.csv" | sed -n 2p | cut -f2) ;;
    program_sigkill) final=$("$py" "$here/soak/history.py" "$home/REPORTS/$name-RUN-UNDER-WAY.csv" row | sed -n 2p | cut -f2) ;;
  esac
  if [ "$2" = 1 ] || [ "$final" != - ]; then
    [ "$file" -nt "$drv/stamp" ] || violation "no new end report though the run reached its report (final action: $final)"
  fi
}

check_run() {  # start-before pids-before ended-by-itself
  local started=0 status_now=$status
  [ "$(setting LAST_RUN_START)" = "$1" ] || started=1
  started_total=$((started_total + started))
  case "$kind:$status_now" in
    program_sigkill:* | program_sigterm:*) check_processes "$daemon" "$cli" ;;
    *:open) check_processes "${name:0:15}" ;;
    *) check_processes ;;
  esac
  check_settings
  check_history
  case "$(setting MULTILOADER_LAST_RUN_TEXTBOX)" in
    '!!! COMPLETED SUCCESSFULLY'*) [ "$started" = 0 ] || check_tip ;;
  esac
  check_writes
  check_report "$started" "$3" "$status_now"
  if [ "$kind" = second_start ]; then
    local second
    second=$(cat "$drv/second-status" 2>/dev/null || echo none)
    [ "$second" = 3 ] || violation "the second start ended with status $second, not 3 (a run under way)"
  fi
  [ "$started" = 1 ] || [ "$kind" = program_sigkill ] || [ "$kind" = program_sigterm ] ||
    violation "no run started"
  check_recovery
  [ "$kind" != report_mail_slow ] || check_power_after_mail
}

# A run whose own fault need not stop a sync succeeds, whatever the run
# before it left behind: a killed program's node still on the chain folder,
# a cut history, a copy left open.
check_recovery() {
  case "$kind" in
    none | mines_during_sync | display_gone | mail_down | history_cut | second_start | stop_hangs_node_left | \
      report_mail_slow) ;;
    *) return 0 ;;
  esac
  local outcome
  outcome=$(setting MULTILOADER_LAST_RUN_TEXTBOX)
  [ "$outcome" = '!!! COMPLETED SUCCESSFULLY !!!' ] ||
    violation "nothing of its own stops a sync, and it ended: $outcome"
}

# The power action came only once the report mail was delivered: the sink
# had both of the run's mails when the stand-in was called. A caught-up
# run never powers anything off: it closes, and its row says so.
check_power_after_mail() {
  local call
  call=$(cat "$drv/power-calls" 2>/dev/null || true)
  if [ "$start" = catch_up ]; then
    [ -z "$call" ] || violation "a caught-up run ended with the power action: '$call'"
    [ "$(tail -n 1 "$home/REPORTS/$name-RUN-HISTORY.csv" | "$py" -c 'import csv,sys; print(list(csv.reader(sys.stdin))[0][-2])' 2>/dev/null)" = \
      "CAUGHT UP AFTER A MISSED START - CLOSED INSTEAD OF HIBERNATE PC" ] ||
      violation "a caught-up run's history row does not say it closed instead of HIBERNATE PC"
    return 0
  fi
  [ "$call" = "hibernate 2" ] || violation "power action: '${call:-never called}'; 'hibernate 2' expected"
}
