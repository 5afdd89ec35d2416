# A stand-in for the login manager on a private bus.
#
# Inhibit answers with the write end of a pipe, as logind does, and logs
# when the caller closes it (the inhibitor is released).
#
# The power calls are scripted by the arguments after the log's path:
#   can=yes|no|challenge|na   what CanPowerOff, CanReboot and CanHibernate say
#                             (with act=polkit and no can=, what polkit says)
#   act=allow|refuse|polkit   allow: the action is done; refuse: the error a
#                             caller outside a session gets; polkit: the real
#                             polkitd on the same bus decides for the caller,
#                             never interactively, as logind asks it
#   session=no|yes            whether the caller is in a login session
# Each call is logged with the caller's process name, and "done" once
# the action would have been taken.
import os
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

address, log_path = sys.argv[1], sys.argv[2]
script = dict(arg.split("=", 1) for arg in sys.argv[3:])
MANAGER = "org.freedesktop.login1.Manager"
POLKIT_ACTIONS = {
    "PowerOff": "org.freedesktop.login1.power-off",
    "Reboot": "org.freedesktop.login1.reboot",
    "Hibernate": "org.freedesktop.login1.hibernate",
}


def log(text):
    with open(log_path, "a") as f:
        f.write(text + "\n")


class Refused(dbus.DBusException):
    def __init__(self, name, message):
        super().__init__(message, name=name)


def caller_name(sender):
    pid = bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus").GetConnectionUnixProcessID(
        sender, dbus_interface="org.freedesktop.DBus")
    with open("/proc/%d/comm" % pid) as f:
        return f.read().strip()


def polkit_says(sender, action_id):
    """yes, challenge or no, as polkit answers for the caller, never interactively."""
    authority = bus.get_object("org.freedesktop.PolicyKit1", "/org/freedesktop/PolicyKit1/Authority")
    subject = dbus.Struct((dbus.String("system-bus-name"),
                           dbus.Dictionary({"name": dbus.String(sender)}, signature="sv")), signature="sa{sv}")
    allowed, challenge, details = authority.CheckAuthorization(
        subject, action_id, dbus.Dictionary({}, signature="ss"), dbus.UInt32(0), "",
        dbus_interface="org.freedesktop.PolicyKit1.Authority", timeout=10)
    answer = "yes" if allowed else "challenge" if challenge else "no"
    log("polkit %s: %s" % (action_id, answer))
    return answer


def power(manager, method, interactive, sender):
    log("%s interactive=%s by %s" % (method, bool(interactive), caller_name(sender)))
    mode = script.get("act", "allow")
    if mode == "refuse" or (mode == "polkit" and polkit_says(sender, POLKIT_ACTIONS[method]) != "yes"):
        raise Refused("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired",
                      "Interactive authentication required.")
    log("done")
    # As logind does once a shutdown is under way: programs that hold a
    # delay lock (GNOME's session manager) go on when they see it.
    if method != "Hibernate":
        GLib.idle_add(lambda: manager.PrepareForShutdown(True) and False)


class Manager(dbus.service.Object):
    @dbus.service.method(MANAGER, in_signature="ssss", out_signature="h")
    def Inhibit(self, what, who, why, mode):
        read_end, write_end = os.pipe()
        log("taken %s %s %s" % (what, who, mode))

        def released(fd, condition):
            log("released")
            os.close(fd)
            return False

        GLib.io_add_watch(read_end, GLib.PRIORITY_DEFAULT, GLib.IO_HUP | GLib.IO_ERR, released)
        handed = dbus.types.UnixFd(write_end)
        os.close(write_end)
        return handed

    def can(self, question, method, sender):
        log(question)
        if script.get("act") == "polkit" and "can" not in script:
            return polkit_says(sender, POLKIT_ACTIONS[method])
        return script.get("can", "yes")

    @dbus.service.method(MANAGER, out_signature="s", sender_keyword="sender")
    def CanPowerOff(self, sender):
        return self.can("CanPowerOff", "PowerOff", sender)

    @dbus.service.method(MANAGER, out_signature="s", sender_keyword="sender")
    def CanReboot(self, sender):
        return self.can("CanReboot", "Reboot", sender)

    @dbus.service.method(MANAGER, out_signature="s", sender_keyword="sender")
    def CanHibernate(self, sender):
        return self.can("CanHibernate", "Hibernate", sender)

    @dbus.service.method(MANAGER, in_signature="b", sender_keyword="sender")
    def PowerOff(self, interactive, sender):
        power(self, "PowerOff", interactive, sender)

    @dbus.service.method(MANAGER, in_signature="b", sender_keyword="sender")
    def Reboot(self, interactive, sender):
        power(self, "Reboot", interactive, sender)

    @dbus.service.method(MANAGER, in_signature="b", sender_keyword="sender")
    def Hibernate(self, interactive, sender):
        power(self, "Hibernate", interactive, sender)

    @dbus.service.method(MANAGER, in_signature="u", sender_keyword="sender")
    def TerminateUser(self, uid, sender):
        log("TerminateUser %d by %s" % (uid, caller_name(sender)))
        log("done")

    @dbus.service.signal(MANAGER, signature="b")
    def PrepareForShutdown(self, active):
        pass

    @dbus.service.method(MANAGER, in_signature="u", out_signature="o")
    def GetSessionByPID(self, pid):
        if script.get("session", "no") == "yes":
            return dbus.ObjectPath("/org/freedesktop/login1/session/_31")
        raise Refused("org.freedesktop.login1.NoSessionForPID", "PID %d does not belong to any known session" % pid)


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.bus.BusConnection(address)
name = dbus.service.BusName("org.freedesktop.login1", bus)
Manager(bus, "/org/freedesktop/login1")
log("ready")
GLib.MainLoop().run()
