"""Checks and waits, the same for every test that drives the program from outside.

A check that does not hold raises `Failure`; a wait polls a condition against a deadline and
fails with what it awaited and what it last saw. Nothing sleeps in the hope that something
has happened by then.
"""

import signal
import time


class Failure(AssertionError):
    """A check of what the program shows or does did not hold."""


class _Tally:
    passed = 0
    echo = False


def check(condition, what):
    """Fails with `what` unless `condition` holds; counts the checks that passed, and prints
    each once `echo_passes()` has been called."""
    if not condition:
        raise Failure(what)
    _Tally.passed += 1
    if _Tally.echo:
        print(f"ok: {what}", flush=True)


def echo_passes():
    """From now on every check that passes is printed as "ok: ..."."""
    _Tally.echo = True


def passed():
    return _Tally.passed


def wait_until(what, probe, timeout, interval=0.02, between=None, ignore=()):
    """Polls `probe` until it returns something truthy and returns that; fails after
    `timeout` seconds with a message that says what was awaited and what was last seen.

    Between two looks it sleeps `interval` seconds, or calls `between(seconds_left)` if given
    (to run an event loop meanwhile). An exception of a type in `ignore` from `probe` counts
    as "not yet": an object that goes away while it is read."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            last = probe()
        except ignore as error:
            last = error
        else:
            if last:
                return last
        left = deadline - time.monotonic()
        if left <= 0:
            raise Failure(f"timed out after {timeout:g} s waiting for {what} (last seen: {last!r})")
        if between is None:
            time.sleep(min(interval, left))
        else:
            between(left)


def run_checked(body, total_seconds, cleanup=None):
    """Runs `body()` with every check it makes and a deadline for the whole run; then
    `cleanup()` if given, whatever happened. Prints the tally and returns the exit status:
    0 when every check passed, 1 on the first that failed."""

    def out_of_time(*_):
        raise Failure(f"the run took longer than {total_seconds} s")

    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(total_seconds)
    failure = None
    try:
        body()
    except Failure as error:
        failure = error
    finally:
        signal.alarm(0)
        if cleanup is not None:
            cleanup()
    if failure is not None:
        print(f"FAILED: {failure}", flush=True)
        print(f"{passed()} passed, 1 failed")
        return 1
    print(f"{passed()} passed, 0 failed")
    return 0
