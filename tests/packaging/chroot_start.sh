#!/bin/bash
# Runs inside the minimal Debian system that check_chroot.sh made: starts a private Xvfb,
# starts the installed program by name as a desktop would, waits for its main menu and checks
# the faces the windows are drawn in. Stops everything it started, whatever the outcome.
#
#   chroot_start.sh WORK_DIR
set -u

readonly kWaitSeconds=30
# The main menu is 7215 x 3180 twips: 481 x 212 pixels at 15 twips a pixel (96 dpi).
readonly kMenuSize=481x212

work="$1"
xvfb_pid=
app_pid=

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# check_chroot.sh copies tests/support/stop.sh next to this script.
# shellcheck source=SCRIPTDIR/../support/stop.sh
. "$(dirname "${BASH_SOURCE[0]}")/stop.sh"
cleanup() { stop_processes "$app_pid" "$xvfb_pid"; }
trap cleanup EXIT

for tool in Xvfb xwininfo fc-list quiravel; do
  command -v "$tool" >/dev/null || fail "$tool is not installed in the chroot"
done

# Waits until "$@" succeeds, for at most kWaitSeconds.
wait_until() {
  local deadline=$((SECONDS + kWaitSeconds))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

: >"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_ready() { [ -s "$work/display" ]; }
wait_until display_ready || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"

mkdir -p -m 700 "$work/runtime" "$work/home"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
quiravel >"$work/app.out" 2>"$work/app.err" &
app_pid=$!

# The menu: a viewable top-level window of the program (WM_CLASS "quiravel") of the menu's
# size. There is no window manager, so it is a child of the root window itself.
menu_shown() {
  kill -0 "$app_pid" 2>/dev/null || fail "quiravel ended: $(cat "$work/app.err")"
  local id
  for id in $(xwininfo -root -children | awk -v size="$kMenuSize" \
    '/\("quiravel" "quiravel"\)/ && $0 ~ " " size "[+-]" { print $1 }'); do
    xwininfo -id "$id" | grep -q 'Map State: IsViewable' && return 0
  done
  return 1
}
if ! wait_until menu_shown; then
  xwininfo -root -tree >&2
  fail "no main menu ($kMenuSize, viewable) within ${kWaitSeconds}s"
fi

# The layouts ask for Arial and Tahoma; where the desktop has neither, the program draws them in
# Liberation Sans and DejaVu Sans Condensed, whose regular and bold faces the package's font
# dependencies must bring.
for face in "Liberation Sans" "DejaVu Sans Condensed"; do
  for weight in regular bold; do
    [ -n "$(fc-list ":family=$face:weight=$weight" family)" ] || fail "no $weight face of $face"
  done
done

# A program that keeps nothing has nothing to report either: no warning from Qt about a
# missing plugin, font or locale.
[ ! -s "$work/app.err" ] || fail "quiravel wrote to standard error: $(cat "$work/app.err")"
echo "the main menu is on screen, $kMenuSize"
