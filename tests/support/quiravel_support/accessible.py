"""The program as a screen reader meets it on the accessibility bus: finding its windows and
controls by role and name, pressing through accessible actions, waiting with the event loop
running that delivers the bus's events."""

import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

from .checks import Failure, check, wait_until

# Nothing here waits longer than this for one thing to happen.
STEP_SECONDS = 30


def start_program(program):
    """The program with its accessibility on, on X (the accessibility bus is found through
    the X display)."""
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               QT_QPA_PLATFORM="xcb")
    return subprocess.Popen([program], env=env, stdin=subprocess.DEVNULL)


def with_program(program, body):
    """Starts the program (as start_program does), runs body(process), and kills the program
    if it still runs after that, whatever happened."""
    process = start_program(program)
    try:
        body(process)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def pump(seconds):
    """Runs the event loop that delivers the accessibility events for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= end:
            return
        time.sleep(0.02)


def wait_for(probe, what, seconds=STEP_SECONDS):
    """Returns the first true value of probe(), asking again until `seconds` have passed, with
    the event loop running meanwhile. An object that goes away while it is being read counts
    as not there yet."""
    return wait_until(what, probe, seconds, between=lambda left: pump(min(0.05, left)),
                      ignore=(GLib.GError, LookupError, RuntimeError))


def fresh(obj):
    # The accessibility library keeps what it read; the program is the authority.
    obj.clear_cache()
    return obj


def children(obj):
    return [child for child in fresh(obj) if child is not None]


# Roles as AT-SPI's own values, never as the wording of their names, which changes between
# releases (AT-SPI 2.56 names the push button "button").
ALERT, BUTTON, COMBO_BOX, FRAME, LABEL, NOTIFICATION, TEXT = (
    pyatspi.ROLE_ALERT, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_FRAME,
    pyatspi.ROLE_LABEL, pyatspi.ROLE_NOTIFICATION, pyatspi.ROLE_TEXT)


def role(obj):
    return obj.getRole()


def child(parent, role_, name):
    for c in children(parent):
        if role(c) == role_ and c.name == name:
            return c
    return None


def descendant(parent, role_, name):
    for c in children(parent):
        if role(c) == role_ and c.name == name:
            return c
        found = descendant(c, role_, name)
        if found is not None:
            return found
    return None


def action_names(obj):
    try:
        action = obj.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def act(obj, name):
    action = obj.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if name not in names:
        raise Failure(f"{obj.getRoleName()} {obj.name!r} has no {name} action (has {names})")
    action.doAction(names.index(name))


def related(obj, relation):
    targets = []
    for rel in obj.getRelationSet():
        if rel.getRelationType() == relation:
            targets += [rel.getTarget(i) for i in range(rel.getNTargets())]
    return targets


def has_state(obj, state):
    return fresh(obj).getState().contains(state)


def find_application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid and app.childCount > 0:
            return app
    return None


def crash_registry():
    """Kills the accessibility registry, as a crash would, and waits until it has left the bus.
    The bus starts a new one, which knows of no program yet, on the next call a client makes."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                None, None, Gio.DBusCallFlags.NONE, 5000).unpack()[0]
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
        | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)

    def ask(method):
        return bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                             "org.freedesktop.DBus", method,
                             GLib.Variant("(s)", ("org.a11y.atspi.Registry",)), None,
                             Gio.DBusCallFlags.NONE, 5000).unpack()[0]

    os.kill(ask("GetConnectionUnixProcessID"), signal.SIGKILL)
    wait_until("the registry to leave the bus", lambda: not ask("NameHasOwner"), STEP_SECONDS)
    bus.close_sync()


def top_level(app, name, role_=None):
    for window in children(app):
        if window.name == name and (role_ is None or role(window) == role_):
            return window
    return None


def dump(obj, depth=0, out=sys.stdout):
    """The accessible tree below obj, for the log of a failed run."""
    try:
        print(f"{'  ' * depth}{obj.getRoleName()} {obj.name!r} actions={action_names(obj)}",
              file=out)
        for c in children(obj):
            dump(c, depth + 1, out)
    except Exception as error:  # the tree may change under the dump
        print(f"{'  ' * depth}({error})", file=out)


def answer_lists(window):
    """The questionnaire's answer lists by item number, each found through the question that
    labels it."""
    lists = {}
    for combo in children(window):
        if role(combo) != COMBO_BOX:
            continue
        labels = related(combo, pyatspi.RELATION_LABELLED_BY)
        if len(labels) != 1:
            raise Failure(f"answer list {combo.name!r} is labelled by {len(labels)} labels")
        number = int(labels[0].name.split(".", 1)[0])
        lists[number] = combo
    return lists


def result_texts(window):
    return [c.name for c in children(window) if role(c) == LABEL]


def end_with_menu_x(menu, process):
    """Presses the main menu's "X": the program ends, with exit status 0."""
    act(child(menu, BUTTON, "X"), "Press")
    wait_ended(process)


def wait_ended(process):
    """The program ends after the menu's "X", with exit status 0."""
    try:
        status = process.wait(timeout=STEP_SECONDS)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end after the menu's X") from None
    check(status == 0, f"the program ended with status 0 (got {status})")
