"""Prints the methods that the mock logind has recorded, one per line, with their arguments."""
import sys

import dbus

bus = dbus.bus.BusConnection(sys.argv[1])
mock = dbus.Interface(bus.get_object("org.freedesktop.login1", "/org/freedesktop/login1"),
                      "org.freedesktop.DBus.Mock")
if len(sys.argv) > 2 and sys.argv[2] == "clear":
    mock.ClearCalls()
else:
    for _, method, args in mock.GetCalls():
        print(method, *[str(a) for a in args])
