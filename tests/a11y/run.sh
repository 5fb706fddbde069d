#!/bin/bash
# Runs take_test.py against PROGRAM as a screen reader would meet it: on a private X server,
# with a private session bus that starts the accessibility bus and its registry on demand.
#
#   run.sh PROGRAM
#
# Exit status: that of take_test.py; 77 (skipped) when a tool it needs is not installed.
set -u

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/session.sh"
expect_program "$@"
program="$1"

need_modules pyatspi
skip_if_missing
private_session quiravel-a11y

bash "$here/../xvfb/with-display.sh" --timeout 170 -- \
  dbus-run-session -- "$python" "$here/take_test.py" "$program"
