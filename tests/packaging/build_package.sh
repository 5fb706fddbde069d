#!/usr/bin/env bash
# Makes the packages that the other package checks look at, the one way they are made
# (packaging/build-package), and checks that the package's own tests ran and passed in it.
#
#   build_package.sh SOURCE_DIR OUT_DIR
set -euo pipefail

if [ "$#" -ne 2 ]; then
  echo "usage: $0 SOURCE_DIR OUT_DIR" >&2
  exit 2
fi
source="$1" out="$2"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# shellcheck source=package.sh
. "$(dirname "${BASH_SOURCE[0]}")/package.sh"

# Two jobs, as CTest gives this test two processors.
"$source/packaging/build-package" "$source" "$out" DEB_BUILD_OPTIONS=parallel=2 ||
  fail "packaging/build-package failed"
package_files "$out" dsc changes
grep -Eq '^100% tests passed, 0 tests failed out of [1-9]' "$out/build.log" ||
  fail "dh_auto_test ran no tests, or not all passed (see $out/build.log)"
echo "PASS: the package's tests passed; made $(cd "$out" && echo quiravel*.dsc quiravel*.deb)"
