#!/usr/bin/python3
"""End-to-end scenarios: the real program on a real X server with a window manager, driven
only from outside with real input events, and checked by what a person sees: where windows
are, how big they are, and the colours on the screen.

    scenarios.py --app PROGRAM --artifacts DIR SCENARIO

Run it on a display that has a window manager (see tests/xvfb/with-display.sh --wm). On a
failure it prints the program's windows and output and leaves a screenshot in DIR.
"""

import argparse
import os
import signal
import sys
import time
import traceback

# The shared test support under tests/support; no byte code is written into the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))

from quiravel_support import geometry  # noqa: E402
from quiravel_support.checks import Failure, check, wait_until  # noqa: E402
from quiravel_support.desktop import Desktop, Monitor, WindowHistory, colour_name  # noqa: E402
from quiravel_support.facts import facts  # noqa: E402
from quiravel_support.geometry import (  # noqa: E402
    ANXIETY,
    DARK_BLUE,
    DEPRESSION,
    DISCLAIMER,
    LIGHT_BLUE,
    PALE_BLUE,
    PURPLE,
    RESULT,
    WHITE,
    MainMenu,
    centre,
    inset,
    left_edge,
)
from quiravel_support.process import (  # noqa: E402
    Program,
    ScratchDir,
    private_environment,
    wait_quiet,
    wrapper_for,
)

# Deadlines, in seconds. They are generous on purpose: a wait ends as soon as its condition
# holds, and a sanitizer build on a busy machine is many times slower than a plain one.
START = 60  # the program's first window
SHOW = 30  # a window appearing, moving or closing after an input
COLOUR = 20  # a colour change after an input
SLIDE = 60  # a corner window sliding up and parking
EXIT = 30  # the process ending after the menu's "X"
SCENARIO = 200  # one whole scenario

# Where the menu is put when questionnaires would cover it: clear of both questionnaires and
# of the corner windows.
MENU_ASIDE = (20, 850)


