"""python3-dbusmock's logind template with the scheduled shutdown logind keeps: ScheduleShutdown,
CancelScheduledShutdown and the ScheduledShutdown property, which stays ("", 0) when none is held."""
import dbus

from dbusmock.templates.logind import *  # noqa: F401,F403 (the template's methods and names)
from dbusmock.templates import logind


def load(mock, parameters):
    logind.load(mock, parameters)
    mock.AddProperties(MAIN_IFACE, dbus.Dictionary({
        'ScheduledShutdown': dbus.Struct(('', dbus.UInt64(0)), signature='st'),
    }, signature='sv'))
    mock.AddMethods(MAIN_IFACE, [
        ('ScheduleShutdown', 'st', '',
         'self.Set("org.freedesktop.login1.Manager", "ScheduledShutdown", dbus.Struct((args[0], args[1]), signature="st"))'),
        ('CancelScheduledShutdown', '', 'b',
         'ret = self.Get("org.freedesktop.login1.Manager", "ScheduledShutdown")[0] != ""; '
         'self.Set("org.freedesktop.login1.Manager", "ScheduledShutdown", dbus.Struct(("", dbus.UInt64(0)), signature="st"))'),
    ])
