#!/usr/bin/env bash
# Installs the build into a fresh prefix, checks what lands where, and runs
# the installed command from the home folder through a link on the PATH, as
# a desktop user would. The game itself is started once, from the Debian
# package (deb_test.sh); here --version shows that the launcher finds the
# game and changes into the data folder, whose sounds are compared below.
#   install_test.sh BUILDDIR SOURCEDIR VERSION   (QM_FACTS names qm_facts)
set -euo pipefail
build=$1 source=$2 version=$3
. "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/pre fix"  # a space in the path must not break the launcher
cmake --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/quellmarrow" ] || fail "no launcher bin/quellmarrow"
[ -x "$prefix/lib/quellmarrow/quellmarrow" ] || fail "no game binary lib/quellmarrow/quellmarrow"
for f in $("$QM_FACTS" sounds); do
  cmp -s "$source/data/$f" "$prefix/share/quellmarrow/$f" || fail "share/quellmarrow/$f missing or not the one in data/"
done
desktop=$(echo "$prefix"/share/applications/*.desktop)
[ -f "$desktop" ] || fail "no desktop entry"
# By name from the PATH, so a moved tree keeps a working entry.
entry=$(sed -n 's/^Exec=//p' "$desktop")
[ "$entry" = "quellmarrow --quiet" ] || fail "the desktop entry runs '$entry'"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
else
  echo "note: desktop-file-validate not installed, entry not validated"
fi
for size in 64 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/quellmarrow.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  # PNG signature, then IHDR's width and height as big-endian words.
  head=$(od -An -tx1 -N24 "$icon" | tr -d ' \n')
  want=$(printf '89504e470d0a1a0a0000000d49484452%08x%08x' "$size" "$size")
  [ "$head" = "$want" ] || fail "the ${size}x${size} icon is not a ${size}x${size} PNG ($head)"
done

# From the home folder, directly and through a link elsewhere on the PATH.
home="$work/home"
mkdir -p "$home/bin"
ln -s "$prefix/bin/quellmarrow" "$home/bin/quellmarrow"
for cmd in "$prefix/bin/quellmarrow" "$home/bin/quellmarrow"; do
  status=0
  out=$(cd "$home" && env -u DISPLAY HOME="$home" "$cmd" --version 2>"$work/stderr") || status=$?
  [ "$status" -eq 0 ] && [ ! -s "$work/stderr" ] || fail "$cmd --version: status $status, $(cat "$work/stderr")"
  [[ $out == *"$version"* ]] || fail "$cmd --version printed '$out'"
done
# The entry's own command line, as a desktop with bin/ on its PATH runs it.
# shellcheck disable=SC2086  # the words of the Exec line
out=$(cd / && env -u DISPLAY PATH="$home/bin:$PATH" $entry --version 2>"$work/stderr") \
  || fail "the desktop entry's command '$entry' did not run: $(cat "$work/stderr")"
[[ $out == *"$version"* ]] || fail "the desktop entry's command printed '$out'"
echo "installed into $prefix; the launcher runs the game from $home"
