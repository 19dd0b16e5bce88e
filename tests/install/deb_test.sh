#!/usr/bin/env bash
# Builds the Debian package and checks it as Debian would: lintian, Depends
# on the runtime libraries, the layout, the desktop entry, the software-centre
# listing and the manual page; then plays the unpacked game from an unrelated
# folder (deb_play.py).
#   deb_test.sh OUTDIR SOURCEDIR
set -euo pipefail
out=$1 source=$2
. "$(dirname "$0")/lib.sh"
version=$(sed -n 's/^project(quellmarrow VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
deb=$(bash "$source/packaging/deb.sh" "$out" | tail -n1)
[ "$(basename "$deb")" = "quellmarrow_${version}_$(dpkg --print-architecture).deb" ] || fail "package named $deb"

lintian --fail-on error,warning "$deb" >"$out/lintian.txt" 2>&1 || { cat "$out/lintian.txt" >&2; fail "lintian has errors or warnings"; }
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
depends=", $(field Depends),"
for lib in liballegro4.4 libdumb1 libaldmb1; do
  [[ $depends =~ ,\ $lib[\ ,] ]] || fail "Depends does not name $lib:$depends"
done
[[ $depends != *-dev[\ ,]* ]] || fail "Depends names a -dev package:$depends"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
usr="$root/usr"
for f in games/quellmarrow lib/games/quellmarrow/quellmarrow; do
  [ -x "$usr/$f" ] || fail "no executable /usr/$f"
done
for f in $("$QM_FACTS" sounds); do
  cmp -s "$source/data/$f" "$usr/share/games/quellmarrow/$f" || fail "/usr/share/games/quellmarrow/$f missing or not the one in data/"
done
grep -qx 'License: Expat' "$usr/share/doc/quellmarrow/copyright" || fail "the copyright file grants no MIT (Expat) licence"

# One listing; the desktop entry carries its ID and starts the launcher.
metainfo=$(echo "$usr"/share/metainfo/*.metainfo.xml)
[ -f "$metainfo" ] || fail "not one metainfo file: $metainfo"
id=$(basename "$metainfo" .metainfo.xml)
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's <id> is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo launches no $id.desktop"
appstreamcli validate --no-net "$metainfo" >"$out/appstream.txt" 2>&1 || { cat "$out/appstream.txt" >&2; fail "appstreamcli rejects the metainfo"; }
desktop="$usr/share/applications/$id.desktop"
[ -f "$desktop" ] || fail "no desktop entry $id.desktop"
grep -qx 'Exec=quellmarrow --quiet' "$desktop" || fail "the desktop entry does not start quellmarrow --quiet from the PATH"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"

page="$usr/share/man/man6/quellmarrow.6.gz"
[ -f "$page" ] || fail "no manual page in section 6"
text=$(MANWIDTH=80 man --warnings -l "$page" 2>"$out/man-warnings.txt")
[ ! -s "$out/man-warnings.txt" ] || fail "man warns: $(cat "$out/man-warnings.txt")"
for option in --window --fps --seed --quiet --record --replay --help --version DISPLAY "EXIT STATUS"; do
  grep -q -- "$option" <<<"$text" || fail "the manual page does not document $option"
done

python3 "$(dirname "$0")/play_installed.py" --game "$usr/games/quellmarrow" --data "$usr/share/games/quellmarrow"
echo "$(basename "$deb"): lintian clean, listing and entry valid, the unpacked game plays"
