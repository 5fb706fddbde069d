#!/bin/bash
# Runs a command on a private X server (Xvfb, 1920x1080, 24 bits), optionally under a window
# manager (openbox), and tears everything down afterwards, whatever the command's outcome.
#
#   with-display.sh [--wm] [--monitors] [--screen WxH] [--depth BITS] [--dpi DPI]
#                   [--timeout SECONDS] [--] COMMAND [ARGUMENT...]
#
#   --wm               start openbox and wait until it manages the screen
#   --screen WxH       the Xvfb screen's size in pixels (default 1920x1080)
#   --depth BITS       the Xvfb screen's bits a pixel (default 24; 8 is a colour-mapped screen)
#   --dpi DPI          a desktop that sets DPI dots per inch: the server's resolution and the
#                      Xft.dpi resource (xrdb) that toolkits read
#   --monitors         run Xorg with the dummy video driver instead of Xvfb: a 4480x1440 desktop
#                      of two monitors side by side, "left" 1920x1080 at (0, 0) and the primary
#                      "right" 2560x1440 at (1920, 0), both 96 pixels per inch
#   --timeout SECONDS  kill COMMAND after this long (default 240); the exit status is then 124
#
# COMMAND runs with DISPLAY set to the new server and QT_QPA_PLATFORM=xcb. The display number is
# chosen by the server itself (-displayfd), so several of these can run side by side. Exit
# status: that of COMMAND; 77 if a tool needed here is not installed; 125 if the server or the
# window manager did not come up.
# The helper functions below run from traps and through wait_until.
# shellcheck disable=SC2317
set -u

readonly kStartupSeconds=20
use_wm=0
use_monitors=0
screen_size=1920x1080
depth=24
dpi=
command_timeout=240

while (($# > 0)); do
  case "$1" in
    --wm) use_wm=1; shift ;;
    --monitors) use_monitors=1; shift ;;
    --screen) screen_size="$2"; shift 2 ;;
    --depth) depth="$2"; shift 2 ;;
    --dpi) dpi="$2"; shift 2 ;;
    --timeout) command_timeout="$2"; shift 2 ;;
    --) shift; break ;;
    -*) echo "with-display: unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
