#!/usr/bin/env bash
# The README's commands on another Debian release, in a minimal system of it (debootstrap
# --variant=minbase from the archive this machine's apt uses, with its apt configuration):
#
#   check_release.sh test SOURCE_DIR CACHE_DIR SUITE
#       `scripts/dev test --label-exclude chroot` in a copy of the source tree under /root:
#       the set-up, both builds and every test but those that make a minimal Debian of their
#       own, in a network namespace of its own (the set-up's downloads come before, outside it);
#       then the package's autopkgtest there, with the package that suite made
#   check_release.sh package SOURCE_DIR CACHE_DIR SUITE
#       `scripts/dev package` there, lintian on what it made (no error, no warning), then
#       `apt-get install ./build/package/quiravel_*.deb` and the installed program started on
#       a private Xvfb until its main menu shows
#
# It prints the versions of what it built and tested with. Needs root.
set -euo pipefail

if [ "$#" -ne 4 ] || { [ "$1" != test ] && [ "$1" != package ]; }; then
  echo "usage: $0 test|package SOURCE_DIR CACHE_DIR SUITE" >&2
  exit 2
fi
mode="$1" source="$2" cache="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# shellcheck source=package.sh
. "$here/package.sh"
# shellcheck source=chroot.sh
. "$here/chroot.sh"

minimal_system "$4" "$cache"
fresh_root
tree=/root/quiravel
"$source/packaging/copy-source" "$source" "$root$tree"

versions() {
  echo "$suite: $(in_root 60 cat /etc/debian_version);" \
    "$(in_root 60 dpkg-query -W -f='${Package} ${Version}; ' "$@" 2>/dev/null)"
}

if [ "$mode" = test ]; then
  step "scripts/dev deps test"
  in_root_logged 900 deps.log "scripts/dev deps test failed" "$tree/scripts/dev" deps test
  # The autopkgtest comes last, offline: its tool now.
  in_root_logged 300 autopkgtest-install.log "could not install autopkgtest" \
    apt-get install -y -qq --no-install-recommends autopkgtest
  versions qt6-base-dev g++ cmake python3 at-spi2-core orca appstream lintian
  step "scripts/dev test --label-exclude chroot, offline"
  status=0
  in_root --offline 2700 "$tree/scripts/dev" test --label-exclude chroot >"$out/test.log" 2>&1 ||
    status=$?
  sed -n '/^== Both suites/,$p' "$out/test.log"
  if [ "$status" -ne 0 ]; then
    grep -E -B2 -A40 '^[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*(Failed|Timeout|Exception)' \
      "$out/test.log" | tail -n 400 >&2 || true
    fail "scripts/dev test failed on $suite (exit status $status)"
  fi
  package_files "$root$tree/build/package" dsc
  run_autopkgtest "$tree/build/package/${deb##*/}" "$tree/build/package/${dsc##*/}" --offline
  echo "PASS: on a minimal $suite, scripts/dev test set up, built and passed both suites, and" \
    "the package's autopkgtest passed"
  exit 0
fi

step "scripts/dev package"
in_root_logged 1800 package.log "scripts/dev package failed" "$tree/scripts/dev" package
versions qt6-base-dev g++ cmake debhelper dpkg-dev
step "lintian"
in_root_logged 300 lintian-install.log "could not install lintian" \
  apt-get install -y -qq --no-install-recommends lintian
cp "$here/check_lintian.sh" "$here/package.sh" "$root$work/"
versions lintian
in_root 300 bash "$work/check_lintian.sh" --fail-on error,warning "$tree/build/package" ||
  fail "lintian on $suite"
package_files "$root$tree/build/package"
install_and_start "$tree/build/package/${deb##*/}"
echo "PASS: on a minimal $suite, scripts/dev package made the package, lintian found no" \
  "error or warning, and the installed program showed its menu"
