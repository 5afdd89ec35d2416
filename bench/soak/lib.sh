# The soak's world: the regtest pair, the mail sink, the copy, and the small
# questions the checks ask of them. Sourced by bench/soak.sh, which sets
# build, py, litecoind_binary and seed first.

mine_to='raw(51)#8lvh9jxk'  # anyone-can-spend: mining needs no wallet

free_port() { "$py" -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }

# A node config on loopback only: no DNS seeds, no UPnP, no onion. The
# managed node dials the network node; the network node listens. Litecoin's
# regtest turns MWEB on at height 432, after which a block mined without a
# wallet is refused: the soak's chain grows past that, so MWEB stays off on
# every node of it.
node_conf() {  # file p2p-port rpc-port connect-port|"" [noconnect]
  {
    printf 'regtest=1\nserver=1\ndnsseed=0\nupnp=0\nlistenonion=0\ndiscover=0\nprinttoconsole=0\n'
    if [ -n "$4" ] || [ -n "${5:-}" ]; then printf 'listen=0\n'; else printf 'listen=1\n'; fi
    printf '[regtest]\nport=%s\nrpcport=%s\nrpcbind=127.0.0.1\nrpcallowip=127.0.0.1\n' "$2" "$3"
    printf 'vbparams=mweb:-2:0\n'
    if [ -n "${5:-}" ]; then printf 'connect=0\n'
    elif [ -n "$4" ]; then printf 'connect=127.0.0.1:%s\n' "$4"
    else printf 'bind=127.0.0.1\n'; fi
  } > "$1"
}

net_cli() { litecoin-cli -conf="$drv/network.conf" -datadir="$drv/network" "$@" 2>/dev/null; }
managed_cli() { litecoin-cli -conf="$conf" -datadir="$work/chain" "$@" 2>/dev/null; }
probe_cli() { litecoin-cli -conf="$drv/probe.conf" -datadir="$work/chain" "$@" 2>/dev/null; }

wait_answer() {  # cli-function seconds
  local i
  for ((i = 0; i < $2 * 5; i++)); do
    "$1" getblockcount >/dev/null && return 0
    sleep 0.2
  done
  return 1
}