if (($# == 0)); then
  echo "usage: with-display.sh [--wm] [--monitors] [--screen WxH] [--depth BITS]" \
    "[--dpi DPI] [--timeout SECONDS] [--] COMMAND..." >&2
  exit 2
fi

require() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "with-display: $tool is not installed" >&2
      exit 77
    fi
  done
}
require timeout
if ((use_monitors)); then
  require Xorg xrandr
  if [[ ! -e "$(Xorg -showDefaultModulePath 2>&1)/drivers/dummy_drv.so" ]]; then
    echo "with-display: the Xorg dummy video driver is not installed" >&2
    exit 77
  fi
else
  require Xvfb
fi
if ((use_wm)); then
  require openbox xprop
fi
if [[ -n "$dpi" ]]; then
  require xrdb
fi

workdir=$(mktemp -d "${TMPDIR:-/tmp}/with-display.XXXXXX") || exit 125
xvfb_pid=
wm_pid=
command_pid=

# shellcheck source=SCRIPTDIR/../support/stop.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/stop.sh"
cleanup() {
  stop_processes "$command_pid" "$wm_pid" "$xvfb_pid"
  rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# Waits until "$@" succeeds, for at most kStartupSeconds; gives up at once when it returns 2.
wait_until() {
  local deadline=$((SECONDS + kStartupSeconds)) status
  while true; do
    "$@"
    status=$?
    ((status == 0)) && return 0
    ((status == 2 || SECONDS >= deadline)) && return 1
    sleep 0.05
  done
}

# Xorg reads only the configuration written here: the dummy driver showing the whole 4480x1440
# desktop on its one output (the server keeps the pointer within what its outputs show), and
# no input devices of its own (XTEST input still works), so that it never takes the machine's
# keyboard or mouse. With -sharevts and -novtswitch it leaves the virtual consoles alone (it
# only asks which one is active: it takes none, switches to none, changes no console's mode);
# -keeptty keeps it in this session instead of detaching from the terminal. The empty
# configuration directory stands in for the machine's own.
write_xorg_conf() {
  mkdir "$workdir/xorg.conf.d" || return 1
  cat >"$workdir/xorg.conf" <<'EOF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 65536
EndSection
Section "Monitor"
  Identifier "desktop"
  HorizSync 30.0-100.0
  VertRefresh 20.0-80.0
  Modeline "4480x1440" 200.0 4480 4488 4520 4560 1440 1443 1453 1460
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "desktop"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "4480x1440"
    Virtual 4480 1440
  EndSubSection
EndSection
EOF
}

# The server writes its display number, then a newline, to the given descriptor once it is
# ready for clients. The file exists before the server starts, so the first look at it cannot
# race the shell's redirection in the background job.
: >"$workdir/display"
if ((use_monitors)); then
  server=Xorg
  write_xorg_conf || exit 125
  Xorg -displayfd 3 -config "$workdir/xorg.conf" -configdir "$workdir/xorg.conf.d" \
    -logfile "$workdir/xorg.log" -nolisten tcp -noreset -sharevts -novtswitch -keeptty \
    3>"$workdir/display" >"$workdir/server.log" 2>&1 &
else
  server=Xvfb
  Xvfb -displayfd 3 -screen 0 "${screen_size}x${depth}" ${dpi:+-dpi "$dpi"} -nolisten tcp -noreset \
    3>"$workdir/display" >"$workdir/server.log" 2>&1 &
fi
xvfb_pid=$!

display_ready() {
  kill -0 "$xvfb_pid" 2>/dev/null || return 2
  [[ "$(wc -l <"$workdir/display" 2>/dev/null)" -ge 1 ]]
}
if ! wait_until display_ready; then
  echo "with-display: $server did not start:" >&2
  cat "$workdir/server.log" >&2
  exit 125
fi
display=":$(head -n 1 "$workdir/display")"
export DISPLAY="$display"
unset WAYLAND_DISPLAY

# The monitors are RandR 1.5 monitors on the one dummy output; the "*" makes "right" primary.
if ((use_monitors)); then
  if ! { timeout 10 xrandr --output DUMMY0 --mode 4480x1440 --fb 4480x1440 &&
    timeout 10 xrandr --setmonitor left 1920/508x1080/286+0+0 none &&
    timeout 10 xrandr --setmonitor '*right' 2560/677x1440/381+1920+0 DUMMY0; } \
    >"$workdir/xrandr.log" 2>&1; then
    echo "with-display: the monitors could not be set:" >&2
    cat "$workdir/xrandr.log" "$workdir/xorg.log" >&2
    exit 125
  fi
fi

if [[ -n "$dpi" ]] && ! echo "Xft.dpi: $dpi" | timeout 10 xrdb -merge >"$workdir/xrdb.log" 2>&1
then
  echo "with-display: Xft.dpi could not be set:" >&2
  cat "$workdir/xrdb.log" >&2
  exit 125
fi

if ((use_wm)); then
  openbox --sm-disable >"$workdir/wm.log" 2>&1 &
  wm_pid=$!
  # A window manager that has taken over names its check window on the root window.
  wm_ready() {
    kill -0 "$wm_pid" 2>/dev/null || return 2
    timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id #'
  }
  if ! wait_until wm_ready; then
    echo "with-display: the window manager did not come up:" >&2
    cat "$workdir/wm.log" >&2
    exit 125
  fi
fi

export QT_QPA_PLATFORM=xcb
# The command runs in the background so that a signal to this script reaches the traps at once.
timeout --kill-after=5 "$command_timeout" "$@" &
command_pid=$!
wait "$command_pid"
status=$?
command_pid=
exit "$status"
