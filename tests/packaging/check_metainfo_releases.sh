#!/usr/bin/env bash
# The AppStream release history is read from a history text: dated releases in their order,
# headings as paragraphs, items with their continuation lines, XML characters and semicolons
# kept, an undated release left out; the result validates.
#   check_metainfo_releases.sh SOURCE_DIR
set -euo pipefail
src=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/Historie.txt" <<'TEXT'
Quarvel – Änderungshistorie
===========================

Version 2.0.0.0
---------------
- noch ohne Datum

Version 1.1.0.0 vom 24.12.2026
------------------------------
Werkzeuge
- Trifid: Punkt & Strich <neu>;
  zweite Zeile

Version 1.0.0.0 vom 09.12.2026
------------------------------
Erste Veröffentlichung.
TEXT
out="$work/x.metainfo.xml"
cmake -DHISTORY="$work/Historie.txt" -DTEMPLATE="$src/data/packaging/quarvel.metainfo.xml.in" \
  -DOUTPUT="$out" -DQUARVEL_APP_ID=de.quarvel.Quarvel -P "$src/cmake/MetaInfoReleases.cmake" \
  >"$work/log" 2>&1 || { cat "$work/log"; fail "the generator failed"; }
grep -q '2\.0\.0\.0' "$work/log" || fail "no warning about the undated release"
appstreamcli validate --no-net "$out" >/dev/null || { appstreamcli validate --no-net "$out"; fail "invalid"; }

releases=$(grep -o '<release version="[^"]*" date="[^"]*">' "$out" | tr '\n' ' ')
[ "$releases" = '<release version="1.1.0.0" date="2026-12-24"> <release version="1.0.0.0" date="2026-12-09"> ' ] \
  || fail "releases: $releases"
grep -q '<p>Werkzeuge</p>' "$out" || fail "heading"
grep -q '<li>Trifid: Punkt &amp; Strich &lt;neu&gt;; zweite Zeile</li>' "$out" || fail "item: $(grep '<li>Trifid' "$out")"
grep -q '<p>Erste Veröffentlichung.</p>' "$out" || fail "paragraph"
! grep -q 'noch ohne Datum' "$out" || fail "the undated release is in"
echo "release history ok"
