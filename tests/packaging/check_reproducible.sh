#!/usr/bin/env bash
# Builds the packages a second time and compares them byte for byte with those that
# packaging.package made, both with packaging/build-package: anyone can then check that a
# package was built from this source.
#
#   check_reproducible.sh SOURCE_DIR PACKAGE_DIR
#
# The second build differs from the first in all a build should not depend on: another, deeper
# folder; source files dated now rather than as in the work tree (as in a fresh clone); the time
# zone (UTC+14 instead of UTC); the locale (C instead of C.UTF-8); the umask (002 instead of
# 022); one job instead of two; and without the tests (DEB_BUILD_OPTIONS=nocheck), which must
# not change what is built either. On a difference, diffoscope shows where.
set -euo pipefail

if [ "$#" -ne 2 ]; then
  echo "usage: $0 SOURCE_DIR PACKAGE_DIR" >&2
  exit 2
fi
source="$1" first_dir="$2"

# shellcheck source=package.sh
. "$(dirname "${BASH_SOURCE[0]}")/package.sh"

package_files "$first_dir"
first=("$deb" "$dbgsym")

out="$(mktemp -d "${TMPDIR:-/tmp}/quiravel-reproducible.XXXXXX")"
trap 'rm -rf "$out"' EXIT
second_dir="$out/another/place"
"$source/packaging/build-package" --umask 002 --touch "$source" "$second_dir" TZ=Etc/GMT-14 \
  LC_ALL=C LANGUAGE=C DEB_BUILD_OPTIONS="nocheck parallel=1" -- --build=binary -Pnocheck ||
  fail "packaging/build-package failed"
package_files "$second_dir"
second=("$deb" "$dbgsym")

status=0
for i in 0 1; do
  cmp -s "${first[i]}" "${second[i]}" && continue
  status=1
  diffoscope --text - "${first[i]}" "${second[i]}" | head -n 300 >&2 || true
done
[ "$status" -eq 0 ] || fail "the two builds made different packages"
echo "PASS: both builds made the same packages:"
(cd "$first_dir" && sha256sum "$(basename "${first[0]}")" "$(basename "${first[1]}")")
