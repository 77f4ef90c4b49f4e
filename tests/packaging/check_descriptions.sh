#!/usr/bin/env bash
# What the program offers is named wherever a user looks before starting it: the manual pages,
# the AppStream description in English and German (xml:lang) and its keywords.
#   check_descriptions.sh SOURCE_DIR METAINFO
set -euo pipefail
source=$1 metainfo=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

names() { # file, then the words it must hold
  local file=$1
  shift
  for word in "$@"; do
    grep -q -F -- "$word" "$file" || fail "$(basename "$file") does not name $word"
  done
}
man=$source/data/packaging/man
names "$man/quarvel.1" Karte Code-Knacker "Weitere Chiffren" Koordinatenrechner UTM MGRS "Plus Code"
names "$man/quarvel-cli.1" '.B \-\-' Morse 'chiffre \-\-liste' 'knacken \-\-leerzeichen' \
  'rechner format' 'rechner projektion' 'quarvel\-cli gccode' 'quarvel\-cli \-\-json gpx' \
  Code-Knacker Koordinatenrechner
# Each example of the manual page for the command line is a real call: its command exists.
grep -A40 '^\.SH BEISPIELE' "$man/quarvel-cli.1" | grep '^quarvel\\-cli' >/dev/null \
  || fail "quarvel-cli.1 has no examples"

names "$metainfo" "Code breaker" "Code-Knacker" "<li>a map" "<li>eine Karte" "Plus Codes" \
  'Chiffren und Codes' '<keyword xml:lang="de">Karte</keyword>'
# German text carries xml:lang="de": every element with an umlaut or ß does.
# The release notes come from Historie.txt, which is German throughout; the check is for the
# component's own description and keywords above them.
if sed '/<releases>/,$d' "$metainfo" | grep -n '[äöüß]' | grep -v 'xml:lang="de"' | grep -v -E '^[0-9]+:[[:space:]]*(<li>|[^<[:space:]])' \
  | grep -q .; then
  fail "German text without xml:lang in $(basename "$metainfo")"
fi
german_list=$(sed -n '/<ul xml:lang="de">/,/<\/ul>/p' "$metainfo")
for word in Code-Knacker Karte Chiffren Koordinatenformate; do
  grep -q -- "$word" <<<"$german_list" || fail "the German description does not name $word"
done
echo "descriptions ok"
