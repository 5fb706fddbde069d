#!/usr/bin/python3
"""Measures Quiravel against the floor program from outside, on the X display in $DISPLAY.

Runs the floor program (a minimal Qt Widgets window) and Quiravel alternately, each time as a
fresh process, and watches them only through the X server and /proc:

  start         exec to the first window mapped and fully painted: every pixel of the window
                reported drawn (X DAMAGE on the root window) after its MapNotify; taken from
                start-only runs (--starts per round, default 3) of the floor, the floor in the
                menu's fonts and Quiravel, one right after the other, in turn;
  RSS           resident memory at that moment, and once all five windows are open and the
                corner windows have parked (the floor: the same, a moment after its start);
  idle          voluntary context switches per second, summed over all threads, while nothing
                happens (Quiravel: all five windows open, both corner windows parked, and no
                input for a while: the focused answer field's text cursor blinks for 10 s after
                the last input and then holds still; the count right after parking, with the
                cursor still blinking, is reported as well);
  slides        for each corner window, MapNotify to its last move (ConfigureNotify), its
                final position, and the CPU time the program used meanwhile;
  cycles        in one more run, RSS after --cycles-base (default 50) and after --cycles
                (default 1000) cycles of opening the depression questionnaire, scoring it and
                closing it: what each questionnaire opened and closed leaves behind.

Start and slides also report how long the program's threads were ready to run but had no CPU
(the run-queue wait in /proc/PID/task/*/schedstat): on a busy machine that, not the program,
is where the time goes. Each round also runs the floor once more with one focused, editable
answer list (--with-answer-list) and counts its idle wake-ups: the floor of a window in which
a text cursor blinks. The start-only runs include the floor with its labels in the main
menu's fonts (--with-menu-fonts): the floor of a window in those fonts.

Quiravel is driven with synthetic pointer events (XTEST): a click on the menu's first entry
opens the depression questionnaire and the disclaimer window, a click on the second entry opens
the anxiety questionnaire, and a press on that questionnaire's "Score Your Test" shows the
result window; the button is released away from the label, so nothing is scored and the
disclaimer window stays on screen. The cycles are driven as a user of the keyboard would: a
click on the menu's first entry opens the questionnaire, which takes the keyboard focus;
Shift+Tab three times reaches "Score Your Test" and Space presses it (the result window shows),
then Tab twice reaches "X" and Space closes the questionnaire and the result window.

It needs a bare X server (no window manager) and Debian's python3-xlib; bench/run.sh provides
both. Prints the medians, the ratios and the targets; the exit status only says whether every
metric was measured, never whether a target was met.
"""

from __future__ import annotations

import argparse
import json
import os
import platform
import select
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field

# The windows' sizes and controls, and the corner motion, as the tests know them.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))

from quiravel_support import geometry  # noqa: E402
from quiravel_support.checks import Failure, wait_until  # noqa: E402
from quiravel_support.geometry import (  # noqa: E402
    ANXIETY, DEPRESSION, DISCLAIMER, RESULT, STEP_SECONDS, MainMenu)
from quiravel_support.process import end_process  # noqa: E402

# The windows' form names by their size in pixels.
FORMS = {window.size: window.form for window in geometry.WINDOWS}

# Targets, as ratios quiravel / floor measured in the same run.
TARGET_START = 1.05
TARGET_RSS_START = 1.05
TARGET_RSS_ALL = 1.30
TARGET_IDLE_EXTRA_PER_SECOND = 1.0
TARGET_SLIDE_DEVIATION = 0.05
# RSS growth from --cycles-base to --cycles open-score-close cycles.
TARGET_CYCLE_GROWTH_MIB = 1.0


# ----------------------------------------------------------------------------------------------
# Pure helpers (unit-tested in test_measure.py)


class Coverage:
    """Which pixels of a w x h rectangle have been reported drawn."""

    def __init__(self, width: int, height: int):
        self.width = width
        self.height = height
        self._rows = [bytearray(width) for _ in range(height)]
        self.covered = 0

    def add(self, x: int, y: int, w: int, h: int) -> None:
        x0, y0 = max(x, 0), max(y, 0)
        x1, y1 = min(x + w, self.width), min(y + h, self.height)
        if x0 >= x1 or y0 >= y1:
            return
        ones = b"\x01" * (x1 - x0)
        for row in self._rows[y0:y1]:
            self.covered += row[x0:x1].count(0)
            row[x0:x1] = ones

    @property
    def complete(self) -> bool:
        return self.covered == self.width * self.height


