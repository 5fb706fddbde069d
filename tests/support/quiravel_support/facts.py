"""The program's facts, as the program itself states them: the JSON that the tool
quiravel_facts (built with the tests, tests/support/facts.cpp) prints from the program's own
tables. CTest names the tool in QUIRAVEL_FACTS; without it, the one in build/tests is used."""

import functools
import json
import os
import subprocess

_DEFAULT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "build",
                        "tests", "quiravel_facts")


@functools.lru_cache(maxsize=None)
def facts(*screens):
    """The facts; with screens, (width, height) in twips, each one's corner windows' slides."""
    tool = os.environ.get("QUIRAVEL_FACTS") or _DEFAULT
    arguments = [a for w, h in screens for a in ("--screen", f"{w}x{h}")]
    env = {k: v for k, v in os.environ.items() if k != "WAYLAND_DISPLAY"}
    return json.loads(subprocess.run([tool, *arguments], check=True, capture_output=True,
                                     env=env).stdout)


def window(form):
    return next(w for w in facts()["windows"] if w["name"] == form)


def slide(form, width, height):
    """Where the corner window `form` starts and parks on a screen of this size in twips:
    left, start_top, parked_top (twips) and the steps between."""
    return facts((width, height))["screens"][f"{width}x{height}"][form]
