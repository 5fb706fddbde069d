#!/usr/bin/env bash
# Checks the control fields and the contents of the Debian package that packaging/build-package
# made, and that the package's own tests ran and passed as it was built.
#
#   check_deb.sh PACKAGE_DIR APP_ID VERSION
set -euo pipefail

if [ "$#" -ne 3 ]; then
  echo "usage: $0 PACKAGE_DIR APP_ID VERSION" >&2
  exit 2
fi
dir="$1" app_id="$2" version="$3"

# shellcheck source=package.sh
. "$(dirname "${BASH_SOURCE[0]}")/package.sh"

for tool in dpkg-deb awk; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/dev test installs it)"
done

package_files "$dir"
arch="$(dpkg --print-architecture)"
[ "$(basename "$deb")" = "quiravel_${version}_$arch.deb" ] ||
  fail "unexpected package file name $(basename "$deb")"
[ "$(basename "$dbgsym")" = "quiravel-dbgsym_${version}_$arch.deb" ] ||
  fail "unexpected debug symbols package name $(basename "$dbgsym")"
grep -Eq '^100% tests passed, 0 tests failed out of [1-9]' "$dir/build.log" ||
  fail "dh_auto_test ran no tests, or not all passed (see $dir/build.log)"

# --- Control fields ------------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = "quiravel" ] || fail "Package is '$(field Package)', expected 'quiravel'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', expected '$version'"
[ -n "$(field Maintainer)" ] || fail "the package has no Maintainer"
[ -n "$(field Section)" ] || fail "the package has no Section"

description="$(field Description)"
grep -Fq "screening aid, not a diagnosis" <<<"$description" ||
  fail "Description does not say it is a screening aid, not a diagnosis:"$'\n'"$description"
grep -Fq "stores nothing and sends nothing" <<<"$description" ||
  fail "Description does not say it stores nothing and sends nothing:"$'\n'"$description"

# Depends is a comma-separated list of clauses, each "name [(version)]" or alternatives
# joined by "|". Collect every package name it mentions.
depends="$(field Depends)"
mapfile -t depend_names < <(tr ',|' '\n' <<<"$depends" |
  sed -E 's/^[[:space:]]*//; s/[[:space:](:].*$//' | sed '/^$/d')

# libqt6widgets6 comes from dpkg-shlibdeps; the rest are named by hand because shlibdeps
# cannot see them.
for wanted in libqt6widgets6 fonts-liberation fonts-dejavu-core fonts-dejavu-extra \
  qt6-qpa-plugins; do
  found=no
  for name in "${depend_names[@]}"; do
    if [ "$name" = "$wanted" ]; then
      found=yes
      break
    fi
  done
  [ "$found" = yes ] || fail "Depends lacks $wanted: $depends"
done

# --- Contents ------------------------------------------------------------------------------
# dpkg-deb -c lists "mode owner size date time path" per entry.
listing="$(dpkg-deb -c "$deb")"
mode_of() {
  awk -v path="./$1" '$6 == path { print $1; found = 1 } END { exit !found }' <<<"$listing"
}

for path in \
  usr/bin/quiravel \
  "usr/share/applications/$app_id.desktop" \
  "usr/share/metainfo/$app_id.metainfo.xml" \
  "usr/share/icons/hicolor/32x32/apps/$app_id.png" \
  "usr/share/icons/hicolor/48x48/apps/$app_id.png" \
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
  usr/share/man/man1/quiravel.1.gz \
  usr/share/doc/quiravel/copyright \
  usr/share/doc/quiravel/changelog.gz; do
  mode="$(mode_of "$path")" || fail "the package lacks /$path"$'\n'"$listing"
  [ "${mode:0:1}" = "-" ] || fail "/$path in the package is not a regular file ($mode)"
done

mode="$(mode_of usr/bin/quiravel)"
[ "$mode" = "-rwxr-xr-x" ] || fail "/usr/bin/quiravel in the package has mode $mode, not -rwxr-xr-x"

# Nothing of the build tree (tests, benchmarks, libraries) may ride along.
expected='^\./usr/(bin/quiravel|share/(applications|metainfo|icons/hicolor/[^/]+/apps|man/man1|doc/quiravel)/[^/]+)$'
unexpected="$(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | grep -Ev "$expected" || true)"
[ -z "$unexpected" ] || fail "the package holds files it should not:"$'\n'"$unexpected"

echo "PASS: $(basename "$deb") depends on $depends"
