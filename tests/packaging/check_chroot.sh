#!/usr/bin/env bash
# Installs the Debian package into a minimal Debian system (debootstrap --variant=minbase of
# this machine's release) with `apt-get install ./quiravel_*.deb` alone, then starts the
# installed program there on a private Xvfb and waits for its main menu. This proves that the
# package's Depends bring everything the program needs, the fonts included.
#
#   check_chroot.sh BUILD_DIR CACHE_DIR
#
# The minimal system is made once and kept as a tarball in CACHE_DIR; each run unpacks a fresh
# copy next to it and removes it afterwards. apt in the copy uses this machine's apt sources and
# configuration. Nothing is mounted into the copy: the device nodes debootstrap makes are all
# that apt, Xvfb and the program need, and none of them needs /proc. Needs root.
set -euo pipefail

if [ "$#" -ne 2 ]; then
  echo "usage: $0 BUILD_DIR CACHE_DIR" >&2
  exit 2
fi
build="$1" cache="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
skip() {
  echo "SKIP: $*" >&2
  exit 77
}

[ "$(id -u)" -eq 0 ] || skip "making and entering a chroot needs root"
for tool in debootstrap chroot cpack tar timeout; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/dev test installs it)"
done

# shellcheck source=/dev/null
suite="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
[ -n "$suite" ] || fail "/etc/os-release names no release"
arch="$(dpkg --print-architecture)"

# The first Debian archive that this machine's apt takes SUITE from (one-line and deb822
# sources alike).
host_mirror() {
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    awk -v suite="$suite" '$1 == "deb" {
        i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
        if ($(i + 1) == suite) { print $i; exit }
      }' "$file"
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk -v suite="$suite" '
      function flush() {
        if (deb && uri != "" && (" " suites " ") ~ (" " suite " ")) { print uri; exit }
        deb = 0; uri = ""; suites = ""
      }
      /^[[:space:]]*$/ { flush(); next }
      /^Types:/ { deb = ($0 ~ /[[:space:]]deb([[:space:]]|$)/) }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { $1 = ""; suites = $0 }
      END { flush() }' "$file"
  done
}

# Mount points at or under a directory, deepest first.
mounts_under() {
  awk -v dir="$1" '$2 == dir || index($2, dir "/") == 1 { print $2 }' /proc/mounts | sort -r
}
# Unmounts whatever is left mounted under a directory (debootstrap mounts /proc and /sys in its
# target while it runs), then removes the directory; never removes through a mount.
remove_tree() {
  local dir="$1" point
  [ -n "$dir" ] && [ -d "$dir" ] || return 0
  # Processes still running inside it, if a step was cut short by its timeout.
  local link pid
  for link in /proc/[0-9]*/root; do
    [ "$(readlink "$link" 2>/dev/null)" = "$dir" ] || continue
    pid="${link#/proc/}"
    kill -KILL "${pid%/root}" 2>/dev/null || true
  done
  while read -r point; do
    [ -n "$point" ] && umount -l "$point" 2>/dev/null || true
  done < <(mounts_under "$dir")
  if [ -n "$(mounts_under "$dir")" ]; then
    echo "check_chroot: $dir still has mounts; leaving it in place" >&2
    return 0
  fi
  rm -rf "$dir"
}

