"""The program's texts that the accessibility tests read back: the windows' names, questions
and results as the program shows them (from quiravel_facts)."""

from .facts import facts, window

_DEPRESSION = facts()["tests"]["depression"]

MENU = window("Form0")["title"]
TEST = _DEPRESSION["title"]
# Item number to its text.
QUESTIONS = dict(enumerate(_DEPRESSION["questions"], start=1))
# What the result window shows for a depression total of 3 and of 5: score line, caption,
# advice.
MILD = tuple(_DEPRESSION["results"][3])
MODERATE = tuple(_DEPRESSION["results"][5])
