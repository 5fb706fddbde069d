# shellcheck shell=bash
# Sourced by run.sh and orca_run.sh: what both check before they start, and the private
# session (home, runtime directory, no buses or settings of the caller's) both run in.

# Debian's own Python, which is the one python3-pyatspi, python3-xlib and Orca install into.
readonly python=/usr/bin/python3
missing=()

# Fails with a usage message unless exactly one argument, the program, is given.
expect_program() {
  if (($# != 1)); then
    echo "usage: $(basename "$0") PROGRAM" >&2
    exit 2
  fi
}

need_tools() {
  local tool
  for tool; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
}

need_modules() {
  local module
  [[ -x "$python" ]] || return 0
  for module; do
    "$python" -c "import $module" 2>/dev/null || missing+=("$module for $python")
  done
}

# Exits 77 (skipped) when anything asked for, or the accessibility bus, is not installed.
skip_if_missing() {
  need_tools "$python" Xvfb dbus-run-session
  [[ -x /usr/libexec/at-spi-bus-launcher ]] || missing+=(at-spi-bus-launcher)
  if ((${#missing[@]} > 0)); then
    echo "SKIP: not installed: ${missing[*]} (scripts/dev test installs them)"
    exit 77
  fi
}

# A fresh directory $workdir, removed on exit, with an empty home and runtime directory in it,
# and the environment pointed there. Nothing of the caller's desktop session may leak in: its
# buses, its settings.
private_session() {
  workdir="$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")" || exit 1
  trap 'rm -rf "$workdir"' EXIT
  mkdir -m 700 "$workdir/runtime" "$workdir/home"
  unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
  export HOME="$workdir/home" XDG_RUNTIME_DIR="$workdir/runtime"
  export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
  export XDG_DATA_HOME="$HOME/.local/share" XDG_STATE_HOME="$HOME/.local/state"
  # For a build with LeakSanitizer: what the D-Bus library keeps is not the program's leak.
  local suppressions
  suppressions="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp"
  export LSAN_OPTIONS="suppressions=$suppressions${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
}