mkdir -p "$cache"
base="$cache/debootstrap-$suite-minbase-$arch.tar"
bootstrap_dir=
root=
out="$(mktemp -d "${TMPDIR:-/tmp}/quiravel-chroot.XXXXXX")"
cleanup() {
  remove_tree "$root"
  remove_tree "$bootstrap_dir"
  rm -rf "$out"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

step() { echo "== $(date -u +%T) $*"; }

# --- The minimal system, made once ---------------------------------------------------------
if [ ! -f "$base" ]; then
  mirror="$(host_mirror | head -n 1)"
  [ -n "$mirror" ] || fail "this machine's apt sources name no archive for $suite"
  step "debootstrap --variant=minbase $suite (kept as $base)"
  bootstrap_dir="$(realpath "$(mktemp -d "$cache/bootstrap.XXXXXX")")"
  if ! timeout --kill-after=10 420 debootstrap --variant=minbase --arch="$arch" \
    "$suite" "$bootstrap_dir" "$mirror" >"$out/debootstrap.log" 2>&1; then
    tail -n 30 "$out/debootstrap.log" >&2
    tail -n 30 "$bootstrap_dir/debootstrap/debootstrap.log" >&2 2>/dev/null || true
    fail "debootstrap failed"
  fi
  tar -C "$bootstrap_dir" -cf "$base.partial" .
  mv "$base.partial" "$base"
  remove_tree "$bootstrap_dir"
  bootstrap_dir=
fi

# --- A fresh copy, with this machine's apt -------------------------------------------------
step "unpacking a fresh copy of $(basename "$base")"
root="$(realpath "$(mktemp -d "$cache/root.XXXXXX")")"
tar -C "$root" -xf "$base"
rm -f "$root/etc/apt/sources.list"
cp -a /etc/apt/. "$root/etc/apt/"
# Keyrings that the sources name by path and the copy does not have.
for key in $(sed -nE 's/^Signed-By:[[:space:]]*(\/[^[:space:]]+).*/\1/p; s/.*signed-by=(\/[^] ]+).*/\1/p' \
  /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
  2>/dev/null | sort -u); do
  if [ -f "$key" ] && [ ! -e "$root$key" ]; then
    mkdir -p "$(dirname "$root$key")"
    cp "$key" "$root$key"
  fi
done
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
# No service starts inside the copy.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

# Runs a command inside the copy with a clean environment, for at most SECONDS. The steps'
# limits add up to less than the test's own TIMEOUT, so that the clean-up always runs.
in_root() { # in_root SECONDS COMMAND...
  local seconds="$1"
  shift
  timeout --kill-after=10 "$seconds" chroot "$root" /usr/bin/env -i \
    PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
    "$@"
}
installed() { in_root 60 dpkg-query -W -f='${Package}\n' | sort; }

# --- The package, installed as a user would ------------------------------------------------
step "building the package"
# shellcheck source=make_deb.sh
. "$here/make_deb.sh"
make_deb "$build" "$out/deb"
work=/tmp/quiravel-check
mkdir -p "$root$work"
cp "$deb" "$here/chroot_start.sh" "$here/../support/stop.sh" "$root$work/"

step "apt-get update"
in_root 180 apt-get update -qq >"$out/update.log" 2>&1 || {
  cat "$out/update.log" >&2
  fail "apt-get update failed in the chroot"
}
step "apt-get install ./$(basename "$deb")"
if ! in_root 300 sh -c "cd $work && apt-get install -y -qq --no-install-recommends ./quiravel_*.deb" \
  >"$out/install.log" 2>&1; then
  cat "$out/install.log" >&2
  fail "apt-get install ./quiravel_*.deb failed in the chroot"
fi
installed >"$out/with-package.txt"

# --- The test's own tools, which must not fill a gap in the package's Depends ---------------
step "installing the test's tools (Xvfb, xwininfo, fc-list)"
if ! in_root 240 apt-get install -y -qq --no-install-recommends xvfb x11-utils fontconfig \
  >"$out/tools.log" 2>&1; then
  cat "$out/tools.log" >&2
  fail "could not install the test's tools in the chroot"
fi
installed >"$out/with-tools.txt"
masking="$(comm -13 "$out/with-package.txt" "$out/with-tools.txt" |
  grep -E '^(fonts-|xfonts-|ttf-|libqt6|qt6-)' || true)"
[ -z "$masking" ] || fail "the test's tools brought what the package should have: $masking"

# --- The program ---------------------------------------------------------------------------
step "starting /usr/bin/quiravel on Xvfb"
if ! in_root 120 bash "$work/chroot_start.sh" "$work"; then
  fail "the installed program did not show its menu in the chroot"
fi
echo "PASS: on a minimal $suite, apt-get install ./$(basename "$deb") alone made a working program"
