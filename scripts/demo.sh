#!/usr/bin/env bash
# The main job, shown without a real coin: builds SYNCWARD, starts a Litecoin
# regtest "network" node on 127.0.0.1, configures a copy of SYNCWARD named
# DEMO against a second regtest node that starts 150 blocks behind, and lets
# one unattended run go by itself: start the node, poll until four identical
# block counts, stop the node, wait until it has exited, report, close.
# Everything it makes lives in one temporary folder and is removed at the end.
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
bash scripts/setup.sh demo  # not the test-only packages: scripts/test.sh adds those
# Only the program and the tool that configures its copy, not the tests:
# ninja counts the steps as it goes ([done/all]).
echo "Building SYNCWARD and the tool that configures its copy (the first build takes a few minutes on two cores)..."
bash scripts/build.sh syncward configure_copy
build="$PWD/${SYNCWARD_BUILD_DIR:-build}"

work=$(mktemp -d "${TMPDIR:-/tmp}/syncward-demo-XXXXXX")
network_conf="$work/network.conf"
cleanup() {
  litecoin-cli -conf="$network_conf" stop >/dev/null 2>&1 || true
  pkill -KILL -f -- "-datadir=$work/" 2>/dev/null || true
  sleep 1
  rm -rf "$work"
}
trap cleanup EXIT

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }

# A node config on loopback only: no DNS seeds, no UPnP, no onion.
node_conf() {  # file p2p-port rpc-port connect-port|""
  {
    printf 'regtest=1\nserver=1\ndnsseed=0\nupnp=0\nlistenonion=0\ndiscover=0\n'
    printf 'rpcuser=syncward\nrpcpassword=regtest-only\nprinttoconsole=0\n'
    if [ -n "$4" ]; then printf 'listen=0\n'; else printf 'listen=1\n'; fi
    printf '[regtest]\nport=%s\nrpcport=%s\nrpcbind=127.0.0.1\nrpcallowip=127.0.0.1\n' "$2" "$3"
    if [ -n "$4" ]; then printf 'connect=127.0.0.1:%s\n' "$4"; else printf 'bind=127.0.0.1\n'; fi
  } > "$1"
}

wait_for() {  # conf height
  for _ in $(seq 1 300); do
    [ "$(litecoin-cli -conf="$1" getblockcount 2>/dev/null)" = "$2" ] && return 0
    sleep 0.2
  done
  echo "a regtest node did not reach height $2" >&2; return 1
}

mkdir -p "$work/network" "$work/chain"
chmod 700 "$work"
net_p2p=$(free_port); net_rpc=$(free_port)
node_conf "$network_conf" "$net_p2p" "$net_rpc" ""
conf="$work/DEMO-home/CONFIGS/DEMO-CRYPTO-CONFIG.conf"
# The copy's settings and command files, composed by the program's own
# composer exactly as the settings windows would leave them.
home=$("$build/tests/configure_copy" "$work" DEMO "$conf" "$work/chain" "$(dirname "$(command -v litecoind)")" \
       00:00:03 100 Litecoin-regtest)
node_conf "$conf" "$(free_port)" "$(free_port)" "$net_p2p"

echo "Starting the regtest network node and mining 100 blocks..."
# Debian's litecoind is a wrapper that makes ~/.litecoin; the nodes here keep
# everything in the demo's folder, so they run the binary behind it.
litecoind_binary=/usr/lib/litecoin/litecoind
[ -x "$litecoind_binary" ] || litecoind_binary=$(command -v litecoind)
# The network node runs as a copy under another name: SYNCWARD watches for
# "litecoind", and must see only the node it manages.
cp "$litecoind_binary" "$work/regtest-network"
"$work/regtest-network" -conf="$network_conf" -datadir="$work/network" -daemon >/dev/null
wait_for "$network_conf" 0
litecoin-cli -conf="$network_conf" generatetodescriptor 100 'raw(51)#8lvh9jxk' >/dev/null
echo "Letting the managed node learn the first 100 blocks, then mining 150 more..."
"$litecoind_binary" -conf="$conf" -datadir="$work/chain" -daemon >/dev/null
wait_for "$conf" 100
litecoin-cli -conf="$conf" stop >/dev/null
while pgrep -f -- "-datadir=$work/chain" >/dev/null; do sleep 0.2; done
litecoin-cli -conf="$network_conf" generatetodescriptor 150 'raw(51)#8lvh9jxk' >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
  echo "No display: the window runs offscreen."
fi
echo "SYNCWARD (copy DEMO) starts its run in 11 seconds and closes itself when done (about a minute)..."
XDG_CONFIG_HOME="$work/config" timeout 300 "$work/DEMO"
echo
echo "End report ($home/REPORTS/DEMO-END-REPORT.LOG):"
cat "$home/REPORTS/DEMO-END-REPORT.LOG"