def covers(rect, point) -> bool:
    x, y, w, h = rect
    px_, py_ = point
    return x <= px_ < x + w and y <= py_ < y + h


def visible_point(target, above):
    """A point of the screen rectangle `target` not covered by any rectangle in `above`, as near
    its middle row and centre as possible; None if it is hidden completely."""
    x, y, w, h = target
    rows = sorted(range(y + 2, y + h - 2), key=lambda r: abs(r - (y + h // 2)))
    cols = sorted(range(x + 2, x + w - 2), key=lambda c: abs(c - (x + w // 2)))
    for r in rows[:3]:
        for c in cols:
            if not any(covers(a, (c, r)) for a in above):
                return (c, r)
    return None


def median(values):
    return statistics.median(values) if values else float("nan")


def ratio(a: float, b: float) -> float:
    return a / b if b else float("nan")


# ----------------------------------------------------------------------------------------------
# /proc


@dataclass
class ProcSample:
    time: float
    rss_kib: int
    rss_shmem_kib: int  # shared memory: the windows' backing stores (MIT-SHM) live here
    cpu_ns: dict[int, int]  # per thread: time on a CPU
    wait_ns: dict[int, int]  # per thread: time runnable but waiting for a CPU
    voluntary: dict[int, int]  # per thread


def read_proc(pid: int) -> ProcSample:
    now = time.monotonic()
    rss = shmem = 0
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                rss = int(line.split()[1])
            elif line.startswith("RssShmem:"):
                shmem = int(line.split()[1])
    cpu, wait, vol = {}, {}, {}
    for tid_name in os.listdir(f"/proc/{pid}/task"):
        tid = int(tid_name)
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                fields = f.read().split()
                cpu[tid], wait[tid] = int(fields[0]), int(fields[1])
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                for line in f:
                    if line.startswith("voluntary_ctxt_switches:"):
                        vol[tid] = int(line.split()[1])
        except (FileNotFoundError, ProcessLookupError):
            pass  # the thread ended meanwhile
    return ProcSample(now, rss, shmem, cpu, wait, vol)


def counter_delta(before: dict[int, int], after: dict[int, int]) -> int:
    """Sum of per-thread increases; a thread new since `before` counts from zero."""
    return sum(v - before.get(tid, 0) for tid, v in after.items())


# ----------------------------------------------------------------------------------------------
# X


class MeasureError(Failure):
    """Something to be measured did not happen."""


@dataclass
class Window:
    wid: int
    x: int
    y: int
    width: int
    height: int
    override: bool
    mapped: bool = False
    map_time: float | None = None
    map_sample: ProcSample | None = None
    moves: list = field(default_factory=list)  # (time, y, cpu sample) after the map
    coverage: Coverage | None = None
    painted_time: float | None = None

    @property
    def rect(self):
        return (self.x, self.y, self.width, self.height)

    @property
    def name(self):
        return FORMS.get((self.width, self.height))


class Screen:
    """The X connection: top-level windows, their maps and moves, and damage to the screen."""

    def __init__(self):
        from Xlib import X, display
        from Xlib.ext import damage

        from quiravel_support.desktop import Input

        self.X = X
        self.d = display.Display()
        for ext in ("DAMAGE", "XTEST"):
            if not self.d.has_extension(ext):
                raise MeasureError(f"the X server lacks the {ext} extension")
        self.input = Input(self.d)
        self.d.damage_query_version()
        screen = self.d.screen()
        self.root = screen.root
        self.width, self.height = screen.width_in_pixels, screen.height_in_pixels
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.root.damage_create(damage.DamageReportRawRectangles)
        self.damage_notify = self.d.extension_event.DamageNotify
        self.d.sync()
        self.windows: dict[int, Window] = {}
        self.stacking: list[int] = []  # bottom to top
        self.watch_pid: int | None = None  # sampled at every move of a mapped window

    # Events

    def pump(self, until, timeout: float, what: str):
        """Handles the X server's events until `until()` holds, and returns what it returned."""

        def handled_until():
            while self.d.pending_events():
                self._handle(self.d.next_event())
            return until()

        return wait_until(what, handled_until, timeout,
                          between=lambda left: select.select([self.d], [], [], min(left, 0.05)))

    def idle(self, seconds: float):
        """Processes events for `seconds` without waiting for anything."""
        end = time.monotonic() + seconds
        try:
            self.pump(lambda: time.monotonic() >= end, seconds + 1, "nothing")
        except Failure:
            pass

    def _handle(self, e):
        X = self.X
        now = time.monotonic()
        if e.type == self.damage_notify:
            a = e.area
            for w in self.windows.values():
                if w.mapped and w.coverage is not None and w.painted_time is None:
                    w.coverage.add(a.x - w.x, a.y - w.y, a.width, a.height)
                    if w.coverage.complete:
                        w.painted_time = now
            return
        if e.type == X.CreateNotify:
            self.windows[e.window.id] = Window(
                e.window.id, e.x, e.y, e.width, e.height, bool(e.override)
            )
            self.stacking.append(e.window.id)
            return
        w = self.windows.get(getattr(e, "window", None) and e.window.id)
        if w is None:
            return
        if e.type == X.MapNotify:
            w.mapped = True
            if w.map_time is None:
                w.map_time = now
                w.coverage = Coverage(w.width, w.height)
                if self.watch_pid:
                    w.map_sample = read_proc(self.watch_pid)
        elif e.type == X.UnmapNotify:
            w.mapped = False
        elif e.type == X.DestroyNotify:
            del self.windows[w.wid]
            self.stacking.remove(w.wid)
        elif e.type == X.ConfigureNotify:
            moved = e.y != w.y
            w.x, w.y, w.width, w.height = e.x, e.y, e.width, e.height
            self.stacking.remove(w.wid)
            above = getattr(e.above_sibling, "id", e.above_sibling) or 0
            index = self.stacking.index(above) + 1 if above in self.stacking else 0
            self.stacking.insert(index, w.wid)
            if moved and w.map_time is not None:
                sample = read_proc(self.watch_pid) if self.watch_pid else None
                w.moves.append((now, w.y, sample))

    # Queries

    def find(self, size) -> Window | None:
        for w in self.windows.values():
            if w.mapped and (w.width, w.height) == size:
                return w
        return None

    def first_mapped(self) -> Window | None:
        mapped = [w for w in self.windows.values() if w.map_time is not None]
        return min(mapped, key=lambda w: w.map_time) if mapped else None

    def rects_above(self, w: Window):
        index = self.stacking.index(w.wid)
        return [
            self.windows[wid].rect for wid in self.stacking[index + 1 :] if self.windows[wid].mapped
        ]

    def free_point(self):
        """A point of the screen that no mapped window covers."""
        rects = [w.rect for w in self.windows.values() if w.mapped]
        for point in ((2, self.height - 3), (2, 2), (self.width - 3, 2)):
            if not any(covers(r, point) for r in rects):
                return point
        return (0, self.height - 1)

    # Pointer

    def control_point(self, window: Window, control) -> tuple[int, int]:
        x, y, w, h = control
        target = (window.x + x, window.y + y, w, h)
        point = visible_point(target, self.rects_above(window))
        if point is None:
            raise MeasureError(f"{window.name}: the control at {control} is hidden")
        return point

    def click(self, point):
        self.input.move(*point)
        self.idle(0.05)
        self.input.press(1)
        self.idle(0.03)
        self.input.release(1)

    def forget_windows(self):
        self.windows.clear()
        self.stacking.clear()


# ----------------------------------------------------------------------------------------------
# Runs


@dataclass
class Slide:
    seconds: float  # from the map to the last move
    first_step_ms: float  # from the map to the first move (nominally one step, 10 ms)
    nominal: float
    steps: int
    final_top: int
    parked_top: int
    longest_step_ms: float  # the longest time between two moves
    cpu_ms: float  # the program's CPU time from the map to the last move
    cpu_wait_ms: float  # meanwhile, time the program was ready to run but had no CPU
    core_share: float  # CPU time over wall time while sliding, once the first third is past


class Program:
    """One run of a program under observation; its standard error is kept for a failure."""

    def __init__(self, screen: Screen, argv: list[str]):
        self.screen = screen
        screen.forget_windows()
        self.stderr = tempfile.TemporaryFile()
        self.t0 = time.monotonic()
        self.proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=self.stderr)
        self.pid = self.proc.pid
        screen.watch_pid = self.pid

    def wait_first_paint(self):
        """The first window, the time from exec to its full paint, and a sample right then."""
        first = self.screen.pump(
            lambda: (w := self.screen.first_mapped()) and w.painted_time and w, 30,
            "the first window to be mapped and painted",
        )
        return first, first.painted_time - self.t0, read_proc(self.pid)

    def idle_wakeups(self, seconds: float) -> float:
        before = read_proc(self.pid)
        self.screen.idle(seconds)
        after = read_proc(self.pid)
        return counter_delta(before.voluntary, after.voluntary) / (after.time - before.time)

    def stop(self, failed: bool = False):
        self.screen.watch_pid = None
        end_process(self.proc, grace=5, group=False)
        if failed:
            self.stderr.seek(0)
            sys.stderr.write(self.stderr.read().decode(errors="replace")[-4000:])
        self.stderr.close()
        try:
            self.screen.pump(lambda: not self.screen.windows, 5, "the windows to go")
        except Failure:
            pass

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        self.stop(failed=kind is not None)


def wait_parked(screen: Screen, corner: geometry.CornerWindow, quiet: float = 0.4) -> Slide:
    """Waits until the corner window has stopped at its parking place (or has not moved for
    3 s anywhere else) and describes its slide."""
    parked_top = corner.parked_top(geometry.Screen(screen.width, screen.height))

    def parked():
        w = screen.find(corner.size)
        if w is None or not w.moves:
            return None
        since = time.monotonic() - w.moves[-1][0]
        if (w.y == parked_top and since >= quiet) or since >= 3.0:
            return w
        return None

    w = screen.pump(parked, 20, f"{corner.form} to park")
    last_time, final_top, last_sample = w.moves[-1]
    steady_time, _, steady_sample = w.moves[len(w.moves) // 3]
    return Slide(
        seconds=last_time - w.map_time,
        first_step_ms=(w.moves[0][0] - w.map_time) * 1000,
        nominal=corner.nominal_slide_seconds,
        steps=len(w.moves),
        final_top=final_top,
        parked_top=parked_top,
        longest_step_ms=max(b[0] - a[0] for a, b in zip(w.moves, w.moves[1:])) * 1000
        if len(w.moves) > 1 else 0.0,
        cpu_ms=counter_delta(w.map_sample.cpu_ns, last_sample.cpu_ns) / 1e6,
        cpu_wait_ms=counter_delta(w.map_sample.wait_ns, last_sample.wait_ns) / 1e6,
        core_share=counter_delta(steady_sample.cpu_ns, last_sample.cpu_ns)
        / 1e9
        / max(last_time - steady_time, 1e-9),
    )


def memory_figures(start: ProcSample, later: ProcSample, name: str) -> dict:
    """Resident memory in MiB at the start and at the later moment called `name`, and how much
    of that is shared."""
    return {
        "rss_start_mib": start.rss_kib / 1024,
        f"rss_{name}_mib": later.rss_kib / 1024,
        f"rss_{name}_shmem_mib": later.rss_shmem_kib / 1024,
    }


def start_figures(start: float, sample: ProcSample) -> dict:
    """The start in ms, and the CPU time and run-queue wait of all threads until then."""
    return {
        "start_ms": start * 1000,
        "start_cpu_ms": sum(sample.cpu_ns.values()) / 1e6,
        "start_cpu_wait_ms": sum(sample.wait_ns.values()) / 1e6,
    }


def run_floor(screen: Screen, argv: list[str], settle: float, idle_seconds: float) -> dict:
    with Program(screen, argv) as program:
        _, start, sample = program.wait_first_paint()
        screen.idle(settle)
        later = read_proc(program.pid)
        wakeups = program.idle_wakeups(idle_seconds)
    return {
        **start_figures(start, sample),
        **memory_figures(sample, later, "later"),
        "idle_wakeups": wakeups,
    }


def run_start(screen: Screen, argv: list[str]) -> dict:
    """Only the start, and the program ends right after it."""
    with Program(screen, argv) as program:
        _, start, sample = program.wait_first_paint()
    return start_figures(start, sample)


def run_reference(screen: Screen, argv: list[str], settle: float, idle_seconds: float) -> dict:
    """The floor with one focused, editable answer list: what a blinking text cursor costs."""
    with Program(screen, argv) as program:
        program.wait_first_paint()
        screen.idle(settle)
        return {"idle_wakeups": program.idle_wakeups(idle_seconds)}


def run_quiravel(screen: Screen, argv: list[str], settle: float, idle_seconds: float,
                 quiet: float) -> dict:
    with Program(screen, argv) as program:
        menu, start, sample = program.wait_first_paint()
        if (menu.width, menu.height) != MainMenu.size:
            raise MeasureError(f"the first window is {menu.width}x{menu.height}, not the menu")

        # The depression questionnaire, and with it the disclaimer window.
        screen.click(screen.control_point(menu, MainMenu.label1))
        screen.pump(lambda: screen.find(DEPRESSION.size) and screen.find(DISCLAIMER.size), 10,
                    "Form1 and Welcome")
        disclaimer = wait_parked(screen, DISCLAIMER)

        # The anxiety questionnaire.
        screen.click(screen.control_point(menu, MainMenu.label2))
        anxiety = screen.pump(lambda: screen.find(ANXIETY.size), 10, "Form11")
        screen.idle(0.2)

        # A press on its "Score Your Test" shows the result window; the button goes up away
        # from the label, so nothing is scored and the disclaimer window stays.
        screen.input.move(*screen.control_point(anxiety, ANXIETY.label1))
        screen.idle(0.05)
        screen.input.press(1)
        screen.pump(lambda: screen.find(RESULT.size), 10, "Form2")
        screen.input.move(*screen.free_point())
        screen.input.release(1)
        last_input = time.monotonic()
        result = wait_parked(screen, RESULT)

        open_windows = sorted(w.name for w in screen.windows.values() if w.mapped and w.name)
        if len(open_windows) != 5:
            raise MeasureError(f"expected five windows open, found {open_windows}")
        screen.idle(settle)
        all_open = read_proc(program.pid)
        # Right after parking the text cursor still blinks; once `quiet` seconds have passed
        # since the last input it holds still, and the program is idle.
        wakeups_blinking = program.idle_wakeups(idle_seconds)
        screen.idle(max(0.0, last_input + quiet - time.monotonic()))
        wakeups = program.idle_wakeups(idle_seconds)
    return {
        **start_figures(start, sample),
        **memory_figures(sample, all_open, "all"),
        "idle_wakeups": wakeups,
        "idle_wakeups_blinking": wakeups_blinking,
        "form2": result.__dict__,
        "welcome": disclaimer.__dict__,
    }


def has_focus(screen: Screen, window: Window) -> bool:
    focus = screen.d.get_input_focus().focus
    return getattr(focus, "id", focus) == window.wid


def open_score_close(screen: Screen, entry: tuple[int, int]) -> None:
    """One cycle, opened by a click at `entry` on the menu's first entry."""
    screen.input.move(*entry)
    screen.input.press(1)
    screen.input.release(1)
    questionnaire = screen.pump(lambda: screen.find(DEPRESSION.size), 10, "Form1")
    # Keys sent before the questionnaire has the focus would go to the menu.
    screen.pump(lambda: has_focus(screen, questionnaire), 10, "Form1 to take the keyboard focus")
    for key in ["Shift_L+Tab"] * 3 + ["space"]:
        screen.input.key(key)
    screen.pump(lambda: screen.find(RESULT.size), 10, "Form2")
    for key in ["Tab", "Tab", "space"]:
        screen.input.key(key)
    screen.pump(lambda: not screen.find(DEPRESSION.size) and not screen.find(RESULT.size), 10,
                "Form1 and Form2 to close")


def run_cycles(screen: Screen, argv: list[str], base: int, count: int, settle: float) -> dict:
    """Quiravel's RSS after `base` and after `count` open-score-close cycles in one run, and the
    time a cycle takes."""
    with Program(screen, argv) as program:
        menu, _, _ = program.wait_first_paint()
        x, y = screen.control_point(menu, MainMenu.label1)
        # A click at the place of the one before, and as soon, would be a double click.
        entries = ((x - 10, y), (x + 10, y))
        rss, busy = {}, 0.0
        for n in range(1, count + 1):
            begun = time.monotonic()
            open_score_close(screen, entries[n % 2])
            busy += time.monotonic() - begun
            if n in (base, count):
                screen.idle(settle)
                rss[n] = read_proc(program.pid).rss_kib / 1024
    return {"base": base, "count": count, "rss_base_mib": rss[base], "rss_mib": rss[count],
            "cycle_ms": busy / count * 1000}


# ----------------------------------------------------------------------------------------------
# Report


def machine() -> str:
    cpu = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    cpu = line.split(":", 1)[1].strip()
                    break
        with open("/proc/meminfo") as f:
            mem_kib = int(f.readline().split()[1])
    except OSError:
        mem_kib = 0
    return f"{os.cpu_count()} CPUs, {cpu}, {mem_kib / 1024 / 1024:.1f} GiB, {platform.release()}"


def load_average() -> str:
    """The machine's 1, 5 and 15 minute load averages: timings mean little on a busy machine."""
    return " ".join(f"{v:.2f}" for v in os.getloadavg())


START_PROGRAMS = ("floor", "menu_fonts", "quiravel")


def start_order(turn: int) -> tuple[str, ...]:
    """The programs of one turn of starts, rotated so that each comes first, second and last
    equally often: whatever the one before leaves behind (caches, a busy X server) falls on
    all of them alike."""
    k = turn % len(START_PROGRAMS)
    return START_PROGRAMS[k:] + START_PROGRAMS[:k]


def report(floor_runs: list[dict], reference_runs: list[dict], runs: list[dict],
           starts: dict[str, list[dict]] | None = None, cycles: dict | None = None) -> list[str]:
    """The table of medians, ratios and targets. The start comes from `starts` (start-only runs
    of the floor, the floor in the menu's fonts and Quiravel) when given, otherwise from the
    starts of the full runs; `cycles` (run_cycles) adds the RSS growth over many cycles."""
    lines, verdicts = [], []

    def m(runs_, key, sub=None):
        return median([(r[sub] if sub else r)[key] for r in runs_])

    def row(label, fv, qv, unit, target=None, met=None):
        verdict = ""
        if met is not None:
            verdicts.append(met)
            verdict = "met" if met else "MISSED"
        r = ratio(qv, fv)
        shown = f"{r:>7.3f}" if r == r else f"{'-':>7}"
        lines.append(f"{label:<34} {fv:>9.2f} {qv:>9.2f} {unit:<4} {shown}   "
                     f"{target or '':<20} {verdict}".rstrip())

    lines.append(f"{'metric (medians)':<34} {'floor':>9} {'quiravel':>9} {'':<4} {'ratio':>7}   "
                 f"{'target':<20} verdict")
    floor_starts = starts["floor"] if starts else floor_runs
    quiravel_starts = starts["quiravel"] if starts else runs
    fs, qs = m(floor_starts, "start_ms"), m(quiravel_starts, "start_ms")
    row("start: exec to first full paint", fs, qs, "ms", f"ratio <= {TARGET_START}",
        qs <= TARGET_START * fs)
    row("  CPU time until then", m(floor_starts, "start_cpu_ms"),
        m(quiravel_starts, "start_cpu_ms"), "ms")
    row("  waiting for a CPU until then", m(floor_starts, "start_cpu_wait_ms"),
        m(quiravel_starts, "start_cpu_wait_ms"), "ms")
    if starts:
        row("  in the full runs", m(floor_runs, "start_ms"), m(runs, "start_ms"), "ms")
    if starts and starts.get("menu_fonts"):
        font_starts = starts["menu_fonts"]
        row("  floor in the menu's fonts", m(font_starts, "start_ms"), qs, "ms")
        row("    CPU time until then", m(font_starts, "start_cpu_ms"),
            m(quiravel_starts, "start_cpu_ms"), "ms")
    fr, qr = m(floor_runs, "rss_start_mib"), m(runs, "rss_start_mib")
    row("RSS at start", fr, qr, "MiB", f"ratio <= {TARGET_RSS_START}",
        qr <= TARGET_RSS_START * fr)
    fa, qa = m(floor_runs, "rss_later_mib"), m(runs, "rss_all_mib")
    row("RSS, all five windows open", fa, qa, "MiB", f"ratio <= {TARGET_RSS_ALL}",
        qa <= TARGET_RSS_ALL * fa)
    row("  of which shared (backing stores)", m(floor_runs, "rss_later_shmem_mib"),
        m(runs, "rss_all_shmem_mib"), "MiB")
    fi, qi = m(floor_runs, "idle_wakeups"), m(runs, "idle_wakeups")
    row("idle wake-ups, parked, no input", fi, qi, "/s",
        f"<= floor + {TARGET_IDLE_EXTRA_PER_SECOND:g}/s", qi <= fi + TARGET_IDLE_EXTRA_PER_SECOND)
    row("  right after parking (blinking)", fi, m(runs, "idle_wakeups_blinking"), "/s")
    if reference_runs:
        row("  floor + a focused answer list", fi, m(reference_runs, "idle_wakeups"), "/s")

    if cycles:
        base, count = cycles["base"], cycles["count"]
        growth = cycles["rss_mib"] - cycles["rss_base_mib"]
        met = growth < TARGET_CYCLE_GROWTH_MIB
        verdicts.append(met)
        lines.append("")
        lines.append(f"{'open, score, close: cycles':<34} {base:>9} {count:>9} {'':<4} "
                     f"{'growth':>7}   {'target':<20} verdict")
        lines.append(f"{'RSS after that many cycles':<34} {cycles['rss_base_mib']:>9.2f} "
                     f"{cycles['rss_mib']:>9.2f} {'MiB':<4} {growth:>+7.2f}   "
                     f"{f'growth < {TARGET_CYCLE_GROWTH_MIB:g} MiB':<20} "
                     f"{'met' if met else 'MISSED'}")
        lines.append(f"{'  time per cycle':<34} {'':>9} {cycles['cycle_ms']:>9.1f} ms")

    lines.append("")
    lines.append(f"{'corner slide (medians)':<34} {'nominal':>9} {'measured':>9} {'':<4} "
                 f"{'dev.':>7}   {'target':<20} verdict")
    for key, name in (("form2", "Form2 (result)"), ("welcome", "Welcome (disclaimer)")):
        nominal = runs[0][key]["nominal"]
        seconds = m(runs, "seconds", key)
        deviation = seconds / nominal - 1
        met = abs(seconds - nominal) <= TARGET_SLIDE_DEVIATION * nominal + 1e-9
        verdicts.append(met)
        lines.append(f"{name + ': map to parked':<34} {nominal:>9.3f} {seconds:>9.3f} {'s':<4} "
                     f"{deviation:>+7.1%}   {'within 5 %':<20} {'met' if met else 'MISSED'}")
        lines.append(f"{'  map to first step; longest step':<34} {STEP_SECONDS * 1000:>9.1f} "
                     f"{m(runs, 'first_step_ms', key):>9.1f} {'ms':<4} "
                     f"{m(runs, 'longest_step_ms', key):>7.1f} ms")
        tops = sorted({(r[key]["final_top"], r[key]["parked_top"]) for r in runs})
        lines.append(f"{'  steps; parked top / expected':<34} {m(runs, 'steps', key):>9.0f} "
                     f"{' '.join(f'{a}/{b}' for a, b in tops):>14} px")
        share = m(runs, "core_share", key)
        lines.append(f"{'  CPU time of the slide':<34} {m(runs, 'cpu_ms', key):>9.1f} "
                     f"{'':>9} {'ms':<4} {share:>7.1%} of a core while sliding")
        lines.append(f"{'  waiting for a CPU meanwhile':<34} {m(runs, 'cpu_wait_ms', key):>9.1f} "
                     f"{'':>9} ms")
    lines.append("")
    lines.append(f"targets met: {sum(verdicts)} of {len(verdicts)}")
    return lines


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="the quiravel executable")
    parser.add_argument("--floor", required=True, help="the floor (baseline) executable")
    parser.add_argument("--reps", type=int, default=10, help="recorded runs of each (default 10)")
    parser.add_argument("--warmup", type=int, default=1,
                        help="unrecorded runs of each first (default 1)")
    parser.add_argument("--idle-seconds", type=float, default=5.0,
                        help="how long idle wake-ups are counted (default 5)")
    parser.add_argument("--settle", type=float, default=1.0,
                        help="quiet time before the memory and idle samples (default 1)")
    parser.add_argument("--quiet", type=float, default=11.0,
                        help="seconds after the last input before the idle count; the text "
                        "cursor holds still 10 s after it (default 11)")
    parser.add_argument("--starts", type=int, default=3,
                        help="start-only runs of each program per round, in turn (default 3)")
    parser.add_argument("--cycles", type=int, default=1000,
                        help="open-score-close cycles in the run that measures what they leave "
                        "behind (default 1000)")
    parser.add_argument("--cycles-base", type=int, default=50,
                        help="cycles before the RSS that the growth counts from (default 50)")
    parser.add_argument("--json", help="also write every run's numbers to this file")
    args = parser.parse_args(argv)
    if args.reps < 1:
        parser.error("--reps must be at least 1")
    if args.starts < 1:
        parser.error("--starts must be at least 1")
    if not 1 <= args.cycles_base < args.cycles:
        parser.error("--cycles-base must be at least 1 and less than --cycles")

    try:
        screen = Screen()
    except Failure as error:
        print(f"measure: {error}", file=sys.stderr)
        return 1
    print(f"display {os.environ.get('DISPLAY')}, {screen.width}x{screen.height}, no window "
          f"manager; machine: {machine()}; load average {load_average()}", flush=True)
    floor_runs, reference_runs, runs = [], [], []
    starts = {name: [] for name in START_PROGRAMS}
    start_argv = {"floor": [args.floor], "menu_fonts": [args.floor, "--with-menu-fonts"],
                  "quiravel": [args.program]}
    try:
        for i in range(args.warmup + args.reps):
            recorded = i >= args.warmup
            f = run_floor(screen, [args.floor], args.settle, args.idle_seconds)
            q = run_quiravel(screen, [args.program], args.settle, args.idle_seconds, args.quiet)
            r = run_reference(screen, [args.floor, "--with-answer-list"], args.settle,
                              args.idle_seconds)
            round_starts = {name: [] for name in START_PROGRAMS}
            # The turns come after an idle spell (the reference's idle count), and a start after
            # one is slower; a first start, not recorded, takes that, so every recorded start
            # follows another program's short run.
            run_start(screen, start_argv[start_order(i * args.starts)[-1]])
            for turn in range(i * args.starts, (i + 1) * args.starts):
                for name in start_order(turn):
                    round_starts[name].append(run_start(screen, start_argv[name]))
            label = f"run {i - args.warmup + 1}/{args.reps}" if recorded else "warm-up"
            print(f"{label}: floor / quiravel: start {f['start_ms']:.1f} / {q['start_ms']:.1f} "
                  f"ms, RSS {f['rss_start_mib']:.1f} / {q['rss_start_mib']:.1f} MiB (all open "
                  f"{q['rss_all_mib']:.1f}), idle {f['idle_wakeups']:.2f} / "
                  f"{q['idle_wakeups']:.2f} /s (blinking {q['idle_wakeups_blinking']:.2f}, "
                  f"floor with a list {r['idle_wakeups']:.2f}); slides "
                  f"{q['form2']['seconds']:.3f} / {q['welcome']['seconds']:.3f} s; starts "
                  f"(medians) floor / in the menu's fonts / quiravel "
                  + " / ".join(f"{median([one['start_ms'] for one in round_starts[name]]):.1f}"
                               for name in START_PROGRAMS) + " ms", flush=True)
            if recorded:
                floor_runs.append(f)
                runs.append(q)
                reference_runs.append(r)
                for name in START_PROGRAMS:
                    starts[name] += round_starts[name]
        cycles = run_cycles(screen, [args.program], args.cycles_base, args.cycles, args.settle)
        print(f"cycles: RSS after {cycles['base']} / {cycles['count']}: "
              f"{cycles['rss_base_mib']:.2f} / {cycles['rss_mib']:.2f} MiB; "
              f"{cycles['cycle_ms']:.1f} ms per cycle", flush=True)
    except Failure as error:
        print(f"measure: {error}", file=sys.stderr)
        return 1
    print()
    print(f"{time.strftime('%Y-%m-%d %H:%M %Z')}: {args.reps} runs of each, alternating, and "
          f"{args.reps * args.starts} start-only runs of each, in turn; idle wake-ups counted "
          f"over {args.idle_seconds:g} s; load average now {load_average()}")
    for line in report(floor_runs, reference_runs, runs, starts, cycles):
        print(line)
    if args.json:
        with open(args.json, "w") as out:
            json.dump({"date": time.strftime("%Y-%m-%d %H:%M %Z"), "machine": machine(),
                       "load_average_after": load_average(),
                       "floor": floor_runs, "floor_with_answer_list": reference_runs,
                       "starts": starts,
                       "quiravel": runs, "cycles": cycles}, out, indent=1)
    return 0


if __name__ == "__main__":
    sys.exit(main())
