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
if (($# != 1)); then
  echo "usage: orca_run.sh PROGRAM" >&2
  exit 2
fi
program="$1"

# Debian's own Python, which is the one Orca, python3-pyatspi and python3-xlib install into.
readonly python=/usr/bin/python3
missing=()
for tool in orca Xvfb openbox xprop dbus-run-session pgrep "$python"; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[[ -x /usr/libexec/at-spi-bus-launcher ]] || missing+=(at-spi-bus-launcher)
if [[ -x "$python" ]]; then
  for module in pyatspi Xlib; do
    "$python" -c "import $module" 2>/dev/null || missing+=("$module for $python")
  done
fi
if ((${#missing[@]} > 0)); then
  echo "SKIP: not installed: ${missing[*]} (scripts/dev test installs them)"
  exit 77
fi

workdir="$(mktemp -d "${TMPDIR:-/tmp}/quiravel-orca.XXXXXX")" || exit 1
trap 'rm -rf "$workdir"' EXIT
mkdir -m 700 "$workdir/runtime" "$workdir/home" "$workdir/bin"
# Nothing of the caller's desktop session may leak in: its buses, its settings.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
export HOME="$workdir/home" XDG_RUNTIME_DIR="$workdir/runtime"
export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
export XDG_DATA_HOME="$HOME/.local/share" XDG_STATE_HOME="$HOME/.local/state"
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
# For a build with LeakSanitizer: what the D-Bus library keeps is not the program's leak.
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

bash "$here/../xvfb/with-display.sh" --wm --timeout 170 -- \
  dbus-run-session -- "$python" "$here/orca_session.py" "$program" "$workdir"
