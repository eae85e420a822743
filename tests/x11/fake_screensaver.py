#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# A stand-in for the desktop's screen saver service on the session bus:
# org.freedesktop.ScreenSaver, or with "portal" as second argument only the
# desktop portal's Inhibit, as in a sandbox. Each call is written as one line
# to the file named by the first argument: "Inhibit N APP" and "UnInhibit N",
# or "Inhibit N FLAGS" and "Close N" for the portal.
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SCREEN_SAVER = "org.freedesktop.ScreenSaver"
PORTAL = "org.freedesktop.portal.Desktop"
log = sys.argv[1]


def record(line):
    with open(log, "a") as out:
        out.write(line + "\n")


class ScreenSaver(dbus.service.Object):
    cookie = 0

    @dbus.service.method(SCREEN_SAVER, in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        self.cookie += 1
        record(f"Inhibit {self.cookie} {application}")
        return dbus.UInt32(self.cookie)

    @dbus.service.method(SCREEN_SAVER, in_signature="u")
    def UnInhibit(self, cookie):
        record(f"UnInhibit {cookie}")


class Request(dbus.service.Object):
    def __init__(self, bus, number):
        self.number = number
        super().__init__(bus, f"/org/freedesktop/portal/desktop/request/q/{number}")

    @dbus.service.method("org.freedesktop.portal.Request")
    def Close(self):
        record(f"Close {self.number}")
        self.remove_from_connection()


class Portal(dbus.service.Object):
    requests = 0

    @dbus.service.method("org.freedesktop.portal.Inhibit", in_signature="sua{sv}",
                         out_signature="o")
    def Inhibit(self, window, flags, options):
        self.requests += 1
        record(f"Inhibit {self.requests} {flags}")
        return Request(self.connection, self.requests).__dbus_object_path__


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
if sys.argv[2:] == ["portal"]:
    name = dbus.service.BusName(PORTAL, bus)
    service = Portal(bus, "/org/freedesktop/portal/desktop")
else:
    name = dbus.service.BusName(SCREEN_SAVER, bus)
    service = ScreenSaver(bus, "/org/freedesktop/ScreenSaver")
open(log, "a").close()  # the file tells that the service is up
GLib.MainLoop().run()
