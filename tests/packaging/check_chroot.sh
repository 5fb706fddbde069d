#!/usr/bin/env bash
# The packages that packaging/build-package made, in a minimal Debian system (debootstrap
# --variant=minbase of this machine's release):
#
#   check_chroot.sh install PACKAGE_DIR CACHE_DIR
#       installs the package with `apt-get install ./quiravel_*.deb` alone, then starts the
#       installed program there on a private Xvfb and waits for its main menu; then runs the
#       package's autopkgtest there with Debian's autopkgtest. This proves that the package's
#       Depends bring everything the program needs, the fonts included.
#   check_chroot.sh build PACKAGE_DIR CACHE_DIR
#       installs build-essential, then what `apt-get build-dep` takes from the source package,
#       and builds the binary packages from the source package there, tests included. This
#       proves the Build-Depends complete.
#
# The minimal system is made once and kept as a tarball in CACHE_DIR (the two modes may run at
# once: the first to come makes it, the other waits); each run unpacks a fresh copy next to it
# and removes it afterwards. apt in the copy uses this machine's apt sources and configuration.
# Only /proc is mounted into the copy, for the steps that need it. Needs root.
set -euo pipefail

if [ "$#" -ne 3 ] || { [ "$1" != install ] && [ "$1" != build ]; }; then
  echo "usage: $0 install|build PACKAGE_DIR CACHE_DIR" >&2
  exit 2
fi
mode="$1" dir="$2" cache="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# shellcheck source=package.sh
. "$(dirname "${BASH_SOURCE[0]}")/package.sh"

[ "$(id -u)" -eq 0 ] || skip "making and entering a chroot needs root"
for tool in debootstrap chroot tar timeout flock; do
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
exec 9>"$base.lock"
flock 9
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
flock -u 9

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
  timeout --kill-after=10 "$seconds" chroot "$root" /usr/bin/env -i --chdir="$work" \
    PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
    "$@"
}
# The same with the output in $out/LOG; on a failure, its end is shown and the check fails.
in_root_logged() { # in_root_logged SECONDS LOG WHAT-FAILED COMMAND...
  local seconds="$1" log="$out/$2" what="$3"
  shift 3
  in_root "$seconds" "$@" >"$log" 2>&1 || {
    tail -n 80 "$log" >&2
    fail "$what in the chroot"
  }
}
installed() { in_root 60 dpkg-query -W -f='${Package}\n' | sort; }
package_files "$dir" dsc
work=/tmp/quiravel-check
mkdir -p "$root$work"
cp "$dsc" "$dir"/quiravel_*.tar.* "$root$work/"
# Python, autopkgtest and the compilers read /proc; apt, Xvfb and the program do not.
mount_proc() { mkdir -p "$root/proc" && mount -t proc proc "$root/proc"; }

step "apt-get update"
in_root_logged 180 update.log "apt-get update failed" apt-get update -qq

if [ "$mode" = build ]; then
  # --- The binary packages, built from the source package -----------------------------------
  step "apt-get install build-essential"
  in_root_logged 300 essential.log "could not install build-essential" \
    apt-get install -y -qq --no-install-recommends build-essential
  installed >"$out/with-essential.txt"
  step "apt-get build-dep ./$(basename "$dsc")"
  in_root_logged 600 build-dep.log "apt-get build-dep failed" \
    apt-get build-dep -y -qq --no-install-recommends "./$(basename "$dsc")"
  installed >"$out/with-build-deps.txt"
  comm -13 "$out/with-essential.txt" "$out/with-build-deps.txt" >"$out/build-deps.txt"
  echo "apt-get build-dep installed $(wc -l <"$out/build-deps.txt") packages:" \
    "$(tr '\n' ' ' <"$out/build-deps.txt")"
  step "dpkg-source -x and dpkg-buildpackage --build=binary"
  mount_proc
  in_root_logged 1200 build.log "the binary packages did not build from the source package" \
    sh -c "dpkg-source -x $(basename "$dsc") source && cd source &&
      DEB_BUILD_OPTIONS=parallel=1 dpkg-buildpackage -us -uc --build=binary"
  outside="$deb"
  package_files "$root$work"
  if cmp -s "$outside" "$deb"; then
    echo "$(basename "$deb") built here is the same, byte for byte, as the one built outside"
  else
    echo "$(basename "$deb") built here differs from the one built outside"
  fi
  grep -Eq '^100% tests passed, 0 tests failed out of [1-9]' "$out/build.log" ||
    fail "the package's tests did not all run and pass in the chroot"
  echo "PASS: on a minimal $suite with build-essential, apt-get build-dep alone let" \
    "$(basename "$dsc") build"
  exit 0
fi

# --- The package, installed as a user would ------------------------------------------------
cp "$deb" "$here/chroot_start.sh" "$here/../support/stop.sh" "$root$work/"
step "apt-get install ./$(basename "$deb")"
in_root_logged 300 install.log "apt-get install ./$(basename "$deb") failed" \
  apt-get install -y -qq --no-install-recommends "./$(basename "$deb")"
installed >"$out/with-package.txt"

# --- The test's own tools, which must not fill a gap in the package's Depends ---------------
step "installing the test's tools (Xvfb, xwininfo, fc-list)"
in_root_logged 240 tools.log "could not install the test's tools" \
  apt-get install -y -qq --no-install-recommends xvfb x11-utils fontconfig
installed >"$out/with-tools.txt"
masking="$(comm -13 "$out/with-package.txt" "$out/with-tools.txt" |
  grep -E '^(fonts-|xfonts-|ttf-|libqt6|qt6-)' || true)"
[ -z "$masking" ] || fail "the test's tools brought what the package should have: $masking"

# --- The program ---------------------------------------------------------------------------
step "starting /usr/bin/quiravel on Xvfb"
if ! in_root 120 bash "$work/chroot_start.sh" "$work"; then
  fail "the installed program did not show its menu in the chroot"
fi

# --- The package's autopkgtest -------------------------------------------------------------
step "autopkgtest $(basename "$deb") $(basename "$dsc") -- null"
in_root_logged 300 autopkgtest-install.log "could not install autopkgtest" \
  apt-get install -y -qq --no-install-recommends autopkgtest
mount_proc
status=0
in_root 600 autopkgtest --output-dir "$work/autopkgtest" "./$(basename "$deb")" \
  "./$(basename "$dsc")" -- null >"$out/autopkgtest.log" 2>&1 || status=$?
summary="$root$work/autopkgtest/summary"
if [ "$status" -ne 0 ] || ! grep -Eq '^depression-road[[:space:]]+PASS' "$summary"; then
  tail -n 80 "$out/autopkgtest.log" >&2
  fail "the autopkgtest did not pass (exit status $status): $(cat "$summary" 2>/dev/null)"
fi
echo "autopkgtest: $(cat "$summary")"
echo "PASS: on a minimal $suite, apt-get install ./$(basename "$deb") alone made a working program"
