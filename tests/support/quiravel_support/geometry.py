"""Where the program's windows and controls are, in pixels, as the program lays them out
(quiravel_facts), where the corner windows park, and the colours a person sees. No X server."""

import collections

from .facts import facts, slide, window

# One pixel is 15 twips at the usual 96 pixels per inch.
TWIPS_PER_PIXEL = 15


def px(twips):
    """Twips to pixels, rounded to the nearest pixel, halves away from zero."""
    if twips >= 0:
        return (twips + TWIPS_PER_PIXEL // 2) // TWIPS_PER_PIXEL
    return -((-twips + TWIPS_PER_PIXEL // 2) // TWIPS_PER_PIXEL)


Rect = collections.namedtuple("Rect", "x y width height")

# Colours as seen on screen, (red, green, blue).
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
PURPLE = (128, 0, 128)
LIGHT_BLUE = (128, 128, 255)
PALE_BLUE = (192, 192, 255)
DARK_BLUE = (0, 0, 64)


def inset(r, by):
    return Rect(r.x + by, r.y + by, r.width - 2 * by, r.height - 2 * by)


def centre(r):
    return (r.x + r.width // 2, r.y + r.height // 2)


def left_edge(r, thickness=2):
    """The left-hand edge of a rectangle outline, away from its corners."""
    return Rect(r.x, r.y + 4, thickness, r.height - 8)


class Screen:
    """The screen as the program sees it: the primary monitor, its size in twips, and where
    its top-left corner, from which every Left and Top counts, lies on the desktop (pixels)."""

    def __init__(self, width_px, height_px, left_px=0, top_px=0):
        self.width = width_px * TWIPS_PER_PIXEL
        self.height = height_px * TWIPS_PER_PIXEL
        self.width_px = width_px
        self.height_px = height_px
        self.left_px = left_px
        self.top_px = top_px

    @classmethod
    def of(cls, monitor):
        return cls(monitor.width, monitor.height, monitor.x, monitor.y)

    def at(self, left, top):
        """A window's Left and Top in twips as a position on the desktop, in pixels."""
        return (self.left_px + px(left), self.top_px + px(top))

    def contains(self, window):
        return (self.left_px <= window.x and window.x + window.width <= self.left_px + self.width_px
                and self.top_px <= window.y
                and window.y + window.height <= self.top_px + self.height_px)


def centred(screen, width, height):
    """Top-left corner, in pixels, of a window of this size in twips centred on the screen
    (integer halves of twips, as the program computes them)."""
    return screen.at((screen.width - width) // 2, (screen.height - height) // 2)


# The caption bar's plain part, left of its centred text.
def caption_plain(title):
    return Rect(4, 4, 60, title.height - 8)


class Window:
    """One of the program's windows as it lays itself out at 96 dpi (quiravel_facts): its size,
    where it starts, and its controls' rectangles in window pixels by system name."""

    def __init__(self, name, form, background):
        facts = window(form)
        self.name = name
        self.form = form
        self.width_twips = facts["width"]
        self.height_twips = facts["height"]
        self.size = (px(self.width_twips), px(self.height_twips))
        self._start = facts
        self.controls = {name: Rect(*r) for name, r in facts["controls"].items()}
        self.title = self.controls["title"]
        # "X" and "?" are sized to their text; only their left part is sure to be theirs.
        self.cmdX = Rect(self.controls["cmdX"].x, 0, 8, 12)
        if "about" in self.controls:
            self.about = Rect(self.controls["about"].x, 0, 6, 12)
        self.label1 = self.controls.get("Label1")
        self.shape1 = self.controls.get("Shape1")
        self.label2 = self.controls.get("Label2")
        self.shape2 = self.controls.get("Shape2")
        self.combos = [self.controls[f"Combo1({i})"] for i in range(len(self.controls))
                       if f"Combo1({i})" in self.controls]
        # A point of the window's own background, away from every control.
        self.background = background

    def position(self, screen):
        if self._start["centred"]:
            return centred(screen, self.width_twips, self.height_twips)
        return screen.at(self._start["left"], self._start["top"])


# The main menu's background is white, left of and below the entries; the questionnaires' black
# left of the question texts.
MainMenu = Window("the main menu", "Form0", (px(600), px(2700)))
DEPRESSION = Window("the depression questionnaire", "Form1", (px(60), px(4000)))
ANXIETY = Window("the anxiety questionnaire", "Form11", (px(60), px(4000)))


# The corner windows rise a step at a time, one step every STEP_SECONDS.
STEP_SECONDS = facts()["step_seconds"]


class CornerWindow(Window):
    """The result window and the disclaimer window: placed near the screen's bottom right-hand
    corner with their top on its bottom edge, then lifted a step at a time until they park;
    where, the program's own motion says (quiravel_facts)."""

    def _slide(self, screen):
        return slide(self.form, screen.width, screen.height)

    @property
    def steps(self):
        """The steps it takes from the screen's bottom edge to its parking place."""
        return self._slide(Screen(1920, 1080))["steps"]

    @property
    def nominal_slide_seconds(self):
        return self.steps * STEP_SECONDS

    def left(self, screen):
        return screen.at(self._slide(screen)["left"], 0)[0]

    def start_top(self, screen):
        return screen.at(0, self._slide(screen)["start_top"])[1]

    def parked_top(self, screen):
        return screen.at(0, self._slide(screen)["parked_top"])[1]


RESULT = CornerWindow("the result window", "Form2", (px(60), px(3000)))
# Its score line, "Your Point= " until a test is scored.
RESULT_SCORE_LINE = RESULT.label1
RESULT_BACKGROUND = RESULT.background  # black, left of the advice text

DISCLAIMER = CornerWindow("the disclaimer window", "Welcome", (px(60), px(1500)))
DISCLAIMER_BACKGROUND = DISCLAIMER.background  # the margin left of the text

# The program's five windows.
WINDOWS = (MainMenu, DEPRESSION, ANXIETY, RESULT, DISCLAIMER)
