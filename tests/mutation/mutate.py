#!/usr/bin/env python3
"""Mutation check: how many small faults in the program do the offscreen and engine tests catch?

Applies a fixed list of single small faults to the production code, one at a time. For each it
builds the test programs incrementally in a build folder of its own, runs the engine tests and
the offscreen tests (stopping at the first failure), puts the file back exactly as it was, and
records the outcome:

  caught         a test failed (or timed out)
  not caught     every test passed with the fault in place
  did not build  the faulty code does not compile (a compiler catch, not a test's)
  did not apply  the snippet is no longer in the file exactly once (the code has moved on)

The share caught counts the faults that applied and built. Not part of CI; run it by hand:

  tests/mutation/mutate.py                 # every fault
  tests/mutation/mutate.py --only 3 17     # some of them
  tests/mutation/mutate.py --list          # the list, and whether each still applies

The tree is restored after every fault, also on an error or an interrupt, and checked against
`git status` at the end.
"""

from __future__ import annotations

import argparse
import json
import os
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


@dataclass(frozen=True)
class Mutant:
    area: str
    what: str
    file: str
    snippet: str
    replacement: str


# A fixed list: each fault is one small change a developer could make by mistake.
MUTANTS = [
    # --- engine ---
    Mutant("engine", "a total of 0 is not given the first band (<= turned into <)",
           "engine/screening.cpp",
           "if (total <= 0.0F) {", "if (total < 0.0F) {"),
    Mutant("engine", "an inner band's lower bound excluded (<= turned into <)",
           "engine/screening.cpp",
           "static_cast<float>(band.low) <= total", "static_cast<float>(band.low) < total"),
    Mutant("engine", "an untouched answer list counts as Yes",
           "engine/screening.cpp",
           "return answer == AnswerState::Yes ? 1 : 0;",
           "return answer != AnswerState::No ? 1 : 0;"),
    Mutant("engine", "list index 1 read as No",
           "engine/screening.cpp",
           "case 1:\n      return AnswerState::Yes;", "case 1:\n      return AnswerState::No;"),
    Mutant("engine", "the About texts' rule one dash short",
           "engine/screening.cpp",
           '"------------------------------------------------------"',
           '"-----------------------------------------------------"'),
    Mutant("engine", "the About texts' author line loses its trailing blank",
           "engine/screening.cpp",
           '"Programming by : Tesmarin "', '"Programming by : Tesmarin"'),
    Mutant("engine", "the score line in scientific notation",
           "engine/screening.cpp",
           "std::chars_format::general", "std::chars_format::scientific"),
    Mutant("engine", "too many answers accepted (!= turned into <)",
           "engine/screening.cpp",
           "if (answers.size() != test.items.size()) {",
           "if (answers.size() < test.items.size()) {"),
    Mutant("engine", "multi-line texts joined with LF instead of CR LF",
           "engine/screening.cpp",
           "      text += kCrLf;", '      text += "\\n";'),
    # --- frame ---
    Mutant("frame", "twips to pixels truncates instead of rounding",
           "ui/frame/units.cpp",
           "return static_cast<int>(std::lround(twips * logicalDpi() / kTwipsPerInch));",
           "return static_cast<int>(twips * logicalDpi() / kTwipsPerInch);"),
    Mutant("frame", "colours: red read from the blue byte",
           "ui/frame/units.h",
           "return qRgb(static_cast<int>(value & 0xFFu),",
           "return qRgb(static_cast<int>((value >> 16) & 0xFFu),"),
    Mutant("frame", "a centred window placed a third of the way down",
           "ui/frame/form_window.cpp",
           "(screenHeightTwips() - heightTwips()) / 2", "(screenHeightTwips() - heightTwips()) / 3"),
    Mutant("frame", "centred labels aligned left",
           "ui/frame/layout.cpp",
           "spec.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft",
           "spec.align == Align::Centre ? Qt::AlignLeft : Qt::AlignHCenter"),
    Mutant("frame", "controls stacked back to front",
           "ui/frame/layout.cpp",
           "for (auto it = std::rbegin(controls); it != std::rend(controls); ++it) {",
           "for (auto it = std::begin(controls); it != std::end(controls); ++it) {"),
    Mutant("frame", "a release off the label still clicks",
           "ui/frame/label.cpp",
           "if (rect().contains(event->position().toPoint()))", "if (true)"),
    Mutant("frame", "an accessible press loses its mouseDown signal",
           "ui/frame/label.cpp",
           "  const QPointer<Label> self(this);\n  Q_EMIT mouseDown(kLeftButton);\n",
           "  const QPointer<Label> self(this);\n"),
    Mutant("frame", "the right button reported as the middle one",
           "ui/frame/label.cpp",
           "mask |= kRightButton;", "mask |= kMiddleButton;"),
    Mutant("frame", "key preview lost: the window never sees a key",
           "ui/frame/form_window.cpp",
           "    formKeyDown(key->key(), key->modifiers());\n", "    static_cast<void>(key);\n"),
    Mutant("frame", "a double click with the right button closes a corner window",
           "ui/frame/form_window.cpp",
           "if (event->button() == Qt::LeftButton)\n    formDblClick();",
           "if (event->button() == Qt::RightButton)\n    formDblClick();"),
    Mutant("frame", "a new answer list starts with its first entry selected",
           "ui/frame/drop_down_list.cpp",
           "  setCurrentIndex(-1);\n  setEditText(text);", "  setCurrentIndex(0);\n  setEditText(text);"),
    Mutant("frame", "the selection no longer follows the field's text",
           "ui/frame/drop_down_list.cpp",
           "  connect(lineEdit(), &QLineEdit::textChanged, this, &DropDownList::followText);\n", ""),
    Mutant("frame", "foreground colour steps paint the background",
           "ui/frame/colour_scheme.h",
           "(controls.*step.label)->setForeColor(step.colour);",
           "(controls.*step.label)->setBackColor(step.colour);"),
    Mutant("frame", "the About box's icon is the information icon",
           "ui/frame/about_box.cpp",
           "QMessageBox box(QMessageBox::Question,", "QMessageBox box(QMessageBox::Information,"),
    Mutant("frame", "the application title with a trailing blank",
           "ui/frame/about_box.cpp",
           'return QStringLiteral("Quiravel");', 'return QStringLiteral("Quiravel ");'),
    Mutant("frame", "a label's accessible name ignores its caption",
           "ui/frame/accessibility.cpp",
           "return name.isEmpty() ? label()->caption() : name;", "return name;"),
    Mutant("frame", "a question no longer labels its answer list for a screen reader",
           "ui/frame/accessibility.cpp",
           "        related.emplace_back(buddy, QAccessible::Labelled);\n",
           "        static_cast<void>(buddy);\n"),
    Mutant("frame", "a notification window reported as a plain window",
           "ui/frame/accessibility.cpp",
           "isNotification(*form()) ? QAccessible::Notification : QAccessible::Window",
           "isNotification(*form()) ? QAccessible::Window : QAccessible::Window"),
    # --- windows ---
    Mutant("windows", "the slide-up step one twip too long",
           "ui/windows/corner_motion.h",
           "static constexpr int kStep = 50;", "static constexpr int kStep = 51;"),
    Mutant("windows", "the parking check off by one (> turned into >=)",
           "ui/windows/corner_motion.cpp",
           "if (threshold > geometry_.windowTop())", "if (threshold >= geometry_.windowTop())"),
    Mutant("windows", "a late parking check is no longer caught up before a step",
           "ui/windows/corner_motion.cpp",
           "  if (checkOwed_)\n    check();\n", ""),
    Mutant("windows", "a corner window placed 100 twips left of its place",
           "ui/windows/corner_motion.cpp",
           "geometry_.screenWidth() - geometry_.windowWidth() - kRightGap",
           "geometry_.screenWidth() - geometry_.windowWidth() - 2 * kRightGap"),
    Mutant("windows", "the parking-check timer never starts",
           "ui/windows/corner_window.cpp",
           "  timer1_->start();\n  timer2_->start();\n", "  timer1_->start();\n"),
    Mutant("windows", "the parking-check timer keeps running once parked",
           "ui/windows/corner_window.cpp",
           "  timer1_->stop();\n  timer2_->stop();\n", "  timer1_->stop();\n"),
    Mutant("windows", "the menu's rest colours set in another order",
           "ui/windows/main_menu_window.cpp",
           "backColour(&C::label1, kWhite),       foreColour(&C::label2, kPurple),",
           "foreColour(&C::label2, kPurple),      backColour(&C::label1, kWhite),"),
    Mutant("windows", "the menu's second outline in purple",
           "ui/windows/main_menu_window.cpp",
           '{"Shape2", 1267, 2040, 4680, 405, kLightBlue, 2}',
           '{"Shape2", 1267, 2040, 4680, 405, kPurple, 2}'),
    Mutant("windows", "the menu's About text loses the dot of its version",
           "ui/windows/main_menu_window.cpp",
           'QStringLiteral("Quiravel v.1.0"),', 'QStringLiteral("Quiravel v1.0"),'),
    Mutant("windows", "the menu's anxiety entry loses its click",
           "ui/windows/main_menu_window.cpp",
           "  connect(label2, &frame::Label::click, this, &MainMenuWindow::anxietyChosen);\n", ""),
    # The drag of the menu and the questionnaires lives in the frame: the fault now hits both.
    Mutant("windows", "the menu drags with the left button and any other",
           "ui/frame/window_drag.cpp",
           "int button) {\n  if (button == kLeftButton)",
           "int button) {\n  if (button & kLeftButton)"),
    Mutant("frame", "a drag loses the pointer's first movement",
           "ui/frame/window_drag.cpp",
           "PointerFollower follower(window, pressed ? *pressed : pointer);",
           "PointerFollower follower(window, pointer);"),
    Mutant("windows", "the questionnaire's keypad Enter no longer scores",
           "ui/windows/questionnaire_window.cpp",
           "if (key != Qt::Key_Return && key != Qt::Key_Enter)", "if (key != Qt::Key_Return)"),
    Mutant("windows", "an edit of an answer field is no longer refused",
           "ui/frame/drop_down_list.cpp",
           "    Q_EMIT list_->change();\n    return Invalid;", "    Q_EMIT list_->change();\n    return Acceptable;"),
    Mutant("windows", "Tab walks the answer lists backwards",
           "ui/windows/questionnaire_window.cpp",
           "return design.rows[a].comboTabIndex < design.rows[b].comboTabIndex;",
           "return design.rows[a].comboTabIndex > design.rows[b].comboTabIndex;"),
    Mutant("windows", "an answer list loses its accessible name",
           "ui/windows/questionnaire_window.cpp",
           "  combo->setAccessibleName(question->caption());\n", ""),
    Mutant("windows", "a press on \"Score Your Test\" no longer shows the result window",
           "ui/windows/questionnaire_window.cpp",
           "  Q_EMIT scorePressed();\n", ""),
    Mutant("windows", "the score label's hover outline stays light blue",
           "ui/windows/questionnaire_window.cpp",
           "borderColour(&C::shape1, kWhite),", "borderColour(&C::shape1, kLightBlue),"),
    Mutant("windows", "the score label stacked in front of its outline",
           "ui/windows/questionnaire_window.cpp",
           "{cmdX, about, title, shape1, label1}", "{cmdX, about, title, label1, shape1}"),
    Mutant("windows", "the depression questionnaire opens 15 twips lower",
           "ui/windows/questionnaire_designs.cpp",
           "    .startTop = 0,\n    .scoreLeft = 2587,", "    .startTop = 15,\n    .scoreLeft = 2587,"),
    Mutant("windows", "the result's caption and advice written into each other's labels",
           "ui/windows/result_window.cpp",
           "label2_->setCaption(QString::fromStdString(result.caption));\n"
           "  label3_->setCaption(QString::fromStdString(result.advice));",
           "label2_->setCaption(QString::fromStdString(result.advice));\n"
           "  label3_->setCaption(QString::fromStdString(result.caption));"),
    Mutant("windows", "the result is not read out when written",
           "ui/windows/result_window.cpp",
           "  frame::announce(this);\n", ""),
    Mutant("windows", "the score line in light red",
           "ui/windows/result_window.cpp",
           "                                   .fore = kOrange,",
           "                                   .fore = kLightRed,"),
    Mutant("windows", "the disclaimer text loses a trailing blank",
           "ui/windows/disclaimer_window.cpp",
           'depression/Anxiety .  "', 'depression/Anxiety . "'),
    # --- app ---
    Mutant("app", "scoring no longer hides the disclaimer",
           "app/app_shell.cpp",
           "    welcome_.hide();\n", ""),
    Mutant("app", "a questionnaire's \"X\" leaves the result window open",
           "app/app_shell.cpp",
           "    self.unload();\n    form2_.unload();\n", "    self.unload();\n"),
    Mutant("app", "closing the menu by the window system no longer ends the program",
           "app/app_shell.cpp",
           "  connect(menu.get(), &FormWindow::systemCloseRequested, this, &AppShell::endProgram);\n",
           ""),
    Mutant("app", "the program's end leaves the timers running",
           "ui/frame/form_window.cpp",
           "  for (QTimer* timer : findChildren<QTimer*>())\n    timer->stop();\n", ""),
    Mutant("app", "an open disclaimer is not read out again for a second questionnaire",
           "app/app_shell.cpp",
           "    if (onScreen)\n      frame::announce(welcome_.window());\n",
           "    static_cast<void>(onScreen);\n"),
]

