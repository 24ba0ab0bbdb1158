#!/usr/bin/python3
"""The program as a screen reader meets it, over the desktop's accessibility bus (AT-SPI).

The user presses "Créer la trame NMEA" twice from the keyboard (xdotool); each time the focus
must stay on the button and a notification must become showing, named "Trame créée" and
describing the new sentence: the event Orca speaks for an object without the focus. The
sentence box must be read only and not editable. Run through
`dbus-run-session -- on_x11_display.sh --window-manager screen_reader_test.py PROGRAM`.
"""
import subprocess
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402
import pyatspi  # noqa: E402

SENTENCE = "$GPRMC,000000.000,A,4600.0000,N,00500.0000,E,0.00,000.00,000000,,,0*18"
PRESSES = 2


def screen_reader_listens():
    """What Orca does at its start: the toolkits then open their side of the bus."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled",
                                         GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, -1, None)


def find(root, role, name):
    return pyatspi.findDescendant(root, lambda o: o.getRole() == role and o.name == name)


def states(accessible):
    return set(accessible.getState().getStates())


class Session:
    def __init__(self, program):
        self.announced = []  # (name, description) of each notification shown
        self.failures = []
        self.steps = iter(self.script())
        pyatspi.Registry.registerEventListener(self.on_showing, "object:state-changed:showing")
        self.process = subprocess.Popen([program])

    def on_showing(self, event):
        if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            self.announced.append((event.source.name, event.source.description))

    def check(self, what, holds):
        if not holds:
            self.failures.append(what)

    def application(self):
        return next((a for a in pyatspi.Registry.getDesktop(0)
                     if a is not None and a.name == "Quorvelin"), None)

    def script(self):
        """Each step runs once a second; a step that yields False is tried again."""
        while self.application() is None:
            yield False
        window = find(self.application(), pyatspi.ROLE_FRAME, "Quorvelin ")
        button = find(window, pyatspi.ROLE_PUSH_BUTTON, "Créer la trame NMEA")
        box = find(window, pyatspi.ROLE_TEXT, "Trame NMEA")
        self.check("the sentence box is read only", pyatspi.STATE_READ_ONLY in states(box))
        self.check("the sentence box is not editable", pyatspi.STATE_EDITABLE not in states(box))
        subprocess.run(["xdotool", "search", "--sync", "--pid", str(self.process.pid),
                        "--name", "^Quorvelin $", "windowactivate", "--sync"], check=True)
        for press in range(1, PRESSES + 1):
            subprocess.run(["xdotool", "key", "space"], check=True)
            yield True
            self.check(f"press {press}: the focus stays on the button",
                       pyatspi.STATE_FOCUSED in states(button))
            self.check(f"press {press}: the sentence is shown in its box",
                       box.queryText().getText(0, -1) == SENTENCE)
        self.check(f"each press announced \"Trame créée\" and the sentence: {self.announced}",
                   self.announced == [("Trame créée", SENTENCE)] * PRESSES)

    def step(self):
        try:
            next(self.steps)
            return True
        except StopIteration:
            pyatspi.Registry.stop()
            return False

    def run(self):
        GLib.timeout_add(1000, self.step)
        GLib.timeout_add_seconds(60, lambda: self.failures.append("timed out") or self.stop())
        pyatspi.Registry.start()
        self.process.terminate()
        self.process.wait()
        for failure in self.failures:
            print("FAILED:", failure)
        return 1 if self.failures else 0

    def stop(self):
        pyatspi.Registry.stop()
        return False


if __name__ == "__main__":
    screen_reader_listens()
    sys.exit(Session(sys.argv[1]).run())
