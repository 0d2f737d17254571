#!/usr/bin/env python3
"""A desktop portal backend for tests, on the session bus beside the real ones.

--shortcuts: org.freedesktop.impl.portal.GlobalShortcuts. It binds every shortcut it is
  given with its preferred trigger, and a test makes it press one through
  org.trovix.TestPortal.Activate(shortcut_id).
--refuse-screenshots: org.freedesktop.impl.portal.Screenshot that answers every request
  with response 2, as a desktop does when the user or a policy refuses.
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

IMPL = "org.freedesktop.impl.portal."
BUS_NAME = "org.freedesktop.impl.portal.desktop.trovixtest"
OBJECT_PATH = "/org/freedesktop/portal/desktop"


class Session(dbus.service.Object):
    def __init__(self, bus, path, backend):
        super().__init__(bus, path)
        self.path = path
        self.backend = backend

    @dbus.service.method(IMPL + "Session", in_signature="", out_signature="")
    def Close(self):
        self.backend.sessions.pop(self.path, None)
        self.remove_from_connection()


class Backend(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, OBJECT_PATH)
        self.bus = bus
        self.sessions = {}  # session path -> {shortcut id: properties}
        self.binds = 0

    @dbus.service.method(IMPL + "GlobalShortcuts", in_signature="oosa{sv}", out_signature="ua{sv}")
    def CreateSession(self, handle, session_handle, app_id, options):
        self.sessions[str(session_handle)] = {}
        Session(self.bus, session_handle, self)
        return dbus.UInt32(0), dbus.Dictionary({"session_handle": dbus.String(session_handle)}, signature="sv")

    @dbus.service.method(IMPL + "GlobalShortcuts", in_signature="ooa(sa{sv})sa{sv}", out_signature="ua{sv}")
    def BindShortcuts(self, handle, session_handle, shortcuts, parent_window, options):
        bound = []
        for shortcut_id, properties in shortcuts:
            trigger = str(properties.get("preferred_trigger", ""))
            self.sessions.setdefault(str(session_handle), {})[str(shortcut_id)] = trigger
            bound.append(dbus.Struct((shortcut_id, dbus.Dictionary(
                {"description": properties.get("description", ""), "trigger_description": trigger},
                signature="sv")), signature="sa{sv}"))
        self.binds += 1
        return dbus.UInt32(0), dbus.Dictionary(
            {"shortcuts": dbus.Array(bound, signature="(sa{sv})")}, signature="sv")

    @dbus.service.method(IMPL + "GlobalShortcuts", in_signature="oo", out_signature="ua{sv}")
    def ListShortcuts(self, handle, session_handle):
        listed = [dbus.Struct((i, dbus.Dictionary({"trigger_description": t}, signature="sv")), signature="sa{sv}")
                  for i, t in self.sessions.get(str(session_handle), {}).items()]
        return dbus.UInt32(0), dbus.Dictionary({"shortcuts": dbus.Array(listed, signature="(sa{sv})")},
                                               signature="sv")

    @dbus.service.signal(IMPL + "GlobalShortcuts", signature="osta{sv}")
    def Activated(self, session_handle, shortcut_id, timestamp, options):
        pass

    @dbus.service.signal(IMPL + "GlobalShortcuts", signature="osta{sv}")
    def Deactivated(self, session_handle, shortcut_id, timestamp, options):
        pass

    @dbus.service.method(IMPL + "Screenshot", in_signature="ossa{sv}", out_signature="ua{sv}")
    def Screenshot(self, handle, app_id, parent_window, options):
        return dbus.UInt32(2), dbus.Dictionary({}, signature="sv")

    # What a test uses to drive and inspect the desktop.
    @dbus.service.method("org.trovix.TestPortal", in_signature="s", out_signature="b")
    def Activate(self, shortcut_id):
        pressed = False
        for session, shortcuts in self.sessions.items():
            if shortcut_id in shortcuts:
                self.Activated(dbus.ObjectPath(session), shortcut_id, dbus.UInt64(0),
                               dbus.Dictionary({}, signature="sv"))
                self.Deactivated(dbus.ObjectPath(session), shortcut_id, dbus.UInt64(0),
                                 dbus.Dictionary({}, signature="sv"))
                pressed = True
        return pressed

    @dbus.service.method("org.trovix.TestPortal", in_signature="", out_signature="a{ss}u")
    def Bound(self):
        triggers = {}
        for shortcuts in self.sessions.values():
            triggers.update(shortcuts)
        return dbus.Dictionary(triggers, signature="ss"), dbus.UInt32(self.binds)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    backend = Backend(bus)
    name = dbus.service.BusName(BUS_NAME, bus)
    GLib.MainLoop().run()
    del backend, name


if __name__ == "__main__":
    sys.exit(main())