CAUGHT, MISSED, NO_BUILD, NO_APPLY = "caught", "not caught", "did not build", "did not apply"


class Interrupted(Exception):
    pass


def on_signal(signum, _frame):
    raise Interrupted(f"signal {signum}")


def run(cmd, cwd=ROOT, timeout=None, log=None):
    """Runs `cmd`; returns its exit code (124 on a timeout). Output goes to `log`."""
    proc = subprocess.Popen(cmd, cwd=cwd, stdout=log or subprocess.DEVNULL,
                            stderr=subprocess.STDOUT, start_new_session=True)
    try:
        return proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        return 124
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise


def configure(build: Path, log) -> None:
    if (build / "build.ninja").exists():
        return
    code = run(["cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
                "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-g0", "-DQUIRAVEL_TESTS=ON",
                "-DQUIRAVEL_WERROR=ON",
                "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"], log=log)
    if code != 0:
        sys.exit(f"configure failed, see {log.name}")


def offscreen_targets(build: Path) -> list[str]:
    """The engine tests and the Qt Test programs of the offscreen tests, by target name."""
    out = subprocess.run(["ninja", "-C", str(build), "-t", "targets", "all"],
                         capture_output=True, text=True, check=True).stdout
    targets = {"engine_tests"}
    for line in out.splitlines():
        name, _, kind = line.partition(": ")
        if kind == "phony" and re.fullmatch(r"(frame|windows|app)_tst_[a-z_]+", name) \
                and not name.endswith(("_autogen", "_deps")):
            targets.add(name)
    return sorted(targets)


