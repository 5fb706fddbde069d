"""Reads a system-call log written by `strace -f -y` and lists what breaks the promise that
the program keeps nothing: every network socket it asks for, and every file it creates,
changes or removes.

- Network: any socket of the internet families (AF_INET, AF_INET6), and any connect, bind or
  send to such an address, whether or not the call succeeded: the program has no reason to
  try. Local (AF_UNIX) sockets are how it talks to the X server and the session bus.
- Files: every call that succeeded in opening a file for writing (write-only, read-write,
  create, truncate, append), creating or removing a file, directory or link, renaming,
  changing a file's mode, owner, times or size, or writing to a descriptor of a file. Calls
  that failed changed nothing (the toolkit, for one, checks that its runtime directory
  exists by trying to create it). Device files and the kernel's /proc files are not files
  on disk.
"""

import collections
import re

Call = collections.namedtuple("Call", "pid name args result line")

# Paths that are not files on disk.
ALLOWED_PREFIXES = ("/dev/", "/proc/")

_LINE = re.compile(r"^(?P<pid>\d+)\s+(?P<rest>.*)$")
_CALL = re.compile(r"^(?P<name>\w+)\((?P<args>.*)\)\s+=\s+(?P<result>.*)$")
_UNFINISHED = " <unfinished ...>"
_RESUMED = re.compile(r"^<\.\.\. (?P<name>\w+) resumed>(?P<tail>.*)$")

OPEN_CALLS = {"open", "openat", "openat2", "creat", "open_by_handle_at"}
WRITE_FLAGS = ("O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND", "O_TMPFILE")
PATH_CHANGES = {
    "mkdir", "mkdirat", "rmdir", "unlink", "unlinkat", "rename", "renameat", "renameat2",
    "link", "linkat", "symlink", "symlinkat", "mknod", "mknodat", "chmod", "fchmodat",
    "chown", "lchown", "fchownat", "truncate", "utime", "utimes", "utimensat", "futimesat",
    "setxattr", "lsetxattr", "removexattr", "lremovexattr",
}
DESCRIPTOR_WRITES = {
    "write", "pwrite64", "writev", "pwritev", "pwritev2", "ftruncate", "fallocate",
    "fchmod", "fchown", "fsetxattr", "fremovexattr", "sendfile", "copy_file_range",
}
NETWORK_CALLS = {"connect", "bind", "sendto", "sendmsg"}
INTERNET = re.compile(r"\bAF_INET6?\b")


def calls(lines):
    """The completed calls of the log, with interrupted ones joined to their resumption."""
    pending = {}
    for raw in lines:
        line = raw.rstrip("\n")
        m = _LINE.match(line)
        if not m:
            continue
        pid, rest = int(m.group("pid")), m.group("rest")
        if rest.endswith(_UNFINISHED):
            pending[pid] = rest[: -len(_UNFINISHED)]
            continue
        resumed = _RESUMED.match(rest)
        if resumed:
            start = pending.pop(pid, None)
            if start is None:
                continue
            rest = start + resumed.group("tail")
        c = _CALL.match(rest)
        if c:
            yield Call(pid, c.group("name"), c.group("args"), c.group("result"), line)


def _succeeded(result):
    return not result.startswith("-1") and not result.startswith("?")


def _strings(args):
    return re.findall(r'"((?:[^"\\]|\\.)*)"', args)


def _annotated_path(text):
    """The path of the first descriptor in `text` that -y annotated with one: 3</a/b>."""
    m = re.search(r"\d+<(/[^>]*)>", text)
    return m.group(1) if m else None


def _allowed(path):
    return path is not None and path.startswith(ALLOWED_PREFIXES)


def _is_file_path(path):
    # Sockets, pipes and anonymous inodes are annotated "socket:[..]", "pipe:[..]" and so on.
    return path is not None and path.startswith("/") and not path.startswith("/memfd:")


def violations(lines, allowed=_allowed):
    """Each call that breaks the promise, with the reason, as (reason, log line)."""
    found = []
    for call in calls(lines):
        name, args, result = call.name, call.args, call.result
        if name == "socket" and INTERNET.search(args.split(",", 1)[0]):
            found.append(("opens a network socket", call.line))
        elif name in NETWORK_CALLS and INTERNET.search(args):
            found.append((f"{name} to a network address", call.line))
        elif name in OPEN_CALLS:
            writes = name == "creat" or any(flag in args for flag in WRITE_FLAGS)
            if writes and _succeeded(result):
                path = _annotated_path(result) or next(iter(_strings(args)), None)
                if not allowed(path):
                    found.append((f"opens {path} for writing", call.line))
        elif name in PATH_CHANGES and _succeeded(result):
            paths = _strings(args)
            if not paths or not all(allowed(p) for p in paths):
                found.append((f"{name} {' '.join(paths)}", call.line))
        elif name in DESCRIPTOR_WRITES and _succeeded(result):
            path = _annotated_path(args)
            if _is_file_path(path) and not allowed(path):
                found.append((f"{name} to {path}", call.line))
    return found


def sockets(lines):
    """The address families of the sockets that the program opened, for the report."""
    families = collections.Counter()
    for call in calls(lines):
        if call.name == "socket":
            families[call.args.split(",", 1)[0].strip()] += 1
    return families
