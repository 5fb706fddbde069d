"""Takes the depression test with Debian's Orca screen reader running, as a blind user would,
with the keyboard alone: Tab to move between the menu entries, the questions and the labels
that act as buttons, Down to answer, Space and Enter to press; and checks what Orca spoke at
each step.

    orca_session.py PROGRAM WORKDIR

Runs on a private X server, session bus and home (see orca_run.sh). Orca writes its debug log
to a pseudo-terminal, which it then writes line by line; every string it speaks is a line
with "SPEECH OUTPUT" there, and each step waits until Orca has said what it should, or fails
after a while. Exit status 0 when every check passed, 1 on the first failed check; Orca and
the program are ended whatever happens.
"""

import os
import re
import subprocess
import sys
import threading
import time
import tty

# The shared test support under tests/support; no byte code is written into the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))

import pyatspi  # noqa: E402

from quiravel_support.accessible import (  # noqa: E402
    FRAME, STEP_SECONDS, answer_lists, find_application, related, top_level, wait_ended,
    wait_for, with_program)
from quiravel_support.checks import Failure, check, echo_passes, run_checked  # noqa: E402
from quiravel_support.desktop import Desktop  # noqa: E402
from quiravel_support.process import end_process  # noqa: E402
from quiravel_support.texts import MENU, MILD, QUESTIONS, TEST  # noqa: E402

# The whole run ends by then, passed or not.
TOTAL_SECONDS = 150

DISCLAIMER = ("Please use the results of this test as a guide and not a diagnosis, only a "
              "licensed mental health practitioner can diagnose depression/Anxiety .")
# Answered Yes: the mild result of take_test.py.
YES_ITEMS = (1, 2, 8)


def plain(text):
    """A spoken string with its blanks collapsed and the full stop of Orca's pause gone."""
    return " ".join(text.split()).removesuffix(".").strip()


def answered(spoken, answer):
    """Whether an answer list's reading, from its question on, ends with its answer: Orca to 47
    says the answer as the next string, Orca 48 in the same one, after the list's role."""
    return (plain(spoken[0]).endswith(f"combo box {answer}")
            or (len(spoken) > 1 and plain(spoken[1]) == answer))


class OrcaSpeech:
    """Orca, started with its debug log on a pseudo-terminal, and every string it speaks."""

    # 12:34:56.789012 - SPEECH OUTPUT: 'text' voice=uppercase{'established': False}
    LINE = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\S+)?\s*(?:\{.*\}|\[.*\])?$")

    def __init__(self, workdir):
        version = subprocess.run(["orca", "--version"], capture_output=True, text=True).stdout
        self.major = int(re.search(r"(\d+)\.", version).group(1))
        self.spoken = []
        self._changed = threading.Condition()
        self._master, slave = os.openpty()
        tty.setraw(slave)  # lines as written, no carriage returns added
        self._slave = slave
        self._log = open(os.path.join(workdir, "orca-debug.log"), "wb")
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()
        self.process = subprocess.Popen(
            ["orca", "--disable", "braille", "--debug-file", os.ttyname(slave)],
            stdin=subprocess.DEVNULL, stdout=self._log, stderr=subprocess.STDOUT,
            start_new_session=True)

    def _read(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self._master, 65536)
            except OSError:
                return
            if not chunk:
                return
            self._log.write(chunk)
            pending += chunk
            *lines, pending = pending.split(b"\n")
            said = [m.group(1) for m in map(self.LINE.search, (
                line.decode("utf-8", "replace").rstrip("\r") for line in lines)) if m]
            if said:
                with self._changed:
                    self.spoken += said
                    self._changed.notify_all()

    def mark(self):
        """Where the next spoken string will be."""
        with self._changed:
            return len(self.spoken)

    def wait_said(self, probe, since, what, seconds=STEP_SECONDS):
        """Waits until probe(spoken, i) holds for a string said at index i >= since; returns i."""
        deadline = time.monotonic() + seconds
        with self._changed:
            while True:
                for i in range(since, len(self.spoken)):
                    if probe(self.spoken, i):
                        return i
                left = deadline - time.monotonic()
                if left <= 0 or self.process.poll() is not None:
                    said = "\n  ".join(repr(s) for s in self.spoken[since:]) or "(nothing)"
                    raise Failure(f"Orca did not say {what}; since the step began it said:\n"
                                      f"  {said}")
                self._changed.wait(min(left, 0.5))

    def said(self, start, since, what, answer=None):
        """Waits until Orca says a string that begins with `start` (or with one of several), with
        the answer list's `answer` if given; passes the check `what` then. Returns the index
        after it."""
        starts = tuple(plain(s) for s in ((start,) if isinstance(start, str) else start))

        def probe(spoken, i):
            return plain(spoken[i]).startswith(starts) and (
                answer is None or answered(spoken[i:i + 2], answer))

        i = self.wait_said(probe, since, what)
        check(True, what)
        return i + (1 if answer is None or answered(self.spoken[i:i + 1], answer) else 2)

    def settle(self, desktop):
        """From Orca 48 on, a key event that comes while Orca's focus is on a window (as it is
        when the window has just been activated) moves that focus to the window's focused
        control without a word, and the control's own focus event is then no news: Orca names a
        window that opens, but not the control that has the focus, nor, if that key is the
        first one, the control it reaches. Shift alone, which the program ignores, settles
        Orca's focus first; earlier Orcas need nothing."""
        if self.major >= 48:
            since = self.mark()
            desktop.key("Shift_L")
            self.wait_said(lambda spoken, i: plain(spoken[i]) == "left shift", since, "Shift")

    def stop(self):
        """Ends Orca and whatever it started. Everything it said has been read by now; Orca
        takes SIGTERM only when its main loop next runs Python code, which an Orca with
        nothing to do may not for a long while, so it gets a moment, then SIGKILL."""
        end_process(self.process, grace=3)
        self._reader.join(timeout=5)
        os.close(self._slave)
        os.close(self._master)
        self._log.close()


