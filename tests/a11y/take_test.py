"""Takes the depression test as a screen reader user would: everything is read from the
program's accessible tree on the accessibility bus, and every button is pressed through its
accessible action, never with the pointer.

    take_test.py PROGRAM
    take_test.py --afresh PID    (run by the test itself, as a screen reader started anew)

Runs on a private X server and session bus (see run.sh). Exit status 0 when every check
passed, 1 on the first failed check; the program is killed whatever happens.
"""

import os
import subprocess
import sys

# The shared test support under tests/support; no byte code is written into the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))

import pyatspi  # noqa: E402

from quiravel_support.accessible import (  # noqa: E402
    ALERT, BUTTON, FRAME, LABEL, NOTIFICATION, STEP_SECONDS, TEXT, act, action_names,
    answer_lists, child, children, crash_registry, descendant, dump, end_with_menu_x,
    find_application, fresh, has_state, pump, related, result_texts, role, top_level, wait_for,
    with_program)
from quiravel_support.checks import Failure, check, echo_passes, run_checked  # noqa: E402
from quiravel_support.texts import MENU, MILD, MODERATE, QUESTIONS, TEST  # noqa: E402

# The whole run ends by then, passed or not.
TOTAL_SECONDS = 150

KEY_DOWN = 0xFF54  # the X keysym of the Down arrow


class Showings:
    """Records object:state-changed:showing events, the event by which a screen reader learns
    that something came into view and reads it out."""

    def __init__(self):
        self.events = []
        pyatspi.Registry.registerEventListener(self._on_event, "object:state-changed:showing")

    def _on_event(self, event):
        try:
            source = event.source
            texts = [c.name for c in source if c is not None and role(c) == LABEL]
            self.events.append((role(source), source.name, event.detail1, texts))
        except Exception as error:
            self.events.append(("?", str(error), event.detail1, []))

    def clear(self):
        pump(0.2)
        self.events.clear()

    def notification(self, name):
        for event in self.events:
            if event[0] == NOTIFICATION and event[1] == name and event[2] == 1:
                return event
        return None


def choose_yes(window, item):
    """Gives the answer list of `item` the keyboard focus through its accessible action and
    picks "Yes" with the Down arrow, as a screen reader user does."""
    combo = answer_lists(window)[item]
    edit = next(c for c in children(combo) if role(c) == TEXT)
    act(edit, "SetFocus")
    wait_for(lambda: has_state(combo, pyatspi.STATE_FOCUSED), f"answer list {item} to take focus")
    # "Yes" is the last entry: two steps down reach it from no answer, and from "No".
    for _ in range(2):
        pyatspi.Registry.generateKeyboardEvent(KEY_DOWN, None, pyatspi.KEY_SYM)
    wait_for(lambda: fresh(combo).name == "Yes", f"answer list {item} to read Yes")
    check(True, f"answer list {item} now reads Yes")


def take_test(program, showings):
    def body(process):
        try:
            run(process, showings)
        except Failure:
            app = process.poll() is None and find_application(process.pid)
            if app:
                print("The program's accessible tree:")
                dump(app)
            raise

    with_program(program, body)


