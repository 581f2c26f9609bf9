"""Prints the methods that the mock logind has recorded, one per line, with their arguments (not
the inhibitor locks and the scheduled shutdown that countdowns take: "inhibitors" shows the locks
held, "scheduled" the shutdown as its type and moment);
with "clear" forgets them; with "refuse METHOD REASON" makes the manager's METHOD fail; with
"resumed" sends logind's PrepareForSleep(false); with "shutdown-off" its PrepareForShutdown(false),
as when a shutdown is called off; with "inhibitors" lists the held locks as what,
who and mode. On the session bus's mock notification daemon,
"notices" prints each notification as its id, summary and body (its new lines as "/"), and
"click ID" activates one."""
import sys

import dbus

bus = dbus.bus.BusConnection(sys.argv[1])
command = sys.argv[2] if len(sys.argv) > 2 else ""
if command in ("notices", "click"):
    notices = dbus.Interface(bus.get_object("org.freedesktop.Notifications",
                                            "/org/freedesktop/Notifications"),
                             "org.freedesktop.DBus.Mock")
    if command == "click":
        notices.EmitSignal("org.freedesktop.Notifications", "ActionInvoked", "us",
                           [dbus.UInt32(int(sys.argv[3])), "default"])
    else:
        shown = [args for _, method, args in notices.GetCalls() if method == "Notify"]
        for number, args in enumerate(shown, start=1):
            print(number, args[3], str(args[4]).replace("\n", "/"), sep="|")
    sys.exit(0)
mock = dbus.Interface(bus.get_object("org.freedesktop.login1", "/org/freedesktop/login1"),
                      "org.freedesktop.DBus.Mock")
if command == "inhibitors":
    manager = dbus.Interface(bus.get_object("org.freedesktop.login1", "/org/freedesktop/login1"),
                             "org.freedesktop.login1.Manager")
    for what, who, _, mode, _, _ in manager.ListInhibitors():
        print(what, who, mode)
elif command == "scheduled":
    held = bus.get_object("org.freedesktop.login1", "/org/freedesktop/login1").Get(
        "org.freedesktop.login1.Manager", "ScheduledShutdown",
        dbus_interface="org.freedesktop.DBus.Properties")
    print(held[0], int(held[1]))
elif command == "resumed":
    mock.EmitSignal("org.freedesktop.login1.Manager", "PrepareForSleep", "b", [False])
elif command == "shutdown-off":
    mock.EmitSignal("org.freedesktop.login1.Manager", "PrepareForShutdown", "b", [False])
elif command == "clear":
    mock.ClearCalls()
elif len(sys.argv) > 4 and sys.argv[2] == "refuse":
    mock.AddMethod("org.freedesktop.login1.Manager", sys.argv[3], "b", "",
                   "raise dbus.exceptions.DBusException(%r, name='org.freedesktop.DBus.Error.AccessDenied')"
                   % sys.argv[4])
else:
    for _, method, args in mock.GetCalls():
        if method not in ("Inhibit", "ListInhibitors", "ScheduleShutdown", "CancelScheduledShutdown"):
            print(method, *[str(a) for a in args])
