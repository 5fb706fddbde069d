#!/usr/bin/python3
"""The program keeps nothing: a whole session (both tests taken and scored, every window
opened and closed, the menu's "X") under strace, in a session bus of its own and with a fresh,
empty home, must open no network socket and create or write no file.

    privacy.py --app PROGRAM --artifacts DIR

Run it on a display that has a window manager (see tests/xvfb/with-display.sh --wm). The
system-call log stays in DIR.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import scenarios  # noqa: E402
import syscall_log  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--app", required=True)
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()

    os.makedirs(args.artifacts, exist_ok=True)
    log = os.path.join(args.artifacts, "privacy.strace.txt")
    if os.path.exists(log):
        os.remove(log)
    if not scenarios.run("whole_session", args.app, args.artifacts, trace_log=log):
        print("FAIL privacy: the session itself did not go through")
        return 1

    with open(log, encoding="utf-8", errors="replace") as f:
        lines = f.readlines()
    traced = sum(1 for _ in syscall_log.calls(lines))
    # A log that saw nothing proves nothing.
    if traced < 100 or not any(c.name in syscall_log.OPEN_CALLS
                               for c in syscall_log.calls(lines)):
        print(f"FAIL privacy: the system-call log {log} holds only {traced} calls")
        return 1
    families = syscall_log.sockets(lines)
    print(f"{traced} calls traced; sockets opened: "
          + (", ".join(f"{n} x {family}" for family, n in sorted(families.items())) or "none"))

    found = syscall_log.violations(lines)
    for reason, line in found:
        print(f"  {reason}\n      {line}")
    if found:
        print(f"FAIL privacy: {len(found)} calls break the promise (log: {log})")
        return 1
    print("PASS privacy: no network socket, no file created or written")
    return 0


if __name__ == "__main__":
    sys.exit(main())
