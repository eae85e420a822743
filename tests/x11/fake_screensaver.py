#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# A stand-in for the desktop's org.freedesktop.ScreenSaver service on the
# session bus. Each call is written as one line to the file named by the
# first argument: "Inhibit COOKIE APP" or "UnInhibit COOKIE".
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.ScreenSaver"


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/ScreenSaver")
        self.log = log
        self.cookie = 0

    def record(self, line):
        with open(self.log, "a") as out:
            out.write(line + "\n")

    @dbus.service.method(NAME, in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        self.cookie += 1
        self.record(f"Inhibit {self.cookie} {application}")
        return dbus.UInt32(self.cookie)

    @dbus.service.method(NAME, in_signature="u")
    def UnInhibit(self, cookie):
        self.record(f"UnInhibit {cookie}")


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName(NAME, bus)
service = ScreenSaver(bus, sys.argv[1])
open(sys.argv[1], "a").close()  # the file tells that the service is up
GLib.MainLoop().run()