class Suite:
    def __init__(self, build: Path, jobs: int, timeout: int, log):
        self.build, self.jobs, self.timeout, self.log = build, jobs, timeout, log
        self.targets = offscreen_targets(build)

    def compile(self) -> bool:
        return run(["nice", "-n", "10", "cmake", "--build", str(self.build), "-j", str(self.jobs),
                    "--target", *self.targets], log=self.log) == 0

    def passes(self) -> bool:
        engine = self.build / "tests" / "engine" / "engine_tests"
        if run([str(engine), "--gtest_brief=1"], timeout=self.timeout, log=self.log) != 0:
            return False
        return run(["ctest", "-L", "offscreen", "-j", str(self.jobs), "--stop-on-failure",
                    "--timeout", str(self.timeout), "--output-on-failure"], cwd=self.build,
                   log=self.log) == 0


def applies(m: Mutant) -> bool:
    return (ROOT / m.file).read_text().count(m.snippet) == 1


def try_mutant(m: Mutant, suite: Suite) -> str:
    path = ROOT / m.file
    original = path.read_bytes()
    text = original.decode()
    if text.count(m.snippet) != 1:
        return NO_APPLY
    try:
        path.write_text(text.replace(m.snippet, m.replacement, 1))
        if not suite.compile():
            return NO_BUILD
        return MISSED if suite.passes() else CAUGHT
    finally:
        path.write_bytes(original)