def run(process, showings):
    app = wait_for(lambda: find_application(process.pid), "the program on the accessibility bus")

    # The main menu.
    menu = wait_for(lambda: top_level(app, MENU), "the main menu")
    check(role(menu) == FRAME, f"the main menu is a window named {MENU!r}")
    check(child(menu, LABEL, MENU) is not None, "the menu's caption bar reads as text")
    for entry in (TEST, "Anxiety Screening Test", "X", "?"):
        button = child(menu, BUTTON, entry)
        check(button is not None and "Press" in action_names(button),
              f"menu entry {entry!r} is a push button with a press action")
    check(fresh(child(menu, BUTTON, "X")).description == "Close",
          "the menu's X says what it does")

    # The About box opens and closes through the accessible tree.
    act(child(menu, BUTTON, "?"), "Press")
    about = wait_for(lambda: top_level(app, "Quiravel", ALERT), "the About box")
    ok = wait_for(lambda: descendant(about, BUTTON, "OK"), "the About box's OK button")
    act(ok, "Press")
    wait_for(lambda: top_level(app, "Quiravel", ALERT) is None, "the About box to close")
    check(True, "the About box opens from '?' and closes with OK")

    # The questionnaire.
    act(child(menu, BUTTON, TEST), "Press")
    test = wait_for(lambda: top_level(app, TEST, FRAME), "the questionnaire")
    check(True, f"the questionnaire is a window named {TEST!r}")
    welcome = wait_for(lambda: top_level(app, "Welcome"), "the disclaimer window")
    check(child(welcome, BUTTON, "X") is not None, "the disclaimer window's X is a button")

    lists = answer_lists(test)
    check(sorted(lists) == list(range(1, 16)), "each of the 15 questions labels one answer list")
    for number, combo in lists.items():
        (question,) = related(combo, pyatspi.RELATION_LABELLED_BY)
        check(related(question, pyatspi.RELATION_LABEL_FOR) == [combo] and combo.name == "No",
              f"question {number} labels its answer list, which reads No")
        if number in QUESTIONS:
            check(question.name == QUESTIONS[number], f"question {number} reads as shown")
    for button in ("Score Your Test", "X", "?"):
        check("Press" in action_names(child(test, BUTTON, button)),
              f"the questionnaire's {button!r} is a push button with a press action")

    # Yes to items 1, 2 and 8, then score.
    for item in (1, 2, 8):
        choose_yes(test, item)
    showings.clear()
    act(child(test, BUTTON, "Score Your Test"), "Press")
    result = wait_for(lambda: top_level(app, "Result", NOTIFICATION), "the result window")
    wait_for(lambda: all(text in result_texts(result) for text in MILD), "the first result")
    check(True, "the result window reads the score line, band and advice of 1, 2 and 8")
    wait_for(lambda: showings.notification("Result"), "the result to be announced")
    check(True, "the first result is announced")
    check(child(result, BUTTON, "X") is not None, "the result window's X is a button")
    wait_for(lambda: top_level(app, "Welcome") is None or not has_state(
        top_level(app, "Welcome"), pyatspi.STATE_SHOWING), "the disclaimer window to hide")

    # Two more Yes answers and a second score, the result window staying open: only the new
    # result's announcement says that something changed.
    for item in (3, 4):
        choose_yes(test, item)
    showings.clear()
    act(child(test, BUTTON, "Score Your Test"), "Press")
    announced = wait_for(lambda: showings.notification("Result"), "the new result's announcement")
    check(all(text in announced[3] for text in MODERATE),
          "the announcement comes with the new result in place")
    check(all(text in result_texts(result) for text in MODERATE),
          "the result window reads the new score line, band and advice")

    # The registry crashes and the bus starts a new one: a screen reader started after that
    # finds the program again, which goes on running.
    crash_registry()
    afresh = subprocess.run([sys.executable, __file__, "--afresh", str(process.pid)])
    check(afresh.returncode == 0, "the program is found again after the registry restarted")

    # The menu's X ends the program.
    end_with_menu_x(menu, process)


def find_afresh(pid):
    """What a screen reader started after the registry restarted finds of the program."""
    app = wait_for(lambda: find_application(pid), "the program on the new registry")
    check(top_level(app, MENU, FRAME) is not None, "the new registry leads to the main menu")
    listed = [a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid]
    check(len(listed) == 1, f"the new registry lists the program once (got {len(listed)})")


def main():
    echo_passes()
    if len(sys.argv) == 3 and sys.argv[1] == "--afresh":
        return run_checked(lambda: find_afresh(int(sys.argv[2])), STEP_SECONDS + 10)
    if len(sys.argv) != 2:
        print("usage: take_test.py PROGRAM", file=sys.stderr)
        return 2
    # Listening from the start, so the program knows from its first moment that events are
    # wanted.
    showings = Showings()
    return run_checked(lambda: take_test(sys.argv[1], showings), TOTAL_SECONDS)


if __name__ == "__main__":
    sys.exit(main())
