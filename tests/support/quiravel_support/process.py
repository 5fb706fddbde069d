"""Starting the program under test in a private environment, finding it again, ending it."""

import os
import shutil
import signal
import subprocess
import tempfile
import threading


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
        try:
            with open(f"/proc/{entry}/stat") as f:
                stat = f.read()
        except OSError:
            continue
        if int(stat[stat.rindex(")") + 2:].split()[1]) == pid:
            children.append(int(entry))
    return children


def _name(pid):
    try:
        with open(f"/proc/{pid}/comm") as f:
            return f.read().strip()
    except FileNotFoundError:
        return ""


class Program:
    """The program, started through an optional wrapper (a session bus, a tracer), in a
    process group of its own so that nothing it starts outlives the test."""

    def __init__(self, executable, wrapper, env, log_path):
        self.executable = executable
        self.log_path = log_path
        self._log = open(log_path, "wb")
        # Its output goes through a pipe, not straight into the log file, so that a write to
        # a file never comes from the program's own standard output.
        self.process = subprocess.Popen(
            list(wrapper) + [executable],
            env=env,
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
        if self.process.poll() is None:
            try:
                os.killpg(self.process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            if self.wait_exit(5) is None:
                try:
                    os.killpg(self.process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                self.process.wait()
        else:
            # The wrapper has gone; a daemon it started may not have.
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
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

