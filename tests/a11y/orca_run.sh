#!/bin/bash
# Runs orca_session.py: Debian's Orca screen reader and PROGRAM on a private X server with a
# window manager, a private session bus (which starts the accessibility bus on demand) and a
# private, empty home, so that nothing of the caller's desktop, settings or screen reader
# takes part and nothing is left behind.
#
#   orca_run.sh PROGRAM
#
# Exit status: that of orca_session.py; 77 (skipped) when a tool it needs is not installed.
set -u

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/session.sh"
expect_program "$@"
program="$1"

need_tools orca openbox xprop pgrep
need_modules pyatspi Xlib
skip_if_missing
private_session quiravel-orca
mkdir -m 700 "$workdir/bin"
# Orca and the accessibility bus read and write desktop settings: in memory only.
export GSETTINGS_BACKEND=memory
# No speech synthesiser: Orca logs every string it speaks before it hands it on, and with no
# speech server it logs them all the same. It must not start one that outlives the test.
export SPEECHD_CMD=/bin/false SPEECHD_ADDRESS="unix_socket:$workdir/runtime/no-speech"
# Orca refuses to start while another Orca of the same user runs anywhere on the machine (a
# screen reader on the caller's desktop, this test in another build): only an Orca of this
# test's own process session counts.
printf '#!/bin/sh\nexec /usr/bin/pgrep --session 0 "$@"\n' >"$workdir/bin/pgrep"
chmod +x "$workdir/bin/pgrep"
export PATH="$workdir/bin:$PATH"

bash "$here/../xvfb/with-display.sh" --wm --timeout 170 -- \
  dbus-run-session -- "$python" "$here/orca_session.py" "$program" "$workdir"
