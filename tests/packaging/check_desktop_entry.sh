#!/usr/bin/env bash
# The menu entry passes desktop-file-validate and ties the program's windows to itself: German
# and untranslated names, the icon under the application id, the window class Quarvel.
set -euo pipefail
entry=$1
id=$(basename "$entry" .desktop)
fail() { echo "FAIL: $*" >&2; exit 1; }

output=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $output"
[ -z "$output" ] || fail "desktop-file-validate has remarks: $output"

value() { grep -m1 "^$1=" "$entry" | cut -d= -f2-; }
for key in Name 'Name\[de\]' GenericName 'GenericName\[de\]' Comment 'Comment\[de\]' \
           Keywords 'Keywords\[de\]'; do
  [ -n "$(value "$key")" ] || fail "$key is missing"
done
[ "$(value Categories)" = "Utility;" ] || fail "Categories: $(value Categories)"
[ "$(value Icon)" = "$id" ] || fail "Icon should be the application id $id: $(value Icon)"
[ "$(value Exec)" = "quarvel" ] || fail "Exec: $(value Exec)"
# Qt names the window class after the application name the program sets: "Quarvel".
[ "$(value StartupWMClass)" = "Quarvel" ] || fail "StartupWMClass: $(value StartupWMClass)"
for word in Geocaching Rätsel Koordinaten Chiffre Code-Knacker Karte GPX; do
  value 'Keywords\[de\]' | tr ';' '\n' | grep -x "$word" >/dev/null || fail "German keyword $word missing"
done
for word in 'Code breaker' Map GPX; do
  value Keywords | tr ';' '\n' | grep -x "$word" >/dev/null || fail "keyword $word missing"
done
echo "desktop entry ok"
