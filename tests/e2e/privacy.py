#!/usr/bin/python3
"""The program keeps nothing: a whole session (both tests taken and scored, every window
opened and closed, the menu's "X") under strace, in a session bus of its own and with a fresh,
empty home, must open no network socket and create or write no file.

    privacy.py --app PROGRAM --artifacts DIR [--probe LIBRARY]

With --probe, the kernel's rules instead: run as an ordinary user, with the probe LIBRARY loaded
into it, the program is refused sockets and file writes; a SIGSEGV leaves no core file. A
display reached over TCP is refused in the program's own words before any window.

Run it on a display that has a window manager (see tests/xvfb/with-display.sh --wm). The
system-call log stays in DIR.
"""

import argparse
import ctypes
import glob
import os
import pwd
import re
import resource
import shutil
import signal
import socket
import subprocess
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import scenarios  # noqa: E402
import syscall_log  # noqa: E402
from quiravel_support.checks import check, wait_until  # noqa: E402
from quiravel_support.facts import facts  # noqa: E402
from quiravel_support.geometry import DEPRESSION  # noqa: E402
from quiravel_support.process import ScratchDir, private_environment  # noqa: E402

# The probe's tries and the kernel's answers, by the least Landlock ABI that refuses each one
# (0: the seccomp filter alone).
REFUSALS = [(0, "AF_INET TCP socket", "EAFNOSUPPORT"), (0, "AF_INET6 UDP socket", "EAFNOSUPPORT"),
            (0, "AF_UNIX socket", "allowed"), (0, "io_uring", "ENOSYS"),
            (1, "file created in /tmp", "EACCES"), (1, "file created in HOME", "EACCES"),
            (1, "existing file opened for writing", "EACCES"),
            (4, "TCP connect to 127.0.0.1", "EACCES")]
# Displays reached over TCP, whose socket the rules refuse: the program says so in its own words
# and ends before any window.
TCP_DISPLAYS = ["localhost:{}", "127.0.0.1:{}.0"]
TCP_REFUSAL = facts()["refusals"]["tcp_display"] + "\n"


def kernel_rules(app, artifacts, probe):
    # An ordinary user (nobody, when this is root: dumpability does not stop root) whose core
    # limit allows dumps. The program is the test's own child, with no session bus.
    root = os.getuid() == 0
    user = pwd.getpwnam("nobody") if root else pwd.getpwuid(os.getuid())
    as_user = ["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}",
               "--clear-groups", "--"] if root else []
    core = "unlimited" if root else resource.getrlimit(resource.RLIMIT_CORE)[1]
    abi = max(0, ctypes.CDLL(None).syscall(444, None, 0, 1))  # landlock_create_ruleset
    listener = socket.create_server(("127.0.0.1", 0))
    env = {}

    def launch(scratch):
        env.update(private_environment(scratch), DBUS_SESSION_BUS_ADDRESS="unix:path=/dev/null",
                   QUIRAVEL_PROBE_PORT=str(listener.getsockname()[1]))
        open(os.path.join(env["HOME"], "existing"), "w").close()
        subprocess.run(["chown", "-R", f"{user.pw_uid}:{user.pw_gid}", scratch], check=True)
        wrapper = ["prlimit", f"--core={core}:{core}"] + as_user + ["env", f"LD_PRELOAD={probe}"]
        return wrapper, env, env["HOME"]

    def reads(pid):
        return subprocess.run(as_user + ["cat", f"/proc/{pid}/environ"],
                              capture_output=True).returncode == 0

    def steps(s):
        number = os.environ["DISPLAY"].lstrip(":").split(".")[0]
        for display in (form.format(number) for form in TCP_DISPLAYS):
            ended = subprocess.run([app], env=dict(os.environ, DISPLAY=display),
                                   capture_output=True, text=True, timeout=scenarios.EXIT)
            check((ended.returncode, ended.stderr) == (1, TCP_REFUSAL.format(display)),
                  f"DISPLAY={display}: status {ended.returncode}, said {ended.stderr!r}")
        s.start()
        q = s.open_test(DEPRESSION)
        s.answer(DEPRESSION, q, 0, choose_yes=True)
        pid = s.program.pid()
        with open(f"/proc/{pid}/limits") as f:
            check(re.search(r"^Max core file size +0 +0 ", f.read(), re.M), "core limit not 0")
        check(reads("self") and not reads(pid), "another process of the user reads its /proc")
        os.kill(pid, signal.SIGUSR1)
        out = wait_until("the probe", lambda: "probe: done" in s.program.output()
                         and s.program.output(), scenarios.SHOW)
        seen = dict(re.findall(r"^probe: (.+?): (.*)$", out, re.M))
        print(f"Landlock ABI {abi}; the probe saw {seen}")
        for least, what, expected in REFUSALS:
            if abi < least:
                print(f"SKIP {what}: needs Landlock ABI {least}, this kernel has {abi}")
            else:
                check(seen[what] == expected, f"{what}: {seen[what]}, expected {expected}")
        s.answer(DEPRESSION, q, 1, choose_yes=True)
        os.kill(pid, signal.SIGSEGV)
        end = wait_until("the crash", lambda: os.waitid(
            os.P_PID, pid, os.WEXITED | os.WNOHANG | os.WNOWAIT), scenarios.EXIT)
        if core == 0:
            return print("SKIP no core file: this user's core limit allows no dump at all")
        check(end.si_code == os.CLD_KILLED and end.si_status == signal.SIGSEGV
              and not glob.glob(os.path.join(env["HOME"], "core*")),
              f"the SIGSEGV: {end} (si_code {os.CLD_DUMPED}: a core dump)")

    # The build tree may lie where that user cannot reach it (a checkout under /root): the
    # program and the probe run from copies in a folder that anyone may read.
    reachable = ScratchDir("quiravel-kernel-rules.")
    try:
        os.chmod(reachable.path, 0o755)
        app, probe = (shutil.copy2(path, reachable.path) for path in (app, probe))
        scenarios.SCENARIOS["kernel_rules"] = steps
        return 0 if scenarios.run("kernel_rules", app, artifacts, launch=launch) else 1
    finally:
        reachable.remove()


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--app", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--probe", help="the probe library; checks the kernel's rules")
    args = parser.parse_args()

    os.makedirs(args.artifacts, exist_ok=True)
    if args.probe:
        return kernel_rules(args.app, args.artifacts, args.probe)
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
