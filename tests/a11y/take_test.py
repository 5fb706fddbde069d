"""Takes the depression test as a screen reader user would: everything is read from the
program's accessible tree on the accessibility bus, and every button is pressed through its
accessible action, never with the pointer.

    take_test.py PROGRAM

Runs on a private X server and session bus (see run.sh). Exit status 0 when every check
passed, 1 on the first failed check; the program is killed whatever happens.
"""

import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# Nothing here waits longer than this for one thing to happen.
STEP_SECONDS = 30
# The whole run ends by then, passed or not.
TOTAL_SECONDS = 150

MENU = "Quiravel"
TEST = "Depression Screening Test"
QUESTIONS = {
    1: "1. Have you felt sad or tearful for a majority of the day for at least the last two weeks?",
    2: "2. Have you lost interest in activities which you used to enjoy?",
    3: "3. Is it difficult for you to fall asleep most nights to the point that you do not get "
    "adequate sleep and are tired the next day?",
    4: "4. Do you feel you sleep a lot more than you should because of feeling fatigued most of "
    "the day for at least the last two weeks?",
    8: "8. Have you thought about suicide or what it would be like if you were not around "
    "anymore?",
}
MILD = (
    "Your total score is : 3",
    "Mild Depression (1-4):",
    "Some of the items you responded to are symptoms of major depression, but you do not meet "
    "the diagnostic criteria for this disorder. However, these can be serious symptoms, "
    "especially if feelings of hopelessness or thoughts of suicide are predominant for you. If "
    "this is the case, you should seek out assistance, either through a licensed professional or "
    "through a close friend or family member whom you feel you can trust.  It is likely that you "
    "have a specific concern that you should look at.",
)
MODERATE = (
    "Your total score is : 5",
    "Moderate Depression (5-9): ",
    "You have endorsed some symptoms of major depression and have most likely noticed that you "
    "are not feeling as well as you have in the past and that these feelings are starting to "
    "play a role in your daily activities.  You may want to consider seeing a professional about "
    "your symptoms, if nothing more than to get a more accurate impression of how these symptoms "
    "are affecting your life.",
)

KEY_DOWN = 0xFF54  # the X keysym of the Down arrow


class CheckFailed(Exception):
    pass


passed = 0


def check(condition, what):
    global passed
    if not condition:
        raise CheckFailed(what)
    passed += 1
    print(f"ok: {what}", flush=True)


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
    """Returns the first true value of probe(), asking again until `seconds` have passed. An
    object that goes away while it is being read counts as not there yet."""
    end = time.monotonic() + seconds
    while True:
        try:
            value = probe()
        except (GLib.GError, LookupError, RuntimeError):
            value = None
        if value:
            return value
        if time.monotonic() >= end:
            raise CheckFailed(f"timed out waiting for {what}")
        pump(0.05)


def fresh(obj):
    # The accessibility library keeps what it read; the program is the authority.
    obj.clear_cache()
    return obj


def children(obj):
    return [child for child in fresh(obj) if child is not None]


def role(obj):
    return obj.getRoleName()


def child(parent, role_name, name):
    for c in children(parent):
        if role(c) == role_name and c.name == name:
            return c
    return None


def descendant(parent, role_name, name):
    for c in children(parent):
        if role(c) == role_name and c.name == name:
            return c
        found = descendant(c, role_name, name)
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
        raise CheckFailed(f"{role(obj)} {obj.name!r} has no {name} action (has {names})")
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


def top_level(app, name, role_name=None):
    for window in children(app):
        if window.name == name and (role_name is None or role(window) == role_name):
            return window
    return None


def dump(obj, depth=0, out=sys.stdout):
    """The accessible tree below obj, for the log of a failed run."""
    try:
        print(f"{'  ' * depth}{role(obj)} {obj.name!r} actions={action_names(obj)}", file=out)
        for c in children(obj):
            dump(c, depth + 1, out)
    except Exception as error:  # the tree may change under the dump
        print(f"{'  ' * depth}({error})", file=out)


class Showings:
    """Records object:state-changed:showing events, the event by which a screen reader learns
    that something came into view and reads it out."""

    def __init__(self):
        self.events = []
        pyatspi.Registry.registerEventListener(self._on_event, "object:state-changed:showing")

    def _on_event(self, event):
        try:
            source = event.source
            texts = [c.name for c in source if c is not None and role(c) == "label"]
            self.events.append((role(source), source.name, event.detail1, texts))
        except Exception as error:
            self.events.append(("?", str(error), event.detail1, []))

    def clear(self):
        pump(0.2)
        self.events.clear()

    def notification(self, name):
        for event in self.events:
            if event[0] == "notification" and event[1] == name and event[2] == 1:
                return event
        return None


def choose_yes(window, item):
    """Gives the answer list of `item` the keyboard focus through its accessible action and
    picks "Yes" with the Down arrow, as a screen reader user does."""
    combo = answer_lists(window)[item]
    edit = next(c for c in children(combo) if role(c) == "text")
    act(edit, "SetFocus")
    wait_for(lambda: has_state(combo, pyatspi.STATE_FOCUSED), f"answer list {item} to take focus")
    # "Yes" is the last entry: two steps down reach it from no answer, and from "No".
    for _ in range(2):
        pyatspi.Registry.generateKeyboardEvent(KEY_DOWN, None, pyatspi.KEY_SYM)
    wait_for(lambda: fresh(combo).name == "Yes", f"answer list {item} to read Yes")
    check(True, f"answer list {item} now reads Yes")


