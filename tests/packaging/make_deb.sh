# Sourced by the package checks.
#
#   make_deb BUILD DIR   makes the Debian package of the build folder BUILD in DIR with cpack
#                        and sets `deb` to it; calls the caller's fail() when cpack fails or
#                        leaves anything but exactly one package.
make_deb() {
  local build="$1" dir="$2" debs
  mkdir -p "$dir"
  if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$dir" >"$dir/cpack.log" 2>&1; then
    cat "$dir/cpack.log" >&2
    fail "cpack -G DEB failed"
  fi
  shopt -s nullglob
  debs=("$dir"/*.deb)
  shopt -u nullglob
  [ "${#debs[@]}" -eq 1 ] || fail "expected one .deb in $dir, found ${#debs[@]}: ${debs[*]:-none}"
  deb="${debs[0]}"
}
