#!/usr/bin/python3
"""The rules by which the privacy check reads a system-call log: it must catch what breaks
the promise and let through what does not."""

import os
import sys
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import syscall_log  # noqa: E402


def reasons(*lines):
    return [reason for reason, _ in syscall_log.violations(lines)]


class Network(unittest.TestCase):
    def test_internet_sockets_are_caught_even_when_refused(self):
        for line in (
            "100 socket(AF_INET, SOCK_STREAM|SOCK_CLOEXEC, IPPROTO_TCP) = 5<socket:[1]>",
            "100 socket(AF_INET6, SOCK_DGRAM, 0) = -1 EACCES (Permission denied)",
        ):
            with self.subTest(line=line):
                self.assertEqual(reasons(line), ["opens a network socket"])

    def test_connect_to_an_internet_address_is_caught(self):
        line = ('100 connect(5<socket:[1]>, {sa_family=AF_INET, sin_port=htons(80), '
                'sin_addr=inet_addr("10.0.0.1")}, 16) = -1 ECONNREFUSED (Connection refused)')
        self.assertEqual(reasons(line), ["connect to a network address"])

    def test_local_sockets_to_the_display_and_the_bus_pass(self):
        self.assertEqual(reasons(
            "100 socket(AF_UNIX, SOCK_STREAM|SOCK_CLOEXEC, 0) = 3<socket:[117763]>",
            '100 connect(3<socket:[117763]>, {sa_family=AF_UNIX, '
            'sun_path=@"/tmp/.X11-unix/X1"}, 20) = 0',
            '100 connect(7<socket:[116714]>, {sa_family=AF_UNIX, '
            'sun_path="/tmp/dbus-2FFDCfoTeU"}, 22) = 0',
        ), [])


class Files(unittest.TestCase):
    def test_a_file_opened_for_writing_is_caught(self):
        for flags in ("O_WRONLY|O_CREAT|O_TRUNC|O_CLOEXEC", "O_RDWR|O_CLOEXEC",
                      "O_WRONLY|O_APPEND"):
            with self.subTest(flags=flags):
                line = (f'100 openat(AT_FDCWD, "/root/.cache/x/cache-7", {flags}, 0666) '
                        f"= 9</root/.cache/x/cache-7>")
                self.assertEqual(reasons(line), ["opens /root/.cache/x/cache-7 for writing"])

    def test_creat_is_caught(self):
        self.assertEqual(reasons('100 creat("/tmp/notes", 0644) = 4</tmp/notes>'),
                         ["opens /tmp/notes for writing"])

    def test_relative_paths_are_reported_where_they_led(self):
        line = '100 openat(5</home/u/.config>, "quiravel.conf", O_WRONLY|O_CREAT, 0600) ' \
               "= 6</home/u/.config/quiravel.conf>"
        self.assertEqual(reasons(line), ["opens /home/u/.config/quiravel.conf for writing"])

    def test_reading_and_failed_attempts_pass(self):
        self.assertEqual(reasons(
            '100 openat(AT_FDCWD, "/usr/share/fonts/a.ttf", O_RDONLY|O_CLOEXEC) '
            "= 12</usr/share/fonts/a.ttf>",
            '100 openat(AT_FDCWD, "/nonexistent/f", O_WRONLY|O_CREAT, 0600) '
            "= -1 ENOENT (No such file or directory)",
            '100 mkdir("/tmp/xdg-runtime", 0700) = -1 EEXIST (File exists)',
        ), [])

    def test_devices_and_proc_are_not_files_on_disk(self):
        self.assertEqual(reasons(
            '100 openat(AT_FDCWD, "/dev/null", O_RDWR|O_CLOEXEC) = 4</dev/null>',
            '100 openat(AT_FDCWD, "/proc/self/oom_score_adj", O_WRONLY) '
            "= 4</proc/1/oom_score_adj>",
        ), [])

    def test_changes_to_the_file_system_are_caught(self):
        self.assertEqual(reasons(
            '100 mkdir("/home/u/.cache/fontconfig", 0777) = 0',
            '100 rename("/home/u/a.tmp", "/home/u/a") = 0',
            '100 unlinkat(AT_FDCWD, "/home/u/a", 0) = 0',
        ), ["mkdir /home/u/.cache/fontconfig", "rename /home/u/a.tmp /home/u/a",
            "unlinkat /home/u/a"])

    def test_writes_to_a_file_descriptor_are_caught_but_not_to_sockets_or_pipes(self):
        self.assertEqual(reasons(
            '100 write(9</home/u/.local/share/log.txt>, "x", 1) = 1',
            '100 writev(3<socket:[1]>, [{iov_base="\\2", iov_len=1}], 1) = 1',
            '100 write(2<pipe:[77]>, "warning\\n", 8) = 8',
        ), ["write to /home/u/.local/share/log.txt"])


class Log(unittest.TestCase):
    def test_an_interrupted_call_is_joined_to_its_resumption(self):
        lines = [
            '100 openat(AT_FDCWD, "/home/u/f", O_WRONLY|O_CREAT, 0600 <unfinished ...>',
            "101 futex(0x1, FUTEX_WAKE, 1) = 0",
            "100 <... openat resumed>) = 7</home/u/f>",
        ]
        self.assertEqual(reasons(*lines), ["opens /home/u/f for writing"])

    def test_lines_that_are_not_calls_are_skipped(self):
        self.assertEqual(reasons(
            "100 --- SIGCHLD {si_signo=SIGCHLD, si_code=CLD_EXITED} ---",
            "100 +++ exited with 0 +++",
            "",
        ), [])

    def test_socket_families_are_counted(self):
        families = syscall_log.sockets([
            "100 socket(AF_UNIX, SOCK_STREAM|SOCK_CLOEXEC, 0) = 3<socket:[1]>",
            "100 socket(AF_UNIX, SOCK_STREAM|SOCK_CLOEXEC, 0) = 7<socket:[2]>",
        ])
        self.assertEqual(dict(families), {"AF_UNIX": 2})


if __name__ == "__main__":
    unittest.main()
