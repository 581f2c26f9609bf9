"""Prints the methods that the mock logind has recorded, one per line, with their arguments;
with "clear" forgets them; with "refuse METHOD REASON" makes the manager's METHOD fail."""
import sys

import dbus

bus = dbus.bus.BusConnection(sys.argv[1])
mock = dbus.Interface(bus.get_object("org.freedesktop.login1", "/org/freedesktop/login1"),
                      "org.freedesktop.DBus.Mock")
if len(sys.argv) > 2 and sys.argv[2] == "clear":
    mock.ClearCalls()
elif len(sys.argv) > 4 and sys.argv[2] == "refuse":
    mock.AddMethod("org.freedesktop.login1.Manager", sys.argv[3], "b", "",
                   "raise dbus.exceptions.DBusException(%r, name='org.freedesktop.DBus.Error.AccessDenied')"
                   % sys.argv[4])
else:
    for _, method, args in mock.GetCalls():
        print(method, *[str(a) for a in args])
