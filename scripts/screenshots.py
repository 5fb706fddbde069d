#!/usr/bin/python3
"""Takes the README's screenshots from the real program; scripts/screenshots runs it on a private
X server with a window manager.

    screenshots.py --app PROGRAM --out DIR [--dpi DPI]

The program starts in a fresh home and is driven with the pointer alone, as a person would;
each picture is what the X server shows, read back pixel for pixel.
"""

import argparse
import math
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))

from quiravel_support.checks import Failure, wait_until  # noqa: E402
from quiravel_support.desktop import Desktop  # noqa: E402
from quiravel_support.geometry import (  # noqa: E402
    DARK_BLUE, DEPRESSION, LIGHT_BLUE, PURPLE, MainMenu, Rect, centre, inset, px)
from quiravel_support.process import (  # noqa: E402
    Program, ScratchDir, private_environment, wrapper_for)

WAIT = 60  # seconds for anything to appear, park or change colour
MARGIN = 12  # pixels of desktop round a window
DESKTOP = 0x3C5A78  # the root window's colour, a plain desktop blue
YES_ROWS = {0, 2, 4, 9, 13}  # the depression test's answers in the result picture


class Shots:
    def __init__(self, desktop, program, dpi, out):
        self.desktop = desktop
        self.program = program
        self.dpi = dpi
        self.out = out

    # The layouts' pixels are worked out at 96 dpi; at another dpi every one grows with it.
    def px(self, pixels96):
        return math.floor(pixels96 * self.dpi / 96 + 0.5)

    def scaled(self, r):
        return Rect(self.px(r.x), self.px(r.y), self.px(r.width), self.px(r.height))

    def point(self, window, at96):
        return window.at(self.px(at96[0]), self.px(at96[1]))

    def caption(self, window):
        """The plain part of a menu's or questionnaire's caption bar, left of its text."""
        return window.rect(4, 4, 60, self.px(px(465)) - 8)

    def new_window(self, what, known, override):
        def probe():
            for w in self.desktop.visible():
                if w.id not in known and w.override == override and w.width > 40:
                    return w
            return None

        return wait_until(what, probe, WAIT)

    def parked(self, what, window):
        """Waits until a corner window has parked: its bottom edge a whole number of 50-twip
        steps, and more than 300 twips, above the screen's bottom edge (the window's own rule)."""
        twips_per_pixel = 1440 / self.dpi

        def twips(pixels):
            return math.floor(pixels * twips_per_pixel + 0.5)

        height = twips(window.height)
        steps = (height + 300) // 50 + 1
        top = math.floor((twips(self.desktop.height) - 50 * steps) / twips_per_pixel + 0.5)
        return self.desktop.wait_position(f"{what} parked", window.id, (window.x, top), WAIT)

    def light_up(self, what, window, label):
        """Points at an action label until it shows its hover colour."""
        lit = window.rect(*inset(self.scaled(label), 3))

        def lit_up():
            self.desktop.move(*self.point(window, MainMenu.background))
            self.desktop.move(*self.point(window, centre(label)))
            try:
                self.desktop.wait_colour(what, lit, PURPLE, 1.0)
                return True
            except Failure:
                return False

        wait_until(f"{what} to light up under the pointer", lit_up, WAIT)

    def answer(self, window, row, yes):
        combo = self.scaled(DEPRESSION.combos[row])
        known = {w.id for w in self.desktop.windows()}
        self.desktop.click(*window.at(combo.x + combo.width - self.px(7),
                                      combo.y + combo.height // 2))
        drop = self.new_window(f"the drop-down of answer list {row + 1}", known, True)
        # Two entries, "No" above "Yes".
        self.desktop.click(drop.x + drop.width // 2,
                           drop.y + drop.height * (3 if yes else 1) // 4)
        self.desktop.wait_gone(f"the drop-down of answer list {row + 1}", drop.id, WAIT)

    def save(self, name, left, top, right, bottom):
        d = self.desktop
        left, top = max(0, left - MARGIN), max(0, top - MARGIN)
        right, bottom = min(d.width, right + MARGIN), min(d.height, bottom + MARGIN)
        path = os.path.join(self.out, name)
        d.screenshot(path, Rect(left, top, right - left, bottom - top))
        print(f"{path}: {right - left}x{bottom - top}")

    def take(self):
        d = self.desktop
        menu = self.new_window("the main menu", set(), False)
        d.wait_colour("the menu's caption bar", self.caption(menu), PURPLE, WAIT)
        self.save("menu.png", menu.x, menu.y, menu.x + menu.width, menu.y + menu.height)

        self.light_up("'Depression Screening Test'", menu, MainMenu.label1)
        d.click(*self.point(menu, centre(MainMenu.label1)))
        form = self.new_window("the depression questionnaire", {menu.id}, False)
        d.wait_colour("the questionnaire's caption bar", self.caption(form), LIGHT_BLUE, WAIT)
        welcome = self.parked("the disclaimer window",
                              self.new_window("the disclaimer window", set(), True))
        d.move(*self.point(form, DEPRESSION.background))
        self.save("questionnaire.png", form.x, 0, d.width, d.height)

        for row in range(len(DEPRESSION.combos)):
            self.answer(form, row, row in YES_ROWS)
        score = self.scaled(DEPRESSION.label1)
        d.click(*form.at(*centre(score)))
        self.parked("the result window", self.new_window("the result window", {welcome.id}, True))
        d.wait_gone("the disclaimer window", welcome.id, WAIT)
        # Back over the background, "Score Your Test" is at rest again.
        d.move(*self.point(form, DEPRESSION.background))
        d.wait_colour("'Score Your Test' at rest", form.rect(*inset(score, 3)), DARK_BLUE, WAIT)
        self.save("result.png", form.x, 0, d.width, d.height)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--app", required=True, help="the program")
    parser.add_argument("--out", required=True, help="the folder for the pictures")
    parser.add_argument("--dpi", type=int, default=96,
                        help="the desktop's dots per inch; other than 96, Qt's scaling is off")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    desktop = Desktop()
    desktop.root.change_attributes(background_pixel=DESKTOP)
    desktop.root.clear_area()
    desktop.display.sync()
    scratch = ScratchDir("quiravel-screenshots.")
    env = private_environment(scratch.path)
    if args.dpi != 96:
        env["QT_ENABLE_HIGHDPI_SCALING"] = "0"
    program = Program(args.app, wrapper_for(), env, os.path.join(scratch.path, "output.txt"))
    try:
        Shots(desktop, program, args.dpi, args.out).take()
        return 0
    except Failure as failure:
        print(f"screenshots: {failure}\n{desktop.tree_text()}\n{program.output()[-2000:]}",
              file=sys.stderr)
        return 1
    finally:
        program.stop()
        desktop.close()
        scratch.remove()


if __name__ == "__main__":
    sys.exit(main())