wait_gone() {  # pid seconds
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

start_network() {
  "$drv/bin/sknet$id" -conf="$drv/network.conf" -datadir="$drv/network" >/dev/null 2>&1 &
  net_pid=$!
  wait_answer net_cli 60 || { echo "soak: the network node did not start" >&2; return 1; }
}

stop_network() {
  net_cli stop >/dev/null || true
  wait_gone "$net_pid" 60 || kill -KILL "$net_pid" 2>/dev/null || true
  wait "$net_pid" 2>/dev/null || true
  net_pid=""
}

start_sink() {  # [seconds before it accepts each mail]
  rm -f "$drv/sink/port"
  SMTP_SINK_PORT=$smtp_port SMTP_SINK_DELAY=${1:-0} "$py" "$root/tests/e2e/smtp_sink.py" "$drv/sink" nodeuser "$drv/sink-password" \
    2>>"$drv/logs/sink.err" &
  sink_pid=$!
  local i
  for ((i = 0; i < 100; i++)); do [ -s "$drv/sink/port" ] && return 0; sleep 0.1; done
  echo "soak: the SMTP sink did not start" >&2
  return 1
}

stop_sink() {
  kill -KILL "$sink_pid" 2>/dev/null || true
  wait "$sink_pid" 2>/dev/null || true
  sink_pid=""
}

# Every process that carries the soak's mark in its environment: the copy
# and whatever it started (its node, its client calls, its mailer), which
# inherit the copy's environment. "pid name" a line.
marked() {
  "$py" - "$work" <<'EOF'
import os, sys
mark = b"SYNCWARD_SOAK=" + sys.argv[1].encode()
for pid in filter(str.isdigit, os.listdir("/proc")):
    try:
        with open("/proc/%s/environ" % pid, "rb") as f:
            if mark not in f.read().split(b"\0"):
                continue
        with open("/proc/%s/comm" % pid) as f:
            print(pid, f.read().strip())
    except OSError:
        pass
EOF
}

marked_named() { marked | awk -v n="$1" '$2 == n { print $1 }'; }

setting() { "$build/tests/configure_copy" --keys "$work" "$name" | sed -n "s/^$1=//p"; }
store() { "$build/tests/configure_copy" --set "$work" "$name" "$@"; }

soak_setup() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/syncward-soak-XXXXXX")
  chmod 700 "$work"
  # Short names of this soak's own: the process watch tells programs by name.
  id=$(($$ % 100000))
  name=SOAK$id daemon=skd$id cli=skc$id
  drv=$work/driver
  mkdir -p "$drv"/{bin,hang,fakebin,network,sink,tmp,logs} "$work"/{chain,userhome,tmp,runtime,config}
  chmod 700 "$work/runtime"
  : > "$drv/results"
  : > "$drv/violations"
  net_pid="" sink_pid="" fault_pid="" mounted="" left_node=""
  cp "$litecoind_binary" "$drv/bin/$daemon"
  cp "$litecoind_binary" "$drv/bin/sknet$id"
  ln -s "$(command -v litecoin-cli)" "$drv/bin/$cli"
  # The hanging client: a sleep under the client's name, so it is seen as one.
  cp "$(command -v sleep)" "$drv/hang/$cli"
  printf '#!/bin/sh\nexec %q 100000\n' "$drv/hang/$cli" > "$drv/hanging-client"
  # A client that hangs on the stop request only, and answers all else.
  mkdir -p "$drv/real"
  ln -s "$(command -v litecoin-cli)" "$drv/real/$cli"
  printf '#!/bin/sh\ncase " $* " in *" stop "*) exec %q 100000 ;; esac\nexec %q "$@"\n' \
    "$drv/hang/$cli" "$drv/real/$cli" > "$drv/stop-hanging-client"
  chmod 700 "$drv/hanging-client" "$drv/stop-hanging-client"
  # The scheduler's lines as the catch-up reads them, from a stand-in that
  # only lists: the user's own crontab is never asked or touched.
  {
    printf '#!/bin/sh\necho "crontab $*" >> %q\n[ "$1" = -l ] || exit 1\n' "$drv/logs/crontab-calls"
    printf 'echo "0 0 * * * %s # SYNCWARD - %s"\n' "$work/$name" "$name"
    printf 'echo "@reboot %s --catch-up # SYNCWARD - %s"\n' "$work/$name" "$name"
  } > "$drv/fakebin/crontab"
  chmod 700 "$drv/fakebin/crontab"
  # The power command: notes the call and how many mails the sink had taken.
  printf '#!/bin/sh\necho "$* $(ls %q | grep -c "^mail-.*\\.eml$")" >> %q\n' "$drv/sink" "$drv/power-calls" \
    > "$drv/fakebin/systemctl"
  chmod 700 "$drv/fakebin/systemctl"

  local net_p2p net_rpc
  net_p2p=$(free_port) net_rpc=$(free_port) smtp_port=$(free_port)
  node_conf "$drv/network.conf" "$net_p2p" "$net_rpc" ""
  start_network
  net_cli generatetodescriptor 100 "$mine_to" >/dev/null

  printf 'pa ss$'"'"'`x' > "$drv/sink-password"  # the password the e-mail window stores
  start_sink

  conf=$work/$name-home/CONFIGS/$name-CRYPTO-CONFIG.conf
  # The copy's settings, command files and mail set-up, composed by the
  # program's own composer and e-mail window; counting every second and a run
  # limit of one minute so that a fault costs a minute, not an hour.
  home=$("$build/tests/configure_copy" "$work" "$name" "$conf" "$work/chain" "$drv/bin" 00:00:01 100 Litecoin \
         --daemon "$daemon" --cli "$cli" --mail "$smtp_port" USER_OVERRIDE_TIME_TEXTBOX=00:01:00 \
         TASK_STATUS_TEXTBOX=TASK-CREATED ENABLE_SCHED_TASK_TICKBOX=1 SELECT_ALL_DAYS_TICKBOX=1 \
         TASK_RUN_TIME_TEXTBOX=00:00 2>"$drv/logs/configure.err")
  disk_full_note=""
  # The home folder on a disk of its own, small enough to fill.
  if [ "$(id -u)" = 0 ]; then
    cp -a "$home" "$drv/home-stash"
    if mount -t tmpfs -o size=16m,mode=700 soak-home "$home" 2>"$drv/logs/mount.err"; then
      mounted=$home
      cp -a "$drv/home-stash/." "$home/"
    else
      disk_full_note="no tmpfs could be mounted: $(cat "$drv/logs/mount.err")"
    fi
  else
    disk_full_note="not root: no tmpfs for the home folder"
  fi
  [ -z "$disk_full_note" ] || echo "soak: the disk-full fault is skipped ($disk_full_note)"
  node_conf "$conf" "$(free_port)" "$(free_port)" "$net_p2p"
  node_conf "$drv/probe.conf" "$(free_port)" "$(free_port)" "" noconnect

  # The managed node learns the first 100 blocks, as an earlier run left it.
  "$litecoind_binary" -conf="$conf" -datadir="$work/chain" >/dev/null 2>&1 &
  local first=$!
  wait_answer managed_cli 60
  local i
  for ((i = 0; i < 300; i++)); do [ "$(managed_cli getblockcount)" = 100 ] && break; sleep 0.2; done
  managed_cli stop >/dev/null
  wait_gone "$first" 60
  wait "$first" || true

  started_total=0
  keys_known=$drv/keys-known
  "$build/tests/configure_copy" --keys "$work" "$name" | sed 's/=.*//' | sort > "$keys_known"
  leftover_pid=""
}

soak_cleanup() {
  local status=$?
  [ -z "$fault_pid" ] || kill -KILL "$fault_pid" 2>/dev/null || true
  local pid _
  while read -r pid _; do kill -KILL "$pid" 2>/dev/null || true; done < <(marked)
  [ -z "${probe_pid:-}" ] || kill -KILL "$probe_pid" 2>/dev/null || true
  [ -z "$left_node" ] || kill -KILL "$left_node" 2>/dev/null || true
  [ -z "$net_pid" ] || kill -KILL "$net_pid" 2>/dev/null || true
  [ -z "$sink_pid" ] || kill -KILL "$sink_pid" 2>/dev/null || true
  for pid in $(jobs -p); do kill -KILL "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -z "${SOAK_KEEP:-}" ] || [ -z "$mounted" ] || cp -a "$home" "$drv/home-kept" 2>/dev/null || true
  [ -z "$mounted" ] || umount "$mounted" || umount -l "$mounted" || true
  # SOAK_KEEP=1 keeps the folder (the runs' logs, the node logs) to chase a fault.
  if [ -n "${SOAK_KEEP:-}" ]; then echo "soak: kept $work"; else rm -rf "$work"; fi
  exit "$status"
}

source "$here/soak/run.sh"