def run(program, orca, desktop):
    orca.said("Screen reader on", 0, "Orca has started")

    with_program(program, lambda process: take_test(process, orca, desktop))


def wait_for_keyboard(desktop, name):
    """Keys go to a window once the window manager has given it the focus."""
    wait_for(lambda: any(w.name == name and desktop.has_focus(w) for w in desktop.visible()),
             f"{name} to have the keyboard focus")


def button(name):
    """What Orca reads for a button: its name, then "push button" (to Orca 47) or "button"."""
    return (f"{name} push button", f"{name} button")


def take_test(process, orca, desktop):
    app = wait_for(lambda: find_application(process.pid), "the program on the accessibility bus")
    wait_for(lambda: top_level(app, MENU), "the main menu")
    orca.said(MENU, 0, f"at start Orca names the main menu, {MENU!r}")
    wait_for_keyboard(desktop, MENU)
    orca.settle(desktop)

    # The menu opens with the focus on its first entry; Tab and Shift+Tab go round its labels.
    for key, name in (("Tab", "Anxiety Screening Test"), ("Shift_L+Tab", TEST)):
        since = orca.mark()
        desktop.key(key)
        orca.said(button(name), since, f"on {key} Orca reads the menu entry {name!r}")

    # Enter opens the questionnaire with the first answer list focused; the disclaimer slides up.
    since = orca.mark()
    desktop.key("Return")
    window = wait_for(lambda: top_level(app, TEST, FRAME), "the questionnaire")
    questions = {number: related(combo, pyatspi.RELATION_LABELLED_BY)[0].name
                 for number, combo in answer_lists(window).items()}
    for number, text in QUESTIONS.items():
        check(questions[number] == text, f"question {number} reads as shown")
    orca.said(TEST, since, f"on open Orca names the questionnaire, {TEST!r}")
    # Orca 48 reads it in one with its window's name.
    orca.said((DISCLAIMER, f"Welcome {DISCLAIMER}"), since, "on open Orca reads the disclaimer")
    if orca.major < 48:
        orca.said(questions[1], since, "on open Orca reads question 1 with its answer No", "No")
    else:
        # Orca 48 reads it once the focus comes back to it: from "X", the last label.
        orca.settle(desktop)
        for key, start, answer, what in (("Shift_L+Tab", button("X"), None, "'X'"),
                                         ("Tab", questions[1], "No", "question 1 with No")):
            since = orca.mark()
            desktop.key(key)
            orca.said(start, since, f"on {key} Orca reads {what}", answer)

    # Down twice picks "Yes" (the first step picks "No"); Tab moves on to the next question,
    # and from the last to "Score Your Test".
    answers = {}
    for item in range(1, len(questions) + 1):
        if item in YES_ITEMS:
            since = orca.mark()
            desktop.key("Down")
            desktop.key("Down")
            # Orca 48 may read the question again before it.
            orca.wait_said(lambda spoken, i, q=plain(questions[item]): plain(spoken[i]) == "Yes"
                           or (plain(spoken[i]).startswith(q) and plain(spoken[i]).endswith("Yes")),
                           since, f"Yes for question {item}")
            check(True, f"Orca says Yes when it is chosen for question {item}")
            answers[item] = "Yes"
        since = orca.mark()
        desktop.key("Tab")
        if item < len(questions):
            answer = answers.get(item + 1, "No")
            orca.said(questions[item + 1], since,
                      f"on Tab Orca reads question {item + 1} with its answer {answer}", answer)
    orca.said(button("Score Your Test"), since, "on Tab Orca reads 'Score Your Test'")

    # Space on it: the result window slides up with the score line, the band and the advice.
    since = orca.mark()
    desktop.key("space")
    # Orca 48 says "notification" alone, then the window's name and its texts in one string.
    named = orca.said(("notification Result", "Result"), since, "Orca names the result window") - 1
    for text in MILD:
        orca.wait_said(lambda spoken, i, text=text: plain(text) in plain(spoken[i]), named,
                       f"the result's {text[:30]!r}...")
        check(True, f"Orca reads the result's {text[:30]!r}...")

    # "?" and "X" follow; "X" closes the questionnaire, and the menu's "X" ends the program.
    for name in ("?", "X"):
        since = orca.mark()
        desktop.key("Tab")
        orca.said(button(name), since, f"on Tab Orca reads {name!r}")
    desktop.key("space")
    wait_for(lambda: top_level(app, TEST, FRAME) is None, "the questionnaire to close")
    wait_for_keyboard(desktop, MENU)
    orca.settle(desktop)
    since = orca.mark()
    desktop.key("Shift_L+Tab")
    orca.said(button("X"), since, "back in the menu, Shift+Tab reaches its 'X'")
    desktop.key("space")
    wait_ended(process)


def main():
    if len(sys.argv) != 3:
        print("usage: orca_session.py PROGRAM WORKDIR", file=sys.stderr)
        return 2
    program, workdir = sys.argv[1:]
    echo_passes()
    desktop = Desktop()
    orca = OrcaSpeech(workdir)

    def cleanup():
        orca.stop()
        desktop.close()
        print("What Orca said:")
        for text in orca.spoken:
            print(f"  {text!r}")

    return run_checked(lambda: run(program, orca, desktop), TOTAL_SECONDS, cleanup)


if __name__ == "__main__":
    sys.exit(main())
