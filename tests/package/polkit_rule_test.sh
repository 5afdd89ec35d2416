#!/usr/bin/env bash
# The package's polkit rule, read by the real polkitd: to a process in no
# login session (a cron job; nothing here runs in one) it allows power-off,
# restart and hibernation, also with other users logged in, to the members
# of the group syncward-power, and nothing else to anybody; without the
# rule the same member is refused. polkitd runs on a private system bus, in
# a mount namespace of its own where a folder of the test stands in for the
# local rules folder; pkcheck asks it as scratch users (root is always
# allowed). Needs root.
source "$(dirname "$0")/../../scripts/lib/strict.sh"
rule=$(realpath "$1")
polkitd=/usr/lib/polkit-1/polkitd
group=syncward-power
if [ "$(id -u)" -ne 0 ] || [ ! -x "$polkitd" ] || ! command -v pkcheck >/dev/null; then
  echo "SKIP: needs root, polkitd and pkcheck (package polkitd)"
  exit 0
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/syncward-polkit-XXXXXX")
chmod 755 "$work"
suffix=$$
member=swrule${suffix}m
other=swrule${suffix}o
made_group=
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  userdel "$member" 2>/dev/null || true
  userdel "$other" 2>/dev/null || true
  [ -z "$made_group" ] || groupdel "$group" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cat > "$work/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>system</type><listen>unix:path=$work/bus</listen><auth>EXTERNAL</auth>
<policy context="default"><allow user="*"/><allow send_destination="*"/><allow receive_sender="*"/>
<allow own="*"/></policy></busconfig>
CONF
dbus-daemon --config-file="$work/bus.conf" --nofork --print-address=1 >"$work/address" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/address" ] && break; sleep 0.1; done
[ -S "$work/bus" ] || fail "the private system bus did not start"
chmod 777 "$work/bus"
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/bus"

getent group "$group" >/dev/null || { groupadd --system "$group"; made_group=yes; }
useradd --no-create-home --shell /usr/sbin/nologin -G "$group" "$member"
useradd --no-create-home --shell /usr/sbin/nologin "$other"

# polkitd with the given folder as its local rules; the machine's own
# stays as it is outside the namespace.
start_polkitd() {
  unshare --mount --propagation private sh -c 'mount --bind "$0" /etc/polkit-1/rules.d && exec "$1" --no-debug' \
    "$1" "$polkitd" >/dev/null 2>&1 &
  polkit_pid=$!
  pids+=("$polkit_pid")
  for _ in $(seq 100); do
    dbus-send --system --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
      string:org.freedesktop.PolicyKit1 2>/dev/null | grep -q 'boolean true' && return 0
    sleep 0.1
  done
  fail "polkitd did not come up"
}
stop_polkitd() { kill "$polkit_pid" || true; wait "$polkit_pid" 2>/dev/null || true; }

# yes or no, as polkit answers the user's own process, never interactively.
answer() {
  if setpriv --reuid="$1" --regid="$1" --init-groups sh -c 'exec pkcheck --action-id "$0" --process $$' "$2" \
       >/dev/null 2>&1; then echo yes; else echo no; fi
}

allowed="power-off power-off-multiple-sessions reboot reboot-multiple-sessions hibernate hibernate-multiple-sessions"
others="suspend suspend-multiple-sessions power-off-ignore-inhibit reboot-ignore-inhibit hibernate-ignore-inhibit
        halt set-reboot-parameter set-reboot-to-firmware-setup manage inhibit-block-shutdown"
# (set-wall-message comes with power-off and reboot: logind's policy says they imply it.)

mkdir "$work/with-rule" "$work/no-rule"
cp "$rule" "$work/with-rule/"
start_polkitd "$work/with-rule"
for action in $allowed; do
  [ "$(answer "$member" "org.freedesktop.login1.$action")" = yes ] || fail "$action refused to a member"
  [ "$(answer "$other" "org.freedesktop.login1.$action")" = no ] || fail "$action allowed outside the group"
done
for action in $others; do
  [ "$(answer "$member" "org.freedesktop.login1.$action")" = no ] || fail "$action allowed to a member"
done
[ "$(answer "$member" org.freedesktop.systemd1.manage-units)" = no ] || fail "systemd's units allowed to a member"
stop_polkitd

start_polkitd "$work/no-rule"
[ "$(answer "$member" org.freedesktop.login1.power-off)" = no ] || fail "power-off allowed without the rule"
stop_polkitd
echo "polkit rule test passed"
