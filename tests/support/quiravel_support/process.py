"""Starting the program under test in a private environment, finding it again, seeing
whether it has taken in its input, ending it."""

import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time


def private_environment(base):
    """An environment whose home and XDG directories are fresh and empty, under `base`, so
    that a run depends on nothing in the real home and leaves nothing there."""
    env = dict(os.environ)
    home = os.path.join(base, "home")
    runtime = os.path.join(base, "runtime")
    os.makedirs(home)
    os.makedirs(runtime, mode=0o700)
    env.update(
        HOME=home,
        XDG_RUNTIME_DIR=runtime,
        XDG_CONFIG_HOME=os.path.join(home, ".config"),
        XDG_CACHE_HOME=os.path.join(home, ".cache"),
        XDG_DATA_HOME=os.path.join(home, ".local", "share"),
        XDG_STATE_HOME=os.path.join(home, ".local", "state"),
    )
    # A desktop session sets these; a leftover from the caller's would point elsewhere.
    for name in ("DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER", "WAYLAND_DISPLAY"):
        env.pop(name, None)
    env["QT_QPA_PLATFORM"] = "xcb"
    return env


def _stat_fields(path):
    """The fields of a /proc stat file after the command name (state, parent, ...); None if
    the process or thread has gone."""
    try:
        with open(path) as f:
            stat = f.read()
    except OSError:
        return None
    return stat[stat.rindex(")") + 2:].split()


def _children(pid):
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as f:
            return [int(p) for p in f.read().split()]
    except FileNotFoundError:
        pass
    # Kernels without that file: look for processes whose parent it is.
    children = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        fields = _stat_fields(f"/proc/{entry}/stat")
        if fields is not None and int(fields[1]) == pid:
            children.append(int(entry))
    return children


def end_process(process, grace, group=True):
    """Ends a process started with `subprocess.Popen`: SIGTERM, `grace` seconds to end, then
    SIGKILL. With `group` (a process started with start_new_session=True) both signals go to
    its whole process group, and the SIGKILL goes even when it ended by itself: a daemon it
    started may not have."""

    def send(sig):
        try:
            if group:
                os.killpg(process.pid, sig)
            else:
                process.send_signal(sig)
        except ProcessLookupError:
            pass

    if process.poll() is None:
        send(signal.SIGTERM)
        try:
            process.wait(timeout=grace)
        except subprocess.TimeoutExpired:
            pass
    if group or process.poll() is None:
        send(signal.SIGKILL)
    process.wait()


def _name(pid):
    try:
        with open(f"/proc/{pid}/comm") as f:
            return f.read().strip()
    except FileNotFoundError:
        return ""


class Program:
    """The program, started through an optional wrapper (a session bus, a tracer), in a
    process group of its own so that nothing it starts outlives the test."""

    def __init__(self, executable, wrapper, env, log_path, cwd=None):
        self.executable = executable
        self.log_path = log_path
        self._log = open(log_path, "wb")
        # Its output goes through a pipe, not straight into the log file, so that a write to
        # a file never comes from the program's own standard output.
        self.process = subprocess.Popen(
            list(wrapper) + [executable],
            env=env,
            cwd=cwd,
            stdin=subprocess.DEVNULL,
            stdout=subprocess.PIPE,
            stderr=subprocess.STDOUT,
            start_new_session=True,
        )
        self._copier = threading.Thread(target=self._copy_output, daemon=True)
        self._copier.start()

    def _copy_output(self):
        for chunk in iter(lambda: self.process.stdout.read1(4096), b""):
            self._log.write(chunk)
            self._log.flush()

    def pid(self):
        """The program's own process id, below any wrapper; None while it is not running."""
        name = os.path.basename(self.executable)[:15]
        todo = [self.process.pid]
        while todo:
            pid = todo.pop(0)
            if _name(pid) == name:
                return pid
            todo.extend(_children(pid))
        return None

    def exit_status(self):
        return self.process.poll()

    def wait_exit(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        """Ends the program and whatever it started, if it is still running."""
        end_process(self.process, grace=5)
        self._copier.join(timeout=5)
        self._log.close()

    def output(self):
        with open(self.log_path, "rb") as f:
            return f.read().decode("utf-8", "replace")


class ScratchDir:
    """A temporary directory that is removed afterwards."""

    def __init__(self, prefix):
        self.path = tempfile.mkdtemp(prefix=prefix)

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


def wrapper_for(trace_log=None):
    """The command line that the program starts under: a session bus of its own, as a
    desktop session has one, and optionally a trace of its system calls."""
    wrapper = []
    if shutil.which("dbus-run-session"):
        wrapper += ["dbus-run-session", "--"]
    if trace_log is not None:
        wrapper += [
            "strace", "-f", "-qq", "-y", "-s", "256", "-o", trace_log,
            "-e", "trace=%file,socket,socketpair,connect,bind,"
            "write,pwrite64,writev,pwritev,pwritev2,ftruncate,fallocate",
        ]
    return wrapper


def _process_is_quiet(pid):
    """True when every thread of the process sleeps: it has handled all the input that had
    reached it and waits for more."""
    try:
        tasks = os.listdir(f"/proc/{pid}/task")
    except FileNotFoundError:
        return False
    for tid in tasks:
        fields = _stat_fields(f"/proc/{pid}/task/{tid}/stat")
        if fields is not None and fields[0] not in "SD":
            return False
    return True


def wait_quiet(pid, timeout, samples=5, interval=0.01):
    """Waits until the process has slept through `samples` looks in a row, `interval` apart:
    it has taken in the input sent so far. Returns False if it never went quiet in time."""
    deadline = time.monotonic() + timeout
    quiet = 0
    while time.monotonic() < deadline:
        quiet = quiet + 1 if _process_is_quiet(pid) else 0
        if quiet >= samples:
            return True
        time.sleep(interval)
    return False
