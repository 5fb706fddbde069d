# Sourced by the checks that work in a minimal Debian system (check_chroot.sh,
# check_release.sh), after package.sh. Needs root.
#
#   minimal_system SUITE CACHE_DIR
#       sets base to a tarball of a minimal SUITE (debootstrap --variant=minbase, from the
#       archive this machine's apt uses), made once and kept in CACHE_DIR; when several checks
#       ask at once, the first makes it and the others wait
#   fresh_root
#       sets root to a fresh copy of it next to the tarball, with this machine's apt
#       configuration, removed when the check ends; out is a scratch folder for logs
#   in_root [--offline] SECONDS COMMAND...
#       runs COMMAND inside the copy with a clean environment, for at most SECONDS, in mount
#       and PID namespaces of its own (with /proc, /sys, /dev/pts and /dev/shm mounted there),
#       so that nothing it mounts or starts outlives it; --offline adds a network namespace of
#       its own with only a loopback device, so that its X servers and buses (abstract Unix
#       sockets are per network namespace) never meet this machine's. A check's steps take
#       limits that add up to less than its own CTest TIMEOUT, so that its clean-up always runs
#   in_root_logged [--offline] SECONDS LOG WHAT-FAILED COMMAND...
#       the same with the output in $out/LOG; on a failure, its end is shown and the check fails
#   installed
#       the packages installed in the copy, sorted
#   install_and_start DEB
#       installs DEB (a path in the copy) with `apt-get install` alone, then the test's tools
#       (which must not bring what the package's Depends should), and starts the installed
#       program on a private Xvfb until its main menu shows
#   run_autopkgtest DEB DSC [--offline]
#       the package's autopkgtest with Debian's autopkgtest (installed first, unless offline),
#       on DEB and DSC (paths in the copy)

[ "$(id -u)" -eq 0 ] || skip "making and entering a chroot needs root"
for tool in debootstrap chroot unshare ip tar timeout flock; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/dev test installs it)"
done

# shellcheck source=/dev/null
host_suite="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
[ -n "$host_suite" ] || fail "/etc/os-release names no release"
arch="$(dpkg --print-architecture)"

# The first Debian archive that this machine's apt takes its own release from (one-line and
# deb822 sources alike).
host_mirror() {
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    awk -v suite="$host_suite" '$1 == "deb" {
        i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
        if ($(i + 1) == suite) { print $i; exit }
      }' "$file"
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk -v suite="$host_suite" '
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
    echo "chroot: $dir still has mounts; leaving it in place" >&2
    return 0
  fi
  rm -rf "$dir"
}

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

minimal_system() { # minimal_system SUITE CACHE_DIR
  suite="$1"
  mkdir -p "$2"
  base="$(realpath "$2")/debootstrap-$suite-minbase-$arch.tar"
  exec 9>"$base.lock"
  flock 9
  if [ ! -f "$base" ]; then
    local mirror
    mirror="$(host_mirror | head -n 1)"
    [ -n "$mirror" ] || fail "this machine's apt sources name no archive for $host_suite"
    step "debootstrap --variant=minbase $suite (kept as $base)"
    bootstrap_dir="$(realpath "$(mktemp -d "$2/bootstrap.XXXXXX")")"
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
}

fresh_root() {
  step "unpacking a fresh copy of $(basename "$base")"
  root="$(realpath "$(mktemp -d "$(dirname "$base")/root.XXXXXX")")"
  tar -C "$root" -xf "$base"
  # mktemp made it for root alone; it is the copy's /, which every user must be able to enter.
  chmod 755 "$root"
  # This machine's apt configuration; its sources too where the copy is of its own release,
  # otherwise the archive debootstrap took the release from.
  if [ "$suite" = "$host_suite" ]; then
    rm -f "$root/etc/apt/sources.list"
    cp -a /etc/apt/. "$root/etc/apt/"
  else
    # The settings this machine's packages brought are its release's, and are the other
    # release's packages' to bring: only the machine's own are taken.
    local file
    for file in /etc/apt/apt.conf.d/*; do
      dpkg-query -S "$file" >/dev/null 2>&1 || cp -a "$file" "$root/etc/apt/apt.conf.d/"
    done
  fi
  # Keyrings that the sources name by path and the copy does not have.
  local key
  for key in $(sed -nE 's/^Signed-By:[[:space:]]*(\/[^[:space:]]+).*/\1/p; s/.*signed-by=(\/[^] ]+).*/\1/p' \
    "$root"/etc/apt/sources.list "$root"/etc/apt/sources.list.d/*.list \
    "$root"/etc/apt/sources.list.d/*.sources 2>/dev/null | sort -u); do
    if [ -f "$key" ] && [ ! -e "$root$key" ]; then
      mkdir -p "$(dirname "$root$key")"
      cp "$key" "$root$key"
    fi
  done
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  # No service starts inside the copy.
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod 755 "$root/usr/sbin/policy-rc.d"
}

