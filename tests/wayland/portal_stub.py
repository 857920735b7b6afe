#!/usr/bin/python3
"""A stand-in for org.freedesktop.portal.Desktop's Screenshot portal on a
private session bus, answering every request the way a desktop can:

    portal_stub.py refuse        Response 2 (the user denied, or it failed)
    portal_stub.py cancel        Response 1
    portal_stub.py silent        never answers; reports Request.Close
    portal_stub.py noscreenshot  the portal is there without Screenshot
    portal_stub.py allow S WxH   after S seconds (a permission question
                                 answered then) saves a W x H picture in
                                 ~/Pictures and answers 0 with its uri
    portal_stub.py kde S WxH     the same, but like KDE's portal answers 1
                                 when ~/Pictures does not exist

The picture's pixel (x, y) is ((7x) & 255, (5y) & 255, (x + 3y) & 255).
It prints "ready" once it owns the name, then one line per call, and
"saved FILE" for each picture."""
import os
import struct
import sys
import zlib

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


def write_png(path, width, height):
    rows = []
    for y in range(height):
        row = bytearray(b"\0")  # filter type: none
        for x in range(width):
            row += bytes(((7 * x) & 255, (5 * y) & 255, (x + 3 * y) & 255))
        rows.append(bytes(row))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(b"".join(rows), 1)))
        f.write(chunk(b"IEND", b""))


class Portal(dbus.service.Object):
    def __init__(self, bus, mode, delay, size):
        super().__init__(bus, PATH)
        self.bus = bus
        self.mode = mode
        self.delay = delay
        self.size = size
        self.count = 0

    def answer_with_picture(self, request):
        pictures = os.path.join(os.environ["HOME"], "Pictures")
        if self.mode == "kde" and not os.path.isdir(pictures):
            say("no folder " + pictures)
            request.Response(dbus.UInt32(1), dbus.Dictionary({}, signature="sv"))
            return False
        os.makedirs(pictures, exist_ok=True)
        self.count += 1
        path = os.path.join(pictures, "Screenshot_stub_%d.png" % self.count)
        write_png(path, *self.size)
        say("saved " + path)
        request.Response(dbus.UInt32(0),
                         dbus.Dictionary({"uri": "file://" + path}, signature="sv"))
        return False

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
        if self.mode in ("allow", "kde"):
            GLib.timeout_add(int(self.delay * 1000), self.answer_with_picture, request)
        return dbus.ObjectPath(path)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    delay = float(sys.argv[2]) if len(sys.argv) > 2 else 0
    size = tuple(int(n) for n in sys.argv[3].split("x")) if len(sys.argv) > 3 else (64, 48)
    portal = Portal(bus, sys.argv[1], delay, size)
    name = dbus.service.BusName(BUS_NAME, bus)
    say("ready")
    GLib.MainLoop().run()
    del portal, name


if __name__ == "__main__":
    main()
