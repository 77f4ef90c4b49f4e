#!/usr/bin/env bash
# Builds the Debian package from this build, checks its control data and lintian's verdict,
# unpacks it into a temporary root and starts the installed program there, offscreen and with a
# fresh HOME. A probe plug-in drives it: it must show a chart and the history from the
# installed files, and the address book must save into the user's data folder.
#   check_deb.sh BUILD_DIR VERSION PROBE_PLUGIN_DIR
set -euo pipefail
build=$1 version=$2 probe=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB -B "$work/pkg" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack"; }
deb="$work/pkg/quarvel_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$work/pkg")"

# Control data: the libraries found by dpkg-shlibdeps, no maintainer scripts.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6network6 libc6 qt6-translations-l10n; do
  grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = quarvel ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version"
synopsis=$(dpkg-deb -f "$deb" Description | sed -n 1p)
[ "$synopsis" = "Werkzeugkasten für Geocaching-Rätsel" ] || fail "description: $synopsis"
description=$(dpkg-deb -f "$deb" Description)
for word in Karte Code-Knacker Chiffren Koordinatenrechner quarvel-cli; do
  grep -q -- "$word" <<<"$description" || fail "the package description does not name $word"
done
dpkg-deb -e "$deb" "$work/control"
extra=$(ls "$work/control" | grep -v -x -e control -e md5sums || true)
[ -z "$extra" ] || fail "unexpected maintainer scripts: $extra"

# Debian's policy, as lintian checks it: a warning or an error fails; the overrides the package
# ships say why a tag does not apply to it.
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 \
  || { cat "$work/lintian.log"; fail "lintian"; }

root="$work/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/quarvel usr/share/quarvel/Historie.txt usr/share/quarvel/Morse_Code.jpg \
         usr/share/doc/quarvel/copyright usr/share/doc/quarvel/changelog.gz \
         usr/share/man/man1/quarvel.1.gz usr/share/man/man1/quarvel-cli.1.gz; do
  [ -f "$root/$f" ] || fail "$f is not in the package"
done
# The hardening Debian packages carry: a read-only relocation table bound at start (relro,
# bindnow) and the checked variants of the buffer functions (fortify).
for program in usr/bin/quarvel usr/bin/quarvel-cli; do
  readelf -l "$root/$program" | grep -q GNU_RELRO || fail "$program: no relro"
  readelf -d "$root/$program" | grep -E -q 'BIND_NOW|FLAGS.*\bNOW\b' || fail "$program: no bindnow"
  if [ "${QUARVEL_EXPECT_FORTIFY:-0}" = 1 ]; then
    readelf --dyn-syms "$root/$program" | grep -q '__[a-z_]*_chk' || fail "$program: not fortified"
  fi
done
owners=$(dpkg-deb --fsys-tarfile "$deb" | tar -t -v | awk '{print $2}' | sort -u)
[ "$owners" = "root/root" ] || fail "files not owned by root: $owners"

# The installed program, with a fresh home and no other user settings.
home="$work/home"
mkdir -p "$home" "$work/bin"
# The desktop's document opener, faked: it notes what the help entry asks to open.
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$work/opened" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
before=$(cd "$root" && find . | sort)
status=0
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u DISPLAY -u WAYLAND_DISPLAY \
  HOME="$home" PATH="$work/bin:$PATH" LANG=de_DE.UTF-8 QT_QPA_PLATFORM=offscreen \
  QT_PLUGIN_PATH="$probe" QT_QPA_GENERIC_PLUGINS=quarvelprobe QUARVEL_PROBE_REPORT="$work/report" \
  timeout 180 "$root/usr/bin/quarvel" >"$work/run.log" 2>&1 || status=$?
cat "$work/report" 2>/dev/null || true
[ "$status" -eq 0 ] || { cat "$work/run.log"; fail "the installed program ended with $status"; }
grep -q '^ok finished' "$work/report" || fail "the probe did not finish"
! grep -q '^FAIL' "$work/report" || fail "the probe found faults"

[ -f "$home/.local/share/Quarvel/Cacher.dat" ] || fail "no address book in the user's data folder"
[ -f "$home/.config/Brask/registry.reg" ] || fail "no settings in the user's configuration folder"
after=$(cd "$root" && find . | sort)
[ "$before" = "$after" ] || fail "the program wrote into its installation:
$(diff <(echo "$before") <(echo "$after"))"
# The help opens from the installation once the package carries it. Without a desktop, Qt
# names the document it was asked to open in its log; with one, the opener gets it.
if [ -f "$root/usr/share/quarvel/Quarvel.chm" ] || [ -d "$root/usr/share/quarvel/hilfe" ]; then
  { cat "$work/run.log"; cat "$work/opened" 2>/dev/null || true; } \
    | grep -E "$root/usr/share/quarvel/(Quarvel\.chm|hilfe/)" >/dev/null \
    || fail "the help was not opened from the installation: $(cat "$work/run.log")"
fi
echo "package ok: $(basename "$deb")"