work=/tmp/quiravel-check
in_root() { # in_root [--offline] SECONDS COMMAND...
  local net=() lo=:
  if [ "$1" = --offline ]; then
    net=(--net) lo="ip link set lo up"
    shift
  fi
  local seconds="$1"
  shift
  mkdir -p "$root$work"
  timeout --kill-after=10 "$seconds" unshare --mount --pid --fork --kill-child "${net[@]}" \
    --mount-proc="$root/proc" sh -ec "$lo"'
      root="$1"; shift
      mount -t sysfs -o ro sysfs "$root/sys"
      mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
      mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
      mount --bind "$root/dev/pts/ptmx" "$root/dev/ptmx"
      exec chroot "$root" /usr/bin/env -i --chdir="$0" PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"' \
    "$work" "$root" "$@"
}
in_root_logged() { # in_root_logged [--offline] SECONDS LOG WHAT-FAILED COMMAND...
  local offline=()
  if [ "$1" = --offline ]; then
    offline=(--offline)
    shift
  fi
  local seconds="$1" log="$out/$2" what="$3"
  shift 3
  in_root "${offline[@]}" "$seconds" "$@" >"$log" 2>&1 || {
    tail -n 80 "$log" >&2
    fail "$what in the chroot"
  }
}
installed() { in_root 60 dpkg-query -W -f='${Package}\n' | sort; }

install_and_start() { # install_and_start DEB
  local deb="$1"
  step "apt-get install ./${deb##*/}"
  in_root_logged 300 install.log "apt-get install ./${deb##*/} failed" \
    apt-get install -y -qq --no-install-recommends "$deb"
  installed >"$out/with-package.txt"
  step "installing the test's tools (Xvfb, xwininfo, fc-list)"
  in_root_logged 240 tools.log "could not install the test's tools" \
    apt-get install -y -qq --no-install-recommends xvfb x11-utils fontconfig
  installed >"$out/with-tools.txt"
  local masking
  masking="$(comm -13 "$out/with-package.txt" "$out/with-tools.txt" |
    grep -E '^(fonts-|xfonts-|ttf-|libqt6|qt6-)' || true)"
  [ -z "$masking" ] || fail "the test's tools brought what the package should have: $masking"
  step "starting /usr/bin/quiravel on Xvfb"
  cp "$here/chroot_start.sh" "$here/../support/stop.sh" "$root$work/"
  in_root --offline 120 bash "$work/chroot_start.sh" "$work" ||
    fail "the installed program did not show its menu on $suite"
}

run_autopkgtest() { # run_autopkgtest DEB DSC [--offline]
  local deb="$1" dsc="$2" status=0
  step "autopkgtest ${deb##*/} ${dsc##*/} -- null"
  if [ "${3:-}" != --offline ]; then
    in_root_logged 300 autopkgtest-install.log "could not install autopkgtest" \
      apt-get install -y -qq --no-install-recommends autopkgtest
  fi
  in_root ${3:-} 600 autopkgtest --output-dir "$work/autopkgtest" "$deb" "$dsc" -- null \
    >"$out/autopkgtest.log" 2>&1 || status=$?
  local summary="$root$work/autopkgtest/summary"
  if [ "$status" -ne 0 ] || ! grep -Eq '^depression-road[[:space:]]+PASS' "$summary"; then
    tail -n 80 "$out/autopkgtest.log" >&2
    fail "the autopkgtest did not pass on $suite (exit status $status):" \
      "$(cat "$summary" 2>/dev/null)"
  fi
  echo "autopkgtest: $(cat "$summary")"
}