class Session:
    """The program on screen, and the person in front of it."""

    def __init__(self, desktop, history, program):
        self.desktop = desktop
        self.history = history
        self.program = program
        # The program's screen is the primary monitor.
        self.screen = geometry.Screen.of(desktop.primary_monitor())
        self.menu = None

    # --- looking -----------------------------------------------------------------------

    def window(self, window_id, what):
        w = self.desktop.existing(window_id)
        check(w is not None and w.viewable, f"{what} is no longer on screen")
        return w

    def expect_colour(self, what, rect, colour, timeout=COLOUR):
        self.desktop.wait_colour(what, rect, colour, timeout)

    def expect_text_colour(self, what, rect, colour):
        """Some of the rectangle's pixels, its text's, have exactly this colour."""
        pixels = [p for row in self.desktop.grab(rect) for p in row]
        check(tuple(colour) in pixels, f"{what}: no text in {colour_name(colour)}")

    def expect_caption(self, what, window, colour, title):
        r = geometry.caption_plain(title)
        self.expect_colour(f"caption bar of {what}", window.rect(*r), colour)

    def visible_sizes(self):
        """The sizes of the program's windows on screen. Tool tips and drop-downs, the
        toolkit's own passing helpers, are left out."""
        corners = {RESULT.size, DISCLAIMER.size}
        return sorted(w.size for w in self.desktop.visible()
                      if not w.override or w.size in corners)

    # --- the main menu -----------------------------------------------------------------

    def start(self):
        """Waits for the main menu, centred on the screen, alone."""
        menu = self.desktop.wait_visible("the main menu", MainMenu.size, START)
        check(menu.position == MainMenu.position(self.screen),
              f"the main menu is at {menu.position}, "
              f"expected centred at {MainMenu.position(self.screen)}")
        check(self.visible_sizes() == [MainMenu.size],
              f"at start only the main menu is on screen, saw {self.visible_sizes()}")
        check(menu.name == "Quiravel", f"the main menu is named {menu.name!r} in window lists")
        self.menu = menu
        return menu

    def menu_window(self):
        self.menu = self.window(self.menu.id, "the main menu")
        return self.menu

    def menu_entry_colours(self, label, back, text=None):
        menu = self.menu_window()
        r = MainMenu.label1 if label == 1 else MainMenu.label2
        what = f"menu entry {label}"
        self.expect_colour(what, menu.rect(*inset(r, 3)), back)
        if text is not None:
            self.expect_text_colour(what, menu.rect(*inset(r, 3)), text)
        # The frames keep their light blue in every state.
        outline = MainMenu.shape1 if label == 1 else MainMenu.shape2
        self.expect_colour(f"frame of {what}", menu.rect(*left_edge(outline)), LIGHT_BLUE)

    def point_at_entry(self, label):
        """Points at menu entry 1 or 2 until it lights up, as a person does. Pointer moves made
        just after a modal box has closed can reach the menu before it takes input again (in a
        slow build above all), so a person goes on moving the pointer, and so does this: over
        the background and onto the entry. A menu that never lights up still fails."""
        menu = self.menu_window()
        entry = MainMenu.label1 if label == 1 else MainMenu.label2
        lit = menu.rect(*inset(entry, 3))

        def lights_up():
            self.desktop.move(*menu.at(*MainMenu.background))
            self.desktop.move(*menu.at(*centre(entry)))
            try:
                self.desktop.wait_colour(f"menu entry {label}", lit, PURPLE, 1.0)
                return True
            except Failure:
                return False

        wait_until(f"menu entry {label} to light up under the pointer", lights_up, COLOUR)
        return menu.at(*centre(entry))

    def open_test(self, design):
        """Clicks the test's menu entry; returns its questionnaire window, checked for size and
        start position."""
        # As a person does: point at the entry, see it light up, click.
        self.desktop.click(*self.point_at_entry(1 if design is DEPRESSION else 2))
        window = self.desktop.wait_visible(design.name, design.size, SHOW)
        expected = design.position(self.screen)
        check(window.position == expected,
              f"{design.name} opened at {window.position}, expected {expected}")
        self.expect_caption(design.name, window, LIGHT_BLUE, design.title)
        self.expect_colour(f"'Score Your Test' of {design.name} at rest",
                           window.rect(*inset(design.label1, 3)), DARK_BLUE)
        return window

    def put_menu_aside(self):
        """Drags the menu by its caption bar into the bottom left-hand corner, where no
        questionnaire covers it (the anxiety questionnaire opens right over it)."""
        menu = self.menu_window()
        target = MENU_ASIDE
        self.menu = self.drag(menu.id, "the main menu", menu.at(40, 15),
                              (target[0] - menu.x, target[1] - menu.y),
                              then=lambda w: w.at(*centre(MainMenu.label2)))
        self.menu_entry_colours(2, PURPLE, WHITE)
        return self.menu

    def end_with_menu_x(self):
        """The menu's "X" ends the program at once with exit status 0."""
        menu = self.menu_window()
        self.desktop.click(*menu.at(*centre(MainMenu.cmdX)))
        status = self.program.wait_exit(EXIT)
        check(status is not None, f"the program still runs {EXIT} s after the menu's X")
        check(status == 0, f"the program ended with exit status {status}, expected 0")
        wait_until("every window of the program to be gone",
                   lambda: not self.desktop.visible(), SHOW)

    # --- the corner windows ------------------------------------------------------------

    def expect_slide_in(self, corner, known=()):
        """Waits for a new window of the corner window's size that appears below the screen's
        bottom edge, rises step by step without moving sideways, and parks in the corner."""
        desktop = self.desktop

        def appeared():
            w = desktop.visible_of_size(corner.size)
            return w if w is not None and w.id not in known else None

        window = wait_until(f"{corner.name} to appear", appeared, SHOW)
        left = corner.left(self.screen)
        parked = corner.parked_top(self.screen)
        desktop.wait_position(f"{corner.name} parked", window.id, (left, parked), SLIDE)
        # Its own notifications catch up with what we saw.
        wait_until(f"{corner.name}'s moves to be recorded",
                   lambda: (left, parked) in self.history.positions(window.id), SHOW)
        self.check_slide(corner, window.id)
        return self.window(window.id, corner.name)

    def check_slide(self, corner, window_id):
        """Checks what the window's recorded moves show: it started with its top on the
        screen's bottom edge, only rose, never moved sideways, parked in its corner, and was
        on screen before it got there, so that the slide was seen."""
        left = corner.left(self.screen)
        parked = corner.parked_top(self.screen)
        events = self.history.events(window_id)
        positions = self.history.positions(window_id)
        check(positions, f"no moves of {corner.name} were recorded")
        xs = {x for x, _ in positions}
        ys = [y for _, y in positions]
        check(xs == {left}, f"{corner.name} moved sideways: left edges {sorted(xs)}, "
                            f"expected {left}")
        check(ys[0] == corner.start_top(self.screen),
              f"{corner.name} started with its top at {ys[0]}, expected on the screen's "
              f"bottom edge at {corner.start_top(self.screen)}")
        check(all(b <= a for a, b in zip(ys, ys[1:])),
              f"{corner.name} moved down on its way up: {ys}")
        check(ys[-1] == parked, f"{corner.name} stopped at {ys[-1]}, expected {parked}")
        check(len(set(ys)) > 20, f"{corner.name} jumped instead of sliding: {sorted(set(ys))}")
        # Where it was when it became visible.
        top = None
        shown_at = None
        for e in events:
            if e.kind in ("create", "configure"):
                top = e.y
            elif e.kind == "map" and shown_at is None:
                shown_at = top
        check(shown_at is not None, f"{corner.name} was never mapped")
        check(shown_at > parked,
              f"{corner.name} showed up at {shown_at}, already parked: no slide was seen")

    def expect_shown_parked(self, corner):
        """A corner window that was loaded unseen (by a score) shows up parked, without a new
        slide."""
        left = corner.left(self.screen)
        parked = corner.parked_top(self.screen)
        w = self.desktop.wait_visible(corner.name, corner.size, SHOW)
        check(w.position == (left, parked),
              f"{corner.name} showed up at {w.position}, expected parked at {(left, parked)}")
        wait_until(f"{corner.name}'s showing to be recorded",
                   lambda: any(e.kind == "map" for e in self.history.events(w.id)), SHOW)
        events = self.history.events(w.id)
        last_map = max(i for i, e in enumerate(events) if e.kind == "map")
        where = [(e.x, e.y) for e in events[:last_map] if e.kind in ("create", "configure")]
        check(where and where[-1] == (left, parked),
              f"{corner.name} was mapped at {where[-1] if where else None}, "
              f"expected parked at {(left, parked)}")
        moves = [(e.x, e.y) for e in events[last_map:]
                 if e.kind == "configure" and (e.x, e.y) != (left, parked)]
        check(not moves, f"{corner.name} moved after showing up again: {moves}")
        return w

    def close_with_x(self, design, window):
        """Clicks the window's "X" and waits until the window is gone."""
        self.desktop.click(*window.at(*centre(design.cmdX)))
        self.desktop.wait_destroyed(design.name, window.id, SHOW)

    # --- a questionnaire ---------------------------------------------------------------

    def answer(self, design, window, row, choose_yes):
        """Opens an answer list with the mouse and picks "Yes" (or "No") from it."""
        known = {w.id for w in self.desktop.windows()}
        combo = design.combos[row]
        arrow = (combo.x + combo.width - 7, combo.y + combo.height // 2)
        self.desktop.click(*window.at(*arrow))

        def popup():
            for w in self.desktop.visible():
                if (w.id not in known and w.override and w.y >= window.y + combo.y
                        and abs(w.x - (window.x + combo.x)) < 40):
                    return w
            return None

        drop = wait_until(f"the drop-down of answer list {row + 1}", popup, SHOW)
        check(drop.height < 200 and drop.width >= combo.width - 2,
              f"the drop-down of answer list {row + 1} is {drop.size}")
        # Two entries, "No" above "Yes".
        y = drop.y + (drop.height * 3 // 4 if choose_yes else drop.height // 4)
        self.desktop.click(drop.x + drop.width // 2, y)
        self.desktop.wait_gone(f"the drop-down of answer list {row + 1}", drop.id, SHOW)

    def combo_picture(self, window, design, row):
        r = design.combos[row]
        # The field's text, left of the arrow, clear of the frame.
        return self.desktop.fingerprint(window.rect(r.x + 3, r.y + 3, r.width - 22,
                                                    r.height - 6))

    def take_test(self, design, window, yes_rows):
        """Answers the rows in `yes_rows` with "Yes" and checks that each answer list shows
        something else than before once the next one has the focus."""
        before = {row: self.combo_picture(window, design, row) for row in yes_rows}
        rows = list(yes_rows)
        for row in rows:
            self.answer(design, window, row, choose_yes=True)
        # Once focus has gone on to another list, the field shows no caret or highlight.
        self.answer(design, window, len(design.combos) - 1, choose_yes=False)
        for row in rows:
            if row == len(design.combos) - 1:
                continue
            wait_until(f"answer list {row + 1} to show its new answer",
                       lambda: self.combo_picture(window, design, row) != before[row], SHOW)

    def press_score(self, design, window):
        """Presses (and holds) the left button on "Score Your Test": it turns pale blue."""
        self.desktop.move(*window.at(*centre(design.label1)))
        self.expect_colour("'Score Your Test' under the pointer",
                           window.rect(*inset(design.label1, 3)), LIGHT_BLUE)
        self.desktop.press(1)
        self.expect_colour("'Score Your Test' pressed",
                           window.rect(*inset(design.label1, 3)), PALE_BLUE)

    def result_picture(self, result):
        return self.desktop.fingerprint(result.rect(*geometry.RESULT_SCORE_LINE))

    def score(self, design, window, result_known=()):
        """Press on "Score Your Test": the result window slides in (while the button is held,
        the label stays pale blue); release: the test is scored, the disclaimer window goes
        and the result window shows the new texts. Returns the result window."""
        self.press_score(design, window)
        result = self.expect_slide_in(RESULT, known=result_known)
        self.expect_colour("'Score Your Test' still held",
                           window.rect(*inset(design.label1, 3)), PALE_BLUE)
        shown_before = self.result_picture(result)
        self.desktop.release(1)
        wait_until("the result window to show the score",
                   lambda: self.result_picture(result) != shown_before, SHOW)
        return self.window(result.id, RESULT.name)

    # --- drags -------------------------------------------------------------------------

    def drag(self, window_id, what, grab, delta, then=None):
        """Drags with the left button from `grab` (screen coordinates) by `delta`, checks that
        the window followed the pointer, then lets go, while moving on to the point that
        `then(window)` gives if there is one, else holding still until the program has taken
        the release in; returns the window where the drag left it.

        The drag begins at the first movement with the button held, and the point grabbed
        stays under the pointer from there on: the pointer creeps for three pixels, then
        travels, and the window must have moved by the whole way, creep included."""
        before = self.window(window_id, what)
        x0, y0 = grab
        dx, dy = delta
        self.desktop.move(x0, y0)
        self.desktop.press(1)
        pid = self.program.pid()
        for i in (1, 2, 3):
            self.desktop.move(x0 + i, y0 + i)
            if pid is not None:
                wait_quiet(pid, 5)
        for i in range(1, 7):
            self.desktop.move(x0 + dx * i // 6, y0 + dy * i // 6)
        expected = (before.x + dx, before.y + dy)

        def followed():
            w = self.desktop.existing(window_id)
            return w if w is not None and w.position == expected else None

        try:
            after = wait_until(f"{what} to follow the pointer", followed, SHOW)
        except Failure:
            self.desktop.release(1)
            raise
        if then is not None:
            self.desktop.release_and_move(*then(after))
        else:
            self.desktop.release(1)
            if pid is not None:
                wait_quiet(pid, 5)
        return after

    def expect_not_moved(self, window_id, what, position):
        w = self.window(window_id, what)
        check(w.position == position, f"{what} moved from {position} to {w.position}")


# --- the scenarios ---------------------------------------------------------------------


def road_of_one_test(s, design, yes_rows, close_result):
    """One test from the menu to the result, then the windows closed as a person would."""
    s.start()
    s.expect_caption("the main menu", s.menu, PURPLE, MainMenu.title)
    q = s.open_test(design)
    welcome = s.expect_slide_in(DISCLAIMER)
    check(welcome.size == DISCLAIMER.size, f"the disclaimer window is {welcome.size}")
    s.expect_caption(DISCLAIMER.name, welcome, LIGHT_BLUE, DISCLAIMER.title)

    s.take_test(design, q, yes_rows)
    result = s.score(design, q)
    s.expect_caption(RESULT.name, result, LIGHT_BLUE, RESULT.title)
    # Scoring hides the disclaimer window; it stays loaded.
    hidden = s.desktop.wait_gone(DISCLAIMER.name, welcome.id, SHOW)
    check(hidden is not None, "scoring closed the disclaimer window instead of hiding it")
    s.expect_not_moved(q.id, design.name, design.position(s.screen))

    # Closing the result window, then scoring again: it slides in afresh.
    close_result(s, result)
    result = s.score(design, q)
    # The questionnaire's "X" closes it and the result window with it.
    s.close_with_x(design, q)
    s.desktop.wait_destroyed(RESULT.name, result.id, SHOW)
    check(s.desktop.existing(welcome.id) is not None,
          "closing the questionnaire closed the hidden disclaimer window")
    check(s.visible_sizes() == [MainMenu.size],
          f"only the menu should be left on screen, saw {s.visible_sizes()}")
    s.end_with_menu_x()


def close_result_with_x(s, result):
    s.close_with_x(RESULT, result)


def close_result_with_double_click(s, result):
    s.desktop.double_click(*result.at(*geometry.RESULT_BACKGROUND))
    s.desktop.wait_destroyed(RESULT.name, result.id, SHOW)


def scenario_depression_road(s):
    road_of_one_test(s, DEPRESSION, yes_rows=[0, 4, 9, 13], close_result=close_result_with_x)


def scenario_anxiety_road(s):
    road_of_one_test(s, ANXIETY, yes_rows=[1, 3, 6],
                     close_result=close_result_with_double_click)


def scenario_menu_colours(s):
    """Hover, press and reset of the menu entries, as the pointer goes over them."""
    menu = s.start()
    s.expect_caption("the main menu", menu, PURPLE, MainMenu.title)
    background = menu.at(*MainMenu.background)
    s.desktop.move(*background)
    s.menu_entry_colours(1, WHITE, PURPLE)
    s.menu_entry_colours(2, WHITE, PURPLE)

    # Hover: purple with white text; the other entry stays at rest.
    s.desktop.move(*menu.at(*centre(MainMenu.label1)))
    s.menu_entry_colours(1, PURPLE, WHITE)
    s.menu_entry_colours(2, WHITE, PURPLE)
    # Back over the background: both at rest.
    s.desktop.move(*background)
    s.menu_entry_colours(1, WHITE, PURPLE)

    # From one entry to the other over the background in between. (The program sees only
    # the last of pointer moves that come in together, so each stop is waited for.)
    s.desktop.move(*menu.at(*centre(MainMenu.label2)))
    s.menu_entry_colours(2, PURPLE, WHITE)
    s.desktop.move(*background)
    s.menu_entry_colours(2, WHITE, PURPLE)
    s.desktop.move(*menu.at(*centre(MainMenu.label1)))
    s.menu_entry_colours(1, PURPLE, WHITE)
    s.menu_entry_colours(2, WHITE, PURPLE)

    # Leaving an entry straight for the caption bar leaves it highlighted.
    title_point = menu.at(MainMenu.title.x + 20, MainMenu.title.y + 15)
    s.desktop.move(*title_point)
    s.desktop.move(*menu.at(*centre(MainMenu.label2)))
    s.menu_entry_colours(2, PURPLE, WHITE)
    s.desktop.move(*title_point)
    s.menu_entry_colours(1, PURPLE, WHITE)
    s.menu_entry_colours(2, PURPLE, WHITE)
    s.desktop.move(*background)
    s.menu_entry_colours(1, WHITE, PURPLE)
    s.menu_entry_colours(2, WHITE, PURPLE)

    # Press on a highlighted entry: nothing visible changes. Moving off with the button held
    # and letting go elsewhere is no click: no questionnaire opens.
    s.desktop.move(*menu.at(*centre(MainMenu.label2)))
    s.menu_entry_colours(2, PURPLE, WHITE)
    s.desktop.press(1)
    s.menu_entry_colours(2, PURPLE, WHITE)
    s.desktop.move(*menu.at(MainMenu.label2.x + 10, MainMenu.label2.y + 60))
    s.desktop.release(1)
    s.desktop.move(*background)
    s.menu_entry_colours(2, WHITE, PURPLE)
    check(s.visible_sizes() == [MainMenu.size],
          f"a press released off the entry opened something: {s.visible_sizes()}")

    # A click on the entry does open its questionnaire, which opens over the menu.
    q = s.open_test(ANXIETY)
    s.close_with_x(ANXIETY, q)
    s.end_with_menu_x()


def scenario_score_label_colours(s):
    """Rest, hover, press and reset of "Score Your Test" and its outline."""
    s.start()
    q = s.open_test(DEPRESSION)
    s.expect_slide_in(DISCLAIMER)
    label = q.rect(*inset(DEPRESSION.label1, 3))
    outline = q.rect(*left_edge(DEPRESSION.shape1))
    background = q.at(*DEPRESSION.background)
    s.desktop.move(*background)
    s.expect_colour("'Score Your Test' at rest", label, DARK_BLUE)
    s.expect_text_colour("'Score Your Test' at rest", label, WHITE)
    s.expect_colour("its outline at rest", outline, LIGHT_BLUE)

    s.desktop.move(*q.at(*centre(DEPRESSION.label1)))
    s.expect_colour("'Score Your Test' under the pointer", label, LIGHT_BLUE)
    s.expect_text_colour("'Score Your Test' under the pointer", label, WHITE)
    s.expect_colour("its outline under the pointer", outline, WHITE)

    s.desktop.move(*background)
    s.expect_colour("'Score Your Test' reset by the background", label, DARK_BLUE)
    s.expect_colour("its outline reset by the background", outline, LIGHT_BLUE)

    # Hover left straight for the caption bar stays on.
    s.desktop.move(*q.at(*centre(DEPRESSION.label1)))
    s.expect_colour("'Score Your Test' under the pointer", label, LIGHT_BLUE)
    s.desktop.move(*q.at(DEPRESSION.title.x + 20, 15))
    s.expect_colour("'Score Your Test' left for the caption bar", label, LIGHT_BLUE)

    # Pressed: pale blue, the outline stays white; the click scores.
    s.score(DEPRESSION, q)
    s.expect_colour("'Score Your Test' after the click", label, PALE_BLUE)
    s.expect_colour("its outline after the click", outline, WHITE)
    s.desktop.move(*background)
    s.expect_colour("'Score Your Test' reset after the click", label, DARK_BLUE)
    s.expect_colour("its outline reset after the click", outline, LIGHT_BLUE)
    s.end_with_menu_x()


def scenario_drag(s):
    """The menu and a questionnaire follow the pointer when dragged by their caption bar or
    their background; a corner window does not move. Once the button is up, the window
    reacts to the pointer again at once."""
    menu = s.start()

    def onto_entry(window):
        return window.at(*centre(MainMenu.label2))

    def menu_settled(window):
        # A hover that the program shows has come after every earlier input.
        s.desktop.move(*window.at(*MainMenu.background))
        s.desktop.move(*onto_entry(window))
        s.menu_entry_colours(2, PURPLE, WHITE)

    # By the caption bar.
    moved = s.drag(menu.id, "the main menu", menu.at(40, 15), (-300, -200), then=onto_entry)
    s.menu_entry_colours(2, PURPLE, WHITE)
    s.expect_not_moved(menu.id, "the main menu", moved.position)
    # By the white background. Its handler resets the entries once the drag is over, so
    # the pointer stays still until then.
    before = moved
    moved = s.drag(menu.id, "the main menu", before.at(*MainMenu.background), (250, 320))
    menu_settled(moved)
    s.expect_not_moved(menu.id, "the main menu", moved.position)
    check(moved.position != before.position, "the background drag did not move the menu")

    # Dragging a menu entry moves nothing, and neither does the right button on the caption.
    menu = moved
    for button, grab in ((1, menu.at(*centre(MainMenu.label1))), (3, menu.at(40, 15))):
        s.desktop.move(*grab)
        s.desktop.press(button)
        for i in range(1, 6):
            s.desktop.move(grab[0] + 20 * i, grab[1] + 10 * i)
        s.desktop.release(button)
        menu_settled(menu)
        s.expect_not_moved(menu.id, "the main menu", menu.position)
    check(s.visible_sizes() == [MainMenu.size],
          f"a drag off a menu entry opened something: {s.visible_sizes()}")

    q = s.open_test(DEPRESSION)
    welcome = s.expect_slide_in(DISCLAIMER)

    def onto_score(window):
        return window.at(*centre(DEPRESSION.label1))

    def score_hovered(window):
        s.expect_colour("'Score Your Test' under the pointer",
                        window.rect(*inset(DEPRESSION.label1, 3)), LIGHT_BLUE)

    def questionnaire_settled(window):
        s.desktop.move(*window.at(*DEPRESSION.background))
        s.expect_colour("'Score Your Test' at rest",
                        window.rect(*inset(DEPRESSION.label1, 3)), DARK_BLUE)
        s.desktop.move(*onto_score(window))
        score_hovered(window)

    moved = s.drag(q.id, DEPRESSION.name, q.at(40, 15), (300, 150), then=onto_score)
    score_hovered(moved)
    s.expect_not_moved(q.id, DEPRESSION.name, moved.position)
    before = moved
    moved = s.drag(q.id, DEPRESSION.name, before.at(*DEPRESSION.background), (-250, 80))
    questionnaire_settled(moved)
    s.expect_not_moved(q.id, DEPRESSION.name, moved.position)
    check(moved.position != before.position, "the background drag did not move the window")
    q = moved

    # The corner windows stay put, by their caption bar or their background.
    corner_spot = welcome.position
    for grab in (welcome.at(40, 10), welcome.at(*geometry.DISCLAIMER_BACKGROUND)):
        s.desktop.sweep(grab, (-360, -240))
        questionnaire_settled(q)
        s.expect_not_moved(welcome.id, DISCLAIMER.name, corner_spot)

    result = s.score(DEPRESSION, q)
    s.desktop.sweep(result.at(40, 10), (-360, -180))
    questionnaire_settled(q)
    s.expect_not_moved(result.id, RESULT.name, result.position)
    s.end_with_menu_x()


def about_box_window(s):
    """The About box: a window of its own with the caption "Quiravel", as the menu has."""
    return next((w for w in s.desktop.visible()
                 if w.name == "Quiravel" and w.size != MainMenu.size), None)


def about_box(s, what):
    return wait_until(f"the About box of {what}", lambda: about_box_window(s), SHOW)


def dismiss_about_box(s, box, key="Return"):
    # The box has the keyboard focus; Return presses its OK button, Escape and Space close it.
    wait_until("the About box to have the keyboard focus",
               lambda: s.desktop.has_focus(box), SHOW)
    s.desktop.key(key)
    wait_until("the About box to close", lambda: about_box_window(s) is None, SHOW)


def scenario_about_box(s):
    """"?" opens the About box, captioned "Quiravel", in the menu and in a questionnaire;
    while it is open the program takes no other input."""
    menu = s.start()
    s.desktop.click(*menu.at(*centre(MainMenu.about)))
    box = about_box(s, "the main menu")
    # The window behind takes no input while the box is open.
    s.desktop.click(*menu.at(*centre(MainMenu.label1)))
    # Return still goes to the box, which keeps the focus as the modal window.
    dismiss_about_box(s, box)
    s.point_at_entry(2)
    s.menu_entry_colours(2, PURPLE, WHITE)
    check(s.visible_sizes() == [MainMenu.size],
          f"a click while the About box was open reached the menu: {s.visible_sizes()}")

    q = s.open_test(ANXIETY)
    s.expect_slide_in(DISCLAIMER)
    s.desktop.click(*q.at(*centre(ANXIETY.about)))
    box = about_box(s, ANXIETY.name)
    dismiss_about_box(s, box, key="space")
    s.expect_not_moved(q.id, ANXIETY.name, ANXIETY.position(s.screen))
    s.close_with_x(ANXIETY, q)
    s.end_with_menu_x()


def scenario_close_labels(s):
    """Each "X" closes what it closes, and the menu's "X" ends everything."""
    s.start()
    s.put_menu_aside()
    q1 = s.open_test(DEPRESSION)
    welcome = s.expect_slide_in(DISCLAIMER)
    # The disclaimer's "X" closes it alone.
    s.close_with_x(DISCLAIMER, welcome)
    s.window(q1.id, DEPRESSION.name)

    # Scoring now loads the disclaimer window again, unseen, to hide it.
    result = s.score(DEPRESSION, q1)
    check(s.desktop.visible_of_size(DISCLAIMER.size) is None,
          "scoring showed the disclaimer window")
    # The result window's "X" closes it alone.
    s.close_with_x(RESULT, result)
    s.window(q1.id, DEPRESSION.name)
    # Pressing again slides a fresh result window in.
    result = s.score(DEPRESSION, q1, result_known={result.id})

    # Opening the other test shows the disclaimer window, which slid up unseen, parked.
    q11 = s.open_test(ANXIETY)
    welcome = s.expect_shown_parked(DISCLAIMER)

    # The anxiety questionnaire's "X" closes it and the result window the other one showed.
    s.close_with_x(ANXIETY, q11)
    s.desktop.wait_destroyed(RESULT.name, result.id, SHOW)
    s.window(q1.id, DEPRESSION.name)
    s.window(welcome.id, DISCLAIMER.name)

    # The disclaimer window also closes on a double click on its background.
    s.desktop.double_click(*welcome.at(*geometry.DISCLAIMER_BACKGROUND))
    s.desktop.wait_destroyed(DISCLAIMER.name, welcome.id, SHOW)

    # With every window open, the menu's "X" ends the program.
    s.open_test(ANXIETY)
    s.expect_slide_in(DISCLAIMER)
    s.score(ANXIETY, s.desktop.visible_of_size(ANXIETY.size))
    s.desktop.move(*s.menu_window().at(*MainMenu.background))
    check(len(s.visible_sizes()) == 4,
          f"expected menu, both questionnaires and the result window: {s.visible_sizes()}")
    s.end_with_menu_x()


def scenario_whole_session(s):
    """Every window opened and closed, both tests taken and scored: the session that the
    privacy check watches."""
    menu = s.start()
    s.desktop.click(*menu.at(*centre(MainMenu.about)))
    dismiss_about_box(s, about_box(s, "the main menu"))

    q1 = s.open_test(DEPRESSION)
    welcome = s.expect_slide_in(DISCLAIMER)
    s.take_test(DEPRESSION, q1, [2, 5])
    s.desktop.click(*q1.at(*centre(DEPRESSION.about)))
    dismiss_about_box(s, about_box(s, DEPRESSION.name))
    result = s.score(DEPRESSION, q1)
    s.close_with_x(RESULT, result)
    s.close_with_x(DEPRESSION, q1)

    q11 = s.open_test(ANXIETY)
    welcome = s.expect_shown_parked(DISCLAIMER)
    s.close_with_x(DISCLAIMER, welcome)
    s.take_test(ANXIETY, q11, [0, 7])
    s.desktop.click(*q11.at(*centre(ANXIETY.about)))
    dismiss_about_box(s, about_box(s, ANXIETY.name))
    result = s.score(ANXIETY, q11)
    close_result_with_double_click(s, result)
    s.close_with_x(ANXIETY, q11)
    s.end_with_menu_x()


def scenario_keyboard_road(s):
    """One test taken with the keyboard alone; the pointer never moves. The menu opens with
    the focus on its first entry; Tab and Shift+Tab walk the labels and answer lists, Down
    answers, Space and Enter press what has the focus, Escape closes the About box."""
    menu = s.start()
    pointer = s.desktop.pointer()
    s.desktop.key("Return")
    q = s.desktop.wait_visible(DEPRESSION.name, DEPRESSION.size, SHOW)
    check(q.name == "Depression Screening Test", f"the questionnaire is named {q.name!r}")
    welcome = s.expect_slide_in(DISCLAIMER)
    before = s.combo_picture(q, DEPRESSION, 0)
    s.desktop.key("Down")
    s.desktop.key("Down")  # "No", then "Yes"
    wait_until("answer list 1 to show its answer",
               lambda: s.combo_picture(q, DEPRESSION, 0) != before, SHOW)
    # From the first list, Shift+Tab goes back to "X", "?" and "Score Your Test".
    for key in ["Shift_L+Tab"] * 3 + ["space"]:
        s.desktop.key(key)
    result = s.expect_slide_in(RESULT)
    s.desktop.wait_gone(DISCLAIMER.name, welcome.id, SHOW)
    shown = s.result_picture(result)
    # Back to the first list to take the answer back, then Enter on "Score Your Test" scores
    # anew.
    for key in ["Tab"] * 3 + ["Up"] + ["Shift_L+Tab"] * 3 + ["Return"]:
        s.desktop.key(key)
    wait_until("the result window to show the new score",
               lambda: s.result_picture(result) != shown, SHOW)
    # "?" opens the About box; Escape closes it and the focus is back on "?", so Tab reaches
    # "X", which closes the questionnaire and the result window.
    s.desktop.key("Tab")
    s.desktop.key("space")
    dismiss_about_box(s, about_box(s, DEPRESSION.name), key="Escape")
    wait_until("the questionnaire to have the keyboard focus again",
               lambda: s.desktop.has_focus(q), SHOW)
    s.desktop.key("Tab")
    s.desktop.key("space")
    s.desktop.wait_destroyed(DEPRESSION.name, q.id, SHOW)
    s.desktop.wait_destroyed(RESULT.name, result.id, SHOW)
    # The window manager hands the focus back to the menu, still on its first entry: Shift+Tab
    # reaches its "X", which ends the program.
    wait_until("the menu to have the keyboard focus",
               lambda: s.desktop.has_focus(menu), SHOW)
    s.desktop.key("Shift_L+Tab")
    s.desktop.key("space")
    status = s.program.wait_exit(EXIT)
    check(status == 0, f"the program ended with exit status {status}, expected 0")
    check(s.desktop.pointer() == pointer, "the pointer moved")


def scenario_two_monitors(s):
    """On a desktop of two monitors whose primary is the right-hand one, every window takes
    its place on the primary: Left and Top count from its top-left corner, the screen's size
    is its size. The menu dragged onto the other monitor follows the pointer there."""
    left_monitor = geometry.Screen.of(
        next(m for m in s.desktop.monitors() if not m.primary))
    menu = s.start()

    def onto_entry(window):
        return window.at(*centre(MainMenu.label2))

    # By its caption bar, from the middle of the primary to the middle of the other monitor.
    target = MainMenu.position(left_monitor)
    moved = s.drag(menu.id, "the main menu", menu.at(40, 15),
                   (target[0] - menu.x, target[1] - menu.y), then=onto_entry)
    check(left_monitor.contains(moved),
          f"the main menu was dragged to {moved.position}, off the left-hand monitor")
    s.menu_entry_colours(2, PURPLE, WHITE)
    s.expect_not_moved(menu.id, "the main menu", moved.position)

    # Each opens, slides in and parks at its place on the primary, checked on the way.
    q = s.open_test(DEPRESSION)
    s.expect_slide_in(DISCLAIMER)
    result = s.score(DEPRESSION, q)
    s.open_test(ANXIETY)
    s.expect_shown_parked(DISCLAIMER)
    s.expect_not_moved(result.id, RESULT.name,
                       (RESULT.left(s.screen), RESULT.parked_top(s.screen)))
    s.expect_not_moved(menu.id, "the main menu", moved.position)
    s.end_with_menu_x()


def scenario_eight_bit_display(s):
    """On a screen of 8 bits a pixel, whose windows the toolkit cannot paint, the program says
    why in one line and ends before any window shows."""
    line = facts()["refusals"]["eight_bit_display"] + "\n"
    check(s.program.wait_exit(EXIT) == 1, f"exit status {s.program.exit_status()}, expected 1")
    # Its session bus may have a word of its own before it.
    wait_until("the reason", lambda: s.program.output().endswith(line), SHOW)
    check(not s.history.mapped(), "a window showed before the program ended")


SCENARIOS = {
    name[len("scenario_"):]: function
    for name, function in globals().items()
    if name.startswith("scenario_")
}


# --- running ---------------------------------------------------------------------------


class ScenarioTimeout(Exception):
    pass


# The desktop each scenario runs on, as with-display.sh makes it: its size in pixels and its
# monitors and bits a pixel; Xvfb's one monitor is the whole screen. Only the listed scenarios
# need another.
XVFB_DESKTOP = ((1920, 1080), [Monitor("screen", 0, 0, 1920, 1080, False)], 24)
DESKTOPS = {
    # with-display.sh --monitors
    "two_monitors": ((4480, 1440), [Monitor("right", 1920, 0, 2560, 1440, True),
                                    Monitor("left", 0, 0, 1920, 1080, False)], 24),
    # with-display.sh --depth 8
    "eight_bit_display": XVFB_DESKTOP[:2] + (8,),
}


def check_desktop(desktop, scenario):
    size, monitors, depth = DESKTOPS.get(scenario, XVFB_DESKTOP)
    seen = (desktop.width, desktop.height, desktop.depth)
    check(seen == size + (depth,), f"the screen is {seen[0]}x{seen[1]}x{seen[2]}, "
          f"expected {size[0]}x{size[1]}x{depth}")
    check(sorted(desktop.monitors()) == sorted(monitors),
          f"the monitors are {desktop.monitors()}, expected {monitors}")


def _on_alarm(signum, frame):
    raise ScenarioTimeout(f"the scenario took longer than {SCENARIO} s")


def _on_terminate(signum, frame):
    raise SystemExit(f"stopped by signal {signum}")


def run(scenario, app, artifacts, trace_log=None, launch=None):
    """Runs one scenario against a freshly started program; returns True if it passed. The
    program is always ended, and on a failure the screen is saved. `launch(scratch)`, if given,
    returns the wrapper, environment and working directory the program starts with; by default
    it starts in a session bus of its own (traced into `trace_log` if given), in a private
    environment under the scratch directory."""
    os.makedirs(artifacts, exist_ok=True)
    signal.signal(signal.SIGTERM, _on_terminate)
    signal.signal(signal.SIGALRM, _on_alarm)
    scratch = ScratchDir("quiravel-e2e.")
    desktop = history = program = None
    passed = False
    started = time.monotonic()
    try:
        signal.alarm(SCENARIO)
        desktop = Desktop()
        check_desktop(desktop, scenario)
        check(not desktop.visible(), "the program is already on screen before it started")
        history = WindowHistory()
        wrapper, env, cwd = (launch(scratch.path) if launch else
                             (wrapper_for(trace_log), private_environment(scratch.path), None))
        program = Program(app, wrapper, env, os.path.join(artifacts, f"{scenario}.output.txt"),
                          cwd)
        SCENARIOS[scenario](Session(desktop, history, program))
        passed = True
    except (Exception, ScenarioTimeout) as failure:  # noqa: B014
        print(f"FAIL {scenario}: {failure}", flush=True)
        traceback.print_exc()
        if desktop is not None:
            try:
                print("The program's windows:\n" + desktop.tree_text())
                shot = os.path.join(artifacts, f"{scenario}.failure.png")
                desktop.screenshot(shot)
                print(f"Screenshot: {shot}")
            except Exception as e:  # the display itself may be gone
                print(f"(no screenshot: {e})")
    finally:
        signal.alarm(0)
        if program is not None:
            running = program.exit_status() is None
            program.stop()
            output = program.output()
            if running and passed:
                print("the program was still running at the end", flush=True)
                passed = False
            if not passed and output:
                print("The program's output:\n" + output[-4000:])
            if "ERROR: AddressSanitizer" in output or "runtime error:" in output:
                print("The sanitizers reported an error:\n" + output[-4000:])
                passed = False
        if history is not None:
            history.close()
        if desktop is not None:
            desktop.close()
        scratch.remove()
    print(f"{'PASS' if passed else 'FAIL'} {scenario} ({time.monotonic() - started:.1f} s)",
          flush=True)
    return passed


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--app", required=True, help="the program to run")
    parser.add_argument("--artifacts", required=True,
                        help="where the program's output and failure screenshots go")
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    args = parser.parse_args()
    return 0 if run(args.scenario, args.app, args.artifacts) else 1


if __name__ == "__main__":
    sys.exit(main())
