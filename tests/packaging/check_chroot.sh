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
# and removes it afterwards (chroot.sh). apt in the copy uses this machine's apt sources and
# configuration. Needs root.
set -euo pipefail

if [ "$#" -ne 3 ] || { [ "$1" != install ] && [ "$1" != build ]; }; then
  echo "usage: $0 install|build PACKAGE_DIR CACHE_DIR" >&2
  exit 2
fi
mode="$1" dir="$2" cache="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# shellcheck source=package.sh
. "$(dirname "${BASH_SOURCE[0]}")/package.sh"

# shellcheck source=chroot.sh
. "$here/chroot.sh"

minimal_system "$host_suite" "$cache"
fresh_root
package_files "$dir" dsc
mkdir -p "$root$work"
cp "$dsc" "$dir"/quiravel_*.tar.* "$root$work/"
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

# --- The package, installed as a user would, and its autopkgtest ------------------------------
cp "$deb" "$root$work/"
install_and_start "./$(basename "$deb")"
run_autopkgtest "./$(basename "$deb")" "./$(basename "$dsc")"
echo "PASS: on a minimal $suite, apt-get install ./$(basename "$deb") alone made a working program"