def answer_lists(window):
    """The questionnaire's answer lists by item number, each found through the question that
    labels it."""
    lists = {}
    for combo in children(window):
        if role(combo) != "combo box":
            continue
        labels = related(combo, pyatspi.RELATION_LABELLED_BY)
        if len(labels) != 1:
            raise CheckFailed(f"answer list {combo.name!r} is labelled by {len(labels)} labels")
        number = int(labels[0].name.split(".", 1)[0])
        lists[number] = combo
    return lists


def result_texts(window):
    return [c.name for c in children(window) if role(c) == "label"]


def take_test(program, showings):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([program], env=env)
    try:
        run(process, showings)
    except CheckFailed:
        app = process.poll() is None and find_application(process.pid)
        if app:
            print("The program's accessible tree:")
            dump(app)
        raise
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def run(process, showings):
    app = wait_for(lambda: find_application(process.pid), "the program on the accessibility bus")

    # The main menu.
    menu = wait_for(lambda: top_level(app, MENU), "the main menu")
    check(role(menu) == "frame", f"the main menu is a window named {MENU!r}")
    check(child(menu, "label", MENU) is not None, "the menu's caption bar reads as text")
    for entry in (TEST, "Anxiety Screening Test", "X", "?"):
        button = child(menu, "push button", entry)
        check(button is not None and "Press" in action_names(button),
              f"menu entry {entry!r} is a push button with a press action")
    check(fresh(child(menu, "push button", "X")).description == "Close",
          "the menu's X says what it does")

    # The About box opens and closes through the accessible tree.
    act(child(menu, "push button", "?"), "Press")
    about = wait_for(lambda: top_level(app, "Quiravel", "alert"), "the About box")
    ok = wait_for(lambda: descendant(about, "push button", "OK"), "the About box's OK button")
    act(ok, "Press")
    wait_for(lambda: top_level(app, "Quiravel", "alert") is None, "the About box to close")
    check(True, "the About box opens from '?' and closes with OK")

    # The questionnaire.
    act(child(menu, "push button", TEST), "Press")
    test = wait_for(lambda: top_level(app, TEST, "frame"), "the questionnaire")
    check(True, f"the questionnaire is a window named {TEST!r}")
    welcome = wait_for(lambda: top_level(app, "Welcome"), "the disclaimer window")
    check(child(welcome, "push button", "X") is not None, "the disclaimer window's X is a button")

    lists = answer_lists(test)
    check(sorted(lists) == list(range(1, 16)), "each of the 15 questions labels one answer list")
    for number, combo in lists.items():
        (question,) = related(combo, pyatspi.RELATION_LABELLED_BY)
        check(related(question, pyatspi.RELATION_LABEL_FOR) == [combo] and combo.name == "No",
              f"question {number} labels its answer list, which reads No")
        if number in QUESTIONS:
            check(question.name == QUESTIONS[number], f"question {number} reads as shown")
    for button in ("Score Your Test", "X", "?"):
        check("Press" in action_names(child(test, "push button", button)),
              f"the questionnaire's {button!r} is a push button with a press action")

    # Yes to items 1, 2 and 8, then score.
    for item in (1, 2, 8):
        choose_yes(test, item)
    showings.clear()
    act(child(test, "push button", "Score Your Test"), "Press")
    result = wait_for(lambda: top_level(app, "Result", "notification"), "the result window")
    wait_for(lambda: all(text in result_texts(result) for text in MILD), "the first result")
    check(True, "the result window reads the score line, band and advice of 1, 2 and 8")
    wait_for(lambda: showings.notification("Result"), "the result to be announced")
    check(True, "the first result is announced")
    check(child(result, "push button", "X") is not None, "the result window's X is a button")
    wait_for(lambda: top_level(app, "Welcome") is None or not has_state(
        top_level(app, "Welcome"), pyatspi.STATE_SHOWING), "the disclaimer window to hide")

    # Two more Yes answers and a second score, the result window staying open: only the new
    # result's announcement says that something changed.
    for item in (3, 4):
        choose_yes(test, item)
    showings.clear()
    act(child(test, "push button", "Score Your Test"), "Press")
    announced = wait_for(lambda: showings.notification("Result"), "the new result's announcement")
    check(all(text in announced[3] for text in MODERATE),
          "the announcement comes with the new result in place")
    check(all(text in result_texts(result) for text in MODERATE),
          "the result window reads the new score line, band and advice")

    # The menu's X ends the program.
    act(child(menu, "push button", "X"), "Press")
    try:
        status = process.wait(timeout=STEP_SECONDS)
    except subprocess.TimeoutExpired:
        raise CheckFailed("the program did not end after the menu's X") from None
    check(status == 0, f"the program ended with status 0 (got {status})")


def main():
    if len(sys.argv) != 2:
        print("usage: take_test.py PROGRAM", file=sys.stderr)
        return 2

    def out_of_time(*_):
        raise CheckFailed(f"the run took longer than {TOTAL_SECONDS} s")

    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(TOTAL_SECONDS)
    # Listening from the start, so the program knows from its first moment that events are
    # wanted.
    showings = Showings()
    try:
        take_test(sys.argv[1], showings)
    except CheckFailed as failure:
        print(f"FAILED: {failure}", flush=True)
        print(f"{passed} passed, 1 failed")
        return 1
    finally:
        signal.alarm(0)
    print(f"{passed} passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
