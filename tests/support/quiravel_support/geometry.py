"""Where the program's windows and controls are, in pixels, from the twips of their layouts,
how the corner windows move, and the colours a person sees. Pure arithmetic: no X server."""

import collections

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


def rect(left, top, width, height):
    """A control's rectangle in window pixels from its layout in twips."""
    return Rect(px(left), px(top), px(width), px(height))


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
def caption_plain(height_twips):
    return Rect(4, 4, 60, px(height_twips) - 8)


class MainMenu:
    name = "the main menu"
    form = "Form0"
    size = (px(7215), px(3180))
    title = rect(0, 0, 7215, 465)
    cmdX = Rect(px(6720), 0, 8, 12)  # "X" sized to its text; its left part
    about = Rect(px(6960), 0, 6, 12)  # "?" likewise
    label1 = rect(1260, 1095, 4680, 420)  # "Depression Screening Test"
    shape1 = rect(1260, 1095, 4680, 405)
    label2 = rect(1267, 2040, 4680, 420)  # "Anxiety Screening Test"
    shape2 = rect(1267, 2040, 4680, 405)
    background = (px(600), px(2700))  # white, left of and below the entries

    @staticmethod
    def position(screen):
        return centred(screen, 7215, 3180)


class Questionnaire:
    """The fixed controls of both questionnaires; what tells them apart is passed in."""

    def __init__(self, name, form, width, height, score_left, score_top, combos, position):
        self.name = name
        self.form = form
        self.size = (px(width), px(height))
        self.label1 = rect(score_left, score_top, 4680, 420)  # "Score Your Test"
        self.shape1 = rect(score_left, score_top, 4680, 405)
        self.combos = [rect(left, top, 1095, 315) for left, top in combos]
        self._position = position

    title = rect(0, 0, 9855, 465)
    cmdX = Rect(px(9360), 0, 8, 12)
    about = Rect(px(9600), 0, 6, 12)
    # Black background left of the question texts, which start at 360 twips.
    background = (px(60), px(4000))

    def position(self, screen):
        return self._position(screen)


DEPRESSION = Questionnaire(
    "the depression questionnaire", "Form1",
    9855, 11265, 2587, 10695,
    combos=[(8520, 720), (8520, 1200), (8520, 1680), (8520, 2280), (8520, 3120), (8520, 3960),
            (8520, 4680), (8520, 5400), (8520, 6120), (8520, 6960), (8475, 7560), (8475, 8280),
            (8475, 8760), (8475, 9360), (8475, 10200)],
    position=lambda screen: screen.at(5895, 0),
)

ANXIETY = Questionnaire(
    "the anxiety questionnaire", "Form11",
    9855, 8700, 2580, 8055,
    combos=[(8520, 720), (8520, 1440), (8520, 2160), (8520, 3000), (8520, 3720), (8520, 4440),
            (8520, 5160), (8520, 5880), (8520, 6600), (8520, 7320)],
    position=lambda screen: centred(screen, 9855, 8700),
)


# The corner windows' motion: 50 twips every 10 ms until the bottom edge lies more than 300
# twips above the screen's bottom edge.
STEP_TWIPS = 50
STEP_SECONDS = 0.010
PARKING_GAP_TWIPS = 300


class CornerWindow:
    """The result window and the disclaimer window: placed 100 twips inside the screen's right
    edge with their top on its bottom edge, then lifted a step at a time until they park."""

    def __init__(self, name, form, width, height):
        self.name = name
        self.form = form
        self.width_twips = width
        self.height_twips = height
        self.size = (px(width), px(height))
        # The steps it takes from the screen's bottom edge to its parking place.
        self.steps = (height + PARKING_GAP_TWIPS) // STEP_TWIPS + 1
        self.nominal_slide_seconds = self.steps * STEP_SECONDS

    title = rect(0, 0, 2895, 345)
    cmdX = Rect(px(2640), 0, 8, 12)

    def left(self, screen):
        return screen.at(screen.width - self.width_twips - 100, 0)[0]

    def start_top(self, screen):
        return screen.at(0, screen.height)[1]

    def parked_top(self, screen):
        return screen.at(0, screen.height - STEP_TWIPS * self.steps)[1]


RESULT = CornerWindow("the result window", "Form2", 2895, 6420)
# Its score line, "Your Point= " until a test is scored.
RESULT_SCORE_LINE = rect(240, 480, 2415, 375)
RESULT_BACKGROUND = (px(60), px(3000))  # black, left of the advice text

DISCLAIMER = CornerWindow("the disclaimer window", "Welcome", 2895, 2985)
DISCLAIMER_BACKGROUND = (px(60), px(1500))  # the margin left of the text

# The program's five windows.
WINDOWS = (MainMenu, DEPRESSION, ANXIETY, RESULT, DISCLAIMER)
