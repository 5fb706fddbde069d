#!/usr/bin/env bash
# Installs the build tree into a staging prefix and checks what a desktop sees there: the
# desktop entry, the AppStream metainfo, the program its entry starts, and the icons.
#
#   check_install.sh BUILD_DIR SOURCE_DIR APP_ID BINDIR DATADIR
#
# BINDIR and DATADIR are the install directories relative to the prefix.
set -euo pipefail

if [ "$#" -ne 5 ]; then
  echo "usage: $0 BUILD_DIR SOURCE_DIR APP_ID BINDIR DATADIR" >&2
  exit 2
fi
build="$1" source="$2" app_id="$3" bindir="$4" datadir="$5"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in cmake desktop-file-validate appstreamcli od cmp awk readelf; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/dev test installs it)"
done

stage="$(mktemp -d "${TMPDIR:-/tmp}/quiravel-install.XXXXXX")"
trap 'rm -rf "$stage"' EXIT
prefix="$stage/usr"

if ! cmake --install "$build" --prefix "$prefix" >"$stage/install.log" 2>&1; then
  cat "$stage/install.log" >&2
  fail "cmake --install into $prefix failed"
fi

# --- Desktop entry -------------------------------------------------------------------------
desktop="$prefix/$datadir/applications/$app_id.desktop"
[ -f "$desktop" ] || fail "no desktop entry at $desktop"

# The validator exits 0 on hints and warnings; this entry is meant to have none.
if ! report="$(desktop-file-validate "$desktop" 2>&1)"; then
  fail "desktop-file-validate rejects $desktop:"$'\n'"$report"
fi
[ -z "$report" ] || fail "desktop-file-validate complains about $desktop:"$'\n'"$report"

# The value of KEY in the [Desktop Entry] group, or nothing.
entry_value() {
  awk -v key="$1" '
    /^\[/ { in_entry = ($0 == "[Desktop Entry]"); next }
    in_entry && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
  ' "$desktop"
}

# A missing Exec passes the validator, so look at it here: its program must be installed in
# the bin directory, found there by name, and be executable.
exec_line="$(entry_value Exec)"
[ -n "$exec_line" ] || fail "$desktop has no Exec key"
program="${exec_line%% *}"
case "$program" in
  */*) fail "Exec names a path ($program); it should name the program, found on PATH" ;;
esac
[ -f "$prefix/$bindir/$program" ] || fail "Exec program '$program' is not in $prefix/$bindir"
[ -x "$prefix/$bindir/$program" ] || fail "Exec program '$program' is not executable"

[ "$(entry_value Icon)" = "$app_id" ] || fail "Icon is '$(entry_value Icon)', expected '$app_id'"
[ "$(entry_value Name)" = "Quiravel" ] || fail "Name is '$(entry_value Name)', expected 'Quiravel'"
[ -n "$(entry_value Categories)" ] || fail "$desktop has no Categories"
[ -n "$(entry_value Keywords)" ] || fail "$desktop has no Keywords"

# --- Library search path -------------------------------------------------------------------
# The program uses only the system's libraries, so neither the installed program nor the one in
# the build tree (which scripts/dev run starts) may carry a run path: it would only add places
# to look, and an empty entry in one stands for the current directory, from which a library
# planted there would then be loaded.
for binary in "$prefix/$bindir/$program" "$build/app/$program"; do
  [ -f "$binary" ] || fail "no program at $binary"
  dynamic="$(readelf -d "$binary")" || fail "readelf cannot read $binary"
  if search="$(grep -E '\((RUNPATH|RPATH)\)' <<<"$dynamic")"; then
    fail "$binary has a library search path:"$'\n'"$search"
  fi
done

# --- AppStream metainfo --------------------------------------------------------------------
metainfo="$prefix/$datadir/metainfo/$app_id.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream metainfo at $metainfo"

# Every finding down to the pedantic ones fails (even --strict leaves the exit status at 0 on
# pedantic findings), but for one that stays: AppStream before 1.0 (Debian 12's 0.16) does not
# know the <developer> element that 1.0 asks for in place of <developer_name>.
report="$(appstreamcli validate --no-net --pedantic --strict "$metainfo" 2>&1)" || true
findings="$(grep -E '^[EWIP]: ' <<<"$report" | grep -Ev '^I: [^ ]+ unknown-tag developer$' || true)"
if [ -n "$findings" ] || ! grep -q 'Validation' <<<"$report"; then
  fail "appstreamcli has findings for $metainfo:"$'\n'"$report"
fi

# The metainfo must describe this entry and this program.
expect_in_metainfo() {
  grep -Fq -- "$1" "$metainfo" || fail "$metainfo lacks: $1"
}
expect_in_metainfo "<id>$app_id</id>"
expect_in_metainfo "<launchable type=\"desktop-id\">$app_id.desktop</launchable>"
expect_in_metainfo "<binary>$program</binary>"
expect_in_metainfo "<internet>offline-only</internet>"
expect_in_metainfo "stores nothing and sends nothing"
expect_in_metainfo "screening aid, not a diagnosis"
expect_in_metainfo "<project_license>GPL-3.0-or-later</project_license>"
expect_in_metainfo "<developer id="
expect_in_metainfo "<content_rating type=\"oars-1.1\""
grep -Eq '<release version="[^"]+" date="[0-9]{4}-[0-9]{2}-[0-9]{2}"' "$metainfo" ||
  fail "$metainfo has no release with a date"

# --- Icons ---------------------------------------------------------------------------------
hicolor="$prefix/$datadir/icons/hicolor"

# Width and height of a PNG, from its IHDR chunk (big-endian at bytes 16..23).
png_size() {
  local -a b
  read -r -a b <<<"$(od -An -v -tu1 -N24 "$1" | tr '\n' ' ')"
  [ "${#b[@]}" -eq 24 ] || return 1
  # Signature 89 50 4E 47 0D 0A 1A 0A, then the IHDR chunk.
  [ "${b[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || return 1
  [ "${b[*]:12:4}" = "73 72 68 82" ] || return 1
  local width=$(((b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19]))
  local height=$(((b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23]))
  echo "${width}x${height}"
}

for size in 32 48; do
  icon="$hicolor/${size}x${size}/apps/$app_id.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon at $icon"
  actual="$(png_size "$icon")" || fail "$icon is not a PNG image"
  [ "$actual" = "${size}x${size}" ] || fail "$icon is $actual, expected ${size}x${size}"
  cmp -s "$icon" "$source/ui/frame/icons/quiravel-$size.png" ||
    fail "$icon differs from the project's quiravel-$size.png"
done

svg="$hicolor/scalable/apps/$app_id.svg"
[ -f "$svg" ] || fail "no scalable icon at $svg"
grep -q '<svg' "$svg" || fail "$svg is not an SVG image"
cmp -s "$svg" "$source/ui/frame/icons/quiravel.svg" ||
  fail "$svg differs from the project's quiravel.svg"

echo "PASS: staged install of $app_id is complete and valid"
