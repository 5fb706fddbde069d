#!/usr/bin/env bash
# Builds the Debian package from the build tree and reads it as Debian's own checker does
# (lintian, every tag down to the pedantic ones), then checks the hardening of the program in
# it: any tag, or a missing protection, fails.
#
#   check_lintian.sh BUILD_DIR
set -euo pipefail

if [ "$#" -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build="$1"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in cpack lintian dpkg-deb readelf; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/dev test installs it)" >&2
    exit 77
  fi
done

out="$(mktemp -d "${TMPDIR:-/tmp}/quiravel-lintian.XXXXXX")"
trap 'rm -rf "$out"' EXIT

# shellcheck source=make_deb.sh
. "$(dirname "${BASH_SOURCE[0]}")/make_deb.sh"
make_deb "$build" "$out"

# --- lintian -------------------------------------------------------------------------------
# Overrides, where there are any, sit in the package with their reasons; lintian hides the
# tags they cover. Every tag it still prints is a finding.
status=0
lintian --info --pedantic --fail-on error,warning,info,pedantic "$deb" >"$out/lintian.txt" \
  2>"$out/lintian.err" || status=$?
if [ "$status" -ne 0 ] || grep -Eq '^[A-Z]: ' "$out/lintian.txt"; then
  cat "$out/lintian.txt" "$out/lintian.err" >&2
  fail "lintian has findings for $(basename "$deb") (exit status $status)"
fi

# --- Hardening -----------------------------------------------------------------------------
# lintian looks for RELRO, BIND_NOW, PIE and unfortified libc calls; the stack protector it
# does not look for, and FORTIFY_SOURCE shows in the program only where a call could be
# fortified. Each row: what, the readelf option, the line that proves it.
dpkg-deb -x "$deb" "$out/root"
program="$out/root/usr/bin/quiravel"
while IFS='|' read -r what option pattern; do
  report="$(readelf -W "$option" "$program")" || fail "readelf cannot read $program"
  grep -Eq "$pattern" <<<"$report" ||
    fail "/usr/bin/quiravel in the package lacks $what (readelf $option has no $pattern)"
done <<'EOF'
a position-independent executable|--file-header|Type:[[:space:]]+DYN
a position-independent executable|--dynamic|FLAGS_1.*PIE
read-only relocations (RELRO)|--program-headers|GNU_RELRO
immediate binding (BIND_NOW)|--dynamic|\(FLAGS\).*BIND_NOW
the stack protector|--dyn-syms|UND __stack_chk_fail
EOF

# The flags the program was compiled with, from the build's compilation database.
commands="$build/compile_commands.json"
[ -f "$commands" ] || fail "no compilation database at $commands"
main_command="$(grep -E '"command":.*/app/main\.cpp' "$commands")" ||
  fail "$commands has no command for app/main.cpp"
for flag in -D_FORTIFY_SOURCE=2 -fstack-protector-strong; do
  grep -Fq -- " $flag " <<<"$main_command" || fail "app/main.cpp is not compiled with $flag"
done

echo "PASS: lintian -I --pedantic has nothing to say about $(basename "$deb"); the program is hardened"
