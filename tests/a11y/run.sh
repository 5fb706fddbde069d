#!/bin/bash
# Runs take_test.py against PROGRAM as a screen reader would meet it: on a private X server,
# with a private session bus that starts the accessibility bus and its registry on demand.
#
#   run.sh PROGRAM
#
# Exit status: that of take_test.py; 77 (skipped) when a tool it needs is not installed.
set -u

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if (($# != 1)); then
  echo "usage: run.sh PROGRAM" >&2
  exit 2
fi
program="$1"

# Debian's own Python, which is the one python3-pyatspi installs into.
readonly python=/usr/bin/python3
missing=()
for tool in Xvfb dbus-run-session "$python"; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[[ -x /usr/libexec/at-spi-bus-launcher ]] || missing+=(at-spi-bus-launcher)
if [[ -x "$python" ]] && ! "$python" -c 'import pyatspi' 2>/dev/null; then
  missing+=("pyatspi for $python")
fi
if ((${#missing[@]} > 0)); then
  echo "SKIP: not installed: ${missing[*]} (scripts/dev test installs them)"
  exit 77
fi

workdir="$(mktemp -d "${TMPDIR:-/tmp}/quiravel-a11y.XXXXXX")" || exit 1
trap 'rm -rf "$workdir"' EXIT
mkdir -m 700 "$workdir/runtime" "$workdir/home"
# Nothing of the caller's desktop session may leak in: its buses, its settings.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
export HOME="$workdir/home" XDG_RUNTIME_DIR="$workdir/runtime"
export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
# For a build with LeakSanitizer: what the D-Bus library keeps is not the program's leak.
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

bash "$here/../xvfb/with-display.sh" --timeout 170 -- \
  dbus-run-session -- "$python" "$here/take_test.py" "$program"
