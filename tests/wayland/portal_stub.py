#!/usr/bin/python3
"""A stand-in for org.freedesktop.portal.Desktop's Screenshot portal on a
private session bus, answering every request the way a desktop can:

    portal_stub.py refuse        Response 2 (the user denied, or it failed)
    portal_stub.py cancel        Response 1
    portal_stub.py silent        never answers; reports Request.Close
    portal_stub.py noscreenshot  the portal is there without Screenshot

It prints "ready" once it owns the name, then one line per call."""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

BUS_NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SCREENSHOT = "org.freedesktop.portal.Screenshot"
REQUEST = "org.freedesktop.portal.Request"
PROPERTIES = "org.freedesktop.DBus.Properties"


def say(line):
    print(line, flush=True)


class Request(dbus.service.Object):
    @dbus.service.method(REQUEST, in_signature="", out_signature="")
    def Close(self):
        say("closed " + self.__dbus_object_path__)
        self.remove_from_connection()

    @dbus.service.signal(REQUEST, signature="ua{sv}")
    def Response(self, response, results):
        pass


class Portal(dbus.service.Object):
    def __init__(self, bus, mode):
        super().__init__(bus, PATH)
        self.bus = bus
        self.mode = mode

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface != SCREENSHOT or self.mode == "noscreenshot":
            raise dbus.exceptions.DBusException(
                "No such interface " + interface,
                name="org.freedesktop.DBus.Error.UnknownInterface")
        return dbus.UInt32(2, variant_level=1)

    @dbus.service.method(SCREENSHOT, in_signature="sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def Screenshot(self, parent_window, options, sender):
        token = str(options.get("handle_token", "t"))
        path = "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"), token)
        say("screenshot interactive=%s %s" % (bool(options.get("interactive", True)), path))
        request = Request(self.bus, path)
        code = {"refuse": 2, "cancel": 1}.get(self.mode)
        if code is not None:
            GLib.idle_add(lambda: request.Response(dbus.UInt32(code),
                                                   dbus.Dictionary({}, signature="sv")) and False)
        return dbus.ObjectPath(path)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus, sys.argv[1])
    name = dbus.service.BusName(BUS_NAME, bus)
    say("ready")
    GLib.MainLoop().run()
    del portal, name


if __name__ == "__main__":
    main()
