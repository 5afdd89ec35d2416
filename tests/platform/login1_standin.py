# A stand-in for the login manager on a private bus: answers Inhibit with
# the write end of a pipe, as logind does, and logs when the caller closes
# it (the inhibitor is released).
import os
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

address, log_path = sys.argv[1], sys.argv[2]


def log(text):
    with open(log_path, "a") as f:
        f.write(text + "\n")


class Manager(dbus.service.Object):
    @dbus.service.method("org.freedesktop.login1.Manager", in_signature="ssss", out_signature="h")
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


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.bus.BusConnection(address)
name = dbus.service.BusName("org.freedesktop.login1", bus)
Manager(bus, "/org/freedesktop/login1")
log("ready")
GLib.MainLoop().run()