def tree_state() -> str:
    return subprocess.run(["git", "status", "--porcelain", "--untracked-files=no"], cwd=ROOT,
                          capture_output=True, text=True, check=True).stdout + \
        subprocess.run(["git", "diff"], cwd=ROOT, capture_output=True, text=True,
                       check=True).stdout


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=str(ROOT / "build-mutation"),
                        help="build folder (configured Debug without debug information, with "
                        "ccache, if missing)")
    parser.add_argument("--only", type=int, nargs="+", help="fault numbers to try (from 1)")
    parser.add_argument("--list", action="store_true", help="list the faults and stop")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=120, help="seconds per test")
    parser.add_argument("--markdown", help="also write the results as a Markdown table here")
    args = parser.parse_args()

    if args.list:
        for number, m in enumerate(MUTANTS, 1):
            state = "" if applies(m) else f"  [{NO_APPLY}]"
            print(f"{number:3} {m.area:8} {m.file}: {m.what}{state}")
        return 0

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGINT, on_signal)
    build = Path(args.build).resolve()
    build.mkdir(parents=True, exist_ok=True)
    before = tree_state()
    chosen = [(n, m) for n, m in enumerate(MUTANTS, 1) if not args.only or n in args.only]
    results: list[tuple[int, Mutant, str, float]] = []
    with open(build / "mutation.log", "w") as log:
        configure(build, log)
        suite = Suite(build, args.jobs, args.timeout, log)
        print("building and checking the unchanged code ...", flush=True)
        if not suite.compile() or not suite.passes():
            sys.exit(f"the unchanged code does not build or pass; see {log.name}")
        try:
            for number, m in chosen:
                start = time.monotonic()
                print(f"[{number:2}/{len(MUTANTS)}] {m.file}: {m.what} ... ", end="", flush=True)
                log.write(f"\n===== fault {number}: {m.what}\n")
                log.flush()
                outcome = try_mutant(m, suite)
                seconds = time.monotonic() - start
                print(f"{outcome} ({seconds:.0f} s)", flush=True)
                results.append((number, m, outcome, seconds))
        except Interrupted as stop:
            print(f"\nstopped by {stop}; the file in hand has been put back", flush=True)
        # The restored sources must build again, so that the folder is left as it was found.
        suite.compile()

    counted = [r for r in results if r[2] in (CAUGHT, MISSED)]
    caught = sum(1 for r in counted if r[2] == CAUGHT)
    rows = ["| # | area | fault | file | outcome |", "| --- | --- | --- | --- | --- |"]
    rows += [f"| {n} | {m.area} | {m.what} | {m.file} | {o} |" for n, m, o, _ in results]
    print("\n" + "\n".join(rows))
    tally = {o: sum(1 for r in results if r[2] == o) for o in (CAUGHT, MISSED, NO_BUILD, NO_APPLY)}
    print("\n" + ", ".join(f"{v} {k}" for k, v in tally.items()))
    if counted:
        print(f"share caught: {caught}/{len(counted)} = {100.0 * caught / len(counted):.0f} %")
    if args.markdown:
        Path(args.markdown).write_text("\n".join(rows) + "\n")

    if tree_state() != before:
        print("ERROR: the tree differs from before the run (see git status / git diff)")
        return 2
    print("tree restored: git status and git diff as before the run")
    return 0


if __name__ == "__main__":
    sys.exit(main())
