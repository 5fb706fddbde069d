# Sourced by the package checks.
#
#   fail MESSAGE, skip MESSAGE
#       end the check as failed, or as skipped (exit status 77)
#   package_files DIR [dsc] [changes]
#       sets deb and dbgsym (and dsc and changes, where asked) to the files that
#       packaging/build-package left in DIR; fails unless there is exactly one of each
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
skip() {
  echo "SKIP: $*" >&2
  exit 77
}

package_files() {
  local dir="$1" name pattern files
  shift
  for name in deb dbgsym "$@"; do
    pattern="quiravel_*.$name"
    [ "$name" != dbgsym ] || pattern="quiravel-dbgsym_*.deb"
    shopt -s nullglob
    files=("$dir"/$pattern)
    shopt -u nullglob
    [ "${#files[@]}" -eq 1 ] ||
      fail "expected one $pattern in $dir, found ${#files[@]}: ${files[*]:-none}"
    printf -v "$name" '%s' "${files[0]}"
  done
}
