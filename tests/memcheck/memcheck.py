#!/usr/bin/env python3
"""Runs a program under valgrind's memcheck and judges what memcheck found.

    memcheck.py --valgrind VALGRIND --source-dir DIR -- PROGRAM [ARGUMENT...]

Fails (exit status 1) when
  - the program itself fails;
  - memcheck finds an invalid read or write, an invalid or mismatched free, a jump to an
    invalid address, overlapping memory copied or a fishy size, wherever that happens;
  - memcheck finds an uninitialised value used, or passed to a system call, by the project's
    own code;
  - a block is definitely lost that the project's own code allocated.

Project code is code built into PROGRAM from DIR (the program and the libraries of this
repository linked into it), `main` aside: the test runner's `main` only starts the toolkit.
A leak or uninitialised value counts as the project's when a project frame lies among the
first few frames of its stack above the allocator: deeper than that, the toolkit has long
taken over (its own caches and one-time set-ups, which it keeps to the end on purpose).
"""

import argparse
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

# Memory errors that are faults wherever they happen.
ALWAYS = {
    "InvalidRead",
    "InvalidWrite",
    "InvalidFree",
    "MismatchedFree",
    "InvalidJump",
    "Overlap",
    "FishyValue",
    "InvalidMemPool",
}
# Faults when they happen in the project's own code.
IN_PROJECT = {
    "UninitCondition",
    "UninitValue",
    "SyscallParam",
    "Leak_DefinitelyLost",
}
# How many frames above the allocator (or the faulting instruction) are looked at.
NEAR = 6
ALLOCATORS = {
    "malloc",
    "calloc",
    "realloc",
    "memalign",
    "posix_memalign",
    "aligned_alloc",
    "strdup",
    "strndup",
}


class Frame:
    def __init__(self, element):
        self.fn = element.findtext("fn") or "???"
        self.obj = element.findtext("obj") or ""
        self.dir = element.findtext("dir") or ""
        self.file = element.findtext("file") or ""
        self.line = element.findtext("line") or ""

    def path(self):
        return os.path.join(self.dir, self.file) if self.file else ""

    def is_allocator(self):
        return (
            "vgpreload" in os.path.basename(self.obj)
            or self.fn in ALLOCATORS
            or self.fn.startswith("operator new")
        )

    def __str__(self):
        where = f"{self.path()}:{self.line}" if self.file else self.obj
        return f"{self.fn} ({where})"


def is_project(frame, program, source_dir):
    if frame.fn == "main":
        return False
    if frame.obj and os.path.realpath(frame.obj) == program:
        return True
    path = frame.path()
    return bool(path) and os.path.realpath(path).startswith(source_dir + os.sep)


def near_frames(frames):
    frames = list(frames)
    while frames and frames[0].is_allocator():
        frames.pop(0)
    return frames[:NEAR]


def judge(xml_file, program, source_dir):
    """Returns (faults, ignored): descriptions of the errors that count and the number of
    those that do not."""
    faults = []
    ignored = 0
    root = ElementTree.parse(xml_file).getroot()
    for error in root.iter("error"):
        kind = error.findtext("kind") or ""
        stack = error.find("stack")
        frames = [Frame(f) for f in stack.iter("frame")] if stack is not None else []
        what = error.findtext("what") or error.findtext("xwhat/text") or kind
        if kind in ALWAYS:
            counts = True
        elif kind in IN_PROJECT:
            counts = any(is_project(f, program, source_dir) for f in near_frames(frames))
        else:
            counts = False
        if counts:
            lines = [f"{kind}: {what}"] + [f"    at {f}" for f in frames[:12]]
            faults.append("\n".join(lines))
        else:
            ignored += 1
    return faults, ignored


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--valgrind", default="valgrind")
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        parser.error("no program to run")
    program = os.path.realpath(command[0])
    source_dir = os.path.realpath(args.source_dir)

    with tempfile.TemporaryDirectory(prefix="quiravel-memcheck-") as scratch:
        xml_file = os.path.join(scratch, "memcheck.xml")
        status = subprocess.call(
            [
                args.valgrind,
                "--tool=memcheck",
                "--leak-check=full",
                "--show-leak-kinds=definite",
                "--errors-for-leak-kinds=definite",
                "--num-callers=40",
                "--child-silent-after-fork=yes",
                "--xml=yes",
                f"--xml-file={xml_file}",
            ]
            + command
        )
        try:
            faults, ignored = judge(xml_file, program, source_dir)
        except (OSError, ElementTree.ParseError) as failure:
            print(f"memcheck: no report from valgrind ({failure})", file=sys.stderr)
            return 1

    for fault in faults:
        print(f"memcheck: {fault}", file=sys.stderr)
    print(
        f"memcheck: {len(faults)} fault(s) of the program; {ignored} report(s) from the "
        f"libraries' own code set aside; the program's exit status {status}",
        file=sys.stderr,
    )
    return 0 if status == 0 and not faults else 1


if __name__ == "__main__":
    sys.exit(main())
