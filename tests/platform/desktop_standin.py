# Stand-ins for the desktops' session managers that cannot run here, on a
# private session bus, each with its power calls as its interface documents
# them: KDE Plasma's org.kde.Shutdown, the older org.kde.ksmserver, and
# XFCE's org.xfce.SessionManager. Each call is logged with its arguments;
# with "refuse" after the log's path, every power call fails as a desktop
# that will not do it answers.
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

kind, address, log_path = sys.argv[1], sys.argv[2], sys.argv[3]
refuse = "refuse" in sys.argv[4:]


def log(text):
    with open(log_path, "a") as f:
        f.write(text + "\n")


def called(text):
    log(text)
    if refuse:
        raise dbus.DBusException("Not authorized", name="org.freedesktop.DBus.Error.AccessDenied")


class KdeShutdown(dbus.service.Object):
    @dbus.service.method("org.kde.Shutdown")
    def logout(self):
        called("logout")

    @dbus.service.method("org.kde.Shutdown")
    def logoutAndShutdown(self):
        called("logoutAndShutdown")

    @dbus.service.method("org.kde.Shutdown")
    def logoutAndReboot(self):
        called("logoutAndReboot")


class Ksmserver(dbus.service.Object):
    @dbus.service.method("org.kde.KSMServerInterface", in_signature="iii")
    def logout(self, confirm, kind, mode):
        called("logout %d %d %d" % (confirm, kind, mode))


class XfceManager(dbus.service.Object):
    @dbus.service.method("org.xfce.Session.Manager", in_signature="b")
    def Shutdown(self, allow_save):
        called("Shutdown allow_save=%s" % bool(allow_save))

    @dbus.service.method("org.xfce.Session.Manager", in_signature="b")
    def Restart(self, allow_save):
        called("Restart allow_save=%s" % bool(allow_save))

    @dbus.service.method("org.xfce.Session.Manager")
    def Hibernate(self):
        called("Hibernate")

    @dbus.service.method("org.xfce.Session.Manager", in_signature="bb")
    def Logout(self, show_dialog, allow_save):
        called("Logout show_dialog=%s allow_save=%s" % (bool(show_dialog), bool(allow_save)))


services = {
    "kde": ("org.kde.Shutdown", "/Shutdown", KdeShutdown),
    "ksmserver": ("org.kde.ksmserver", "/KSMServer", Ksmserver),
    "xfce": ("org.xfce.SessionManager", "/org/xfce/SessionManager", XfceManager),
}
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.bus.BusConnection(address)
bus_name, path, service = services[kind]
name = dbus.service.BusName(bus_name, bus)
service(bus, path)
log("ready")
GLib.MainLoop().run()
