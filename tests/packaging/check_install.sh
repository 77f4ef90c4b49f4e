#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks every installed file: nothing missing,
# nothing extra, each one what it should be.
#   check_install.sh BUILD_DIR APP_ID OUTPUT_DIR VERSION "SHIPPED FILES" "ICON SIZES"
set -euo pipefail
build=$1 id=$2 out=$3 version=$4
read -r -a shipped <<<"$5"
read -r -a sizes <<<"$6"
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; fail "cmake --install"; }
rm -f "$prefix.log"

expected=(bin/quarvel "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
          share/doc/quarvel/copyright share/doc/quarvel/changelog.gz
          share/man/man1/quarvel.1.gz share/man/man1/quarvel-cli.1.gz share/lintian/overrides/quarvel
          "share/icons/hicolor/scalable/apps/$id.svg")
for name in "${shipped[@]}"; do expected+=("share/quarvel/$name"); done
for size in "${sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done
# What other parts of the build add once they exist: the command-line program and the help.
[ -f "$out/quarvel-cli" ] && expected+=(bin/quarvel-cli)
[ -f "$out/Quarvel.chm" ] && expected+=(share/quarvel/Quarvel.chm)
if [ -d "$out/hilfe" ]; then
  while IFS= read -r f; do expected+=("share/quarvel/$f"); done < <(cd "$out" && find hilfe -type f)
fi

installed=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] || fail "installed files differ from the expected ones:
$(diff <(echo "$wanted") <(echo "$installed"))"

# The programs run from the prefix; the shipped files are the build's own.
[ -x "$prefix/bin/quarvel" ] || fail "bin/quarvel is not executable"
head -c4 "$prefix/bin/quarvel" | grep -q ELF || fail "bin/quarvel is no ELF program"
for name in "${shipped[@]}"; do
  cmp -s "$out/$name" "$prefix/share/quarvel/$name" || fail "share/quarvel/$name differs from the build"
done
[ ! -f "$out/Quarvel.chm" ] || cmp -s "$out/Quarvel.chm" "$prefix/share/quarvel/Quarvel.chm" \
  || fail "the help differs from the build"

# The manual pages and the changelog: compressed without name and time, and readable.
for page in share/man/man1/quarvel.1.gz share/man/man1/quarvel-cli.1.gz share/doc/quarvel/changelog.gz; do
  [ "$(od -An -tx1 -j4 -N4 "$prefix/$page" | tr -d ' ')" = 00000000 ] || fail "$page carries a time stamp"
  gzip -t "$prefix/$page" || fail "$page is no gzip file"
done
man -l "$prefix/share/man/man1/quarvel-cli.1.gz" 2>/dev/null | grep -q "quarvel-cli" \
  || fail "the manual page of quarvel-cli does not show"

# Icons: each PNG in its size, the SVG renders.
for size in "${sizes[@]}"; do
  got=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [ "$got" = "${size}x${size}" ] || fail "icon ${size}x${size} is $got"
done
rsvg-convert -w 64 -h 64 "$prefix/share/icons/hicolor/scalable/apps/$id.svg" -o "$prefix/svg.png" \
  || fail "the scalable icon does not render"
rm -f "$prefix/svg.png"

# Menu entry and metadata as installed.
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null \
  || { appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"; fail "metainfo"; }
meta="$prefix/share/metainfo/$id.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" || fail "launchable"
grep -q "<release version=\"$version\" date=\"[0-9-]*\">" "$meta" \
  || fail "the release history lacks the program's version $version"
grep -q '<content_rating type="oars-1.1"' "$meta" || fail "content rating"
grep -q 'xml:lang="de"' "$meta" || fail "German texts"
grep -q '^Files: \*' "$prefix/share/doc/quarvel/copyright" || fail "copyright file"
echo "install layout ok: ${#expected[@]} files"
