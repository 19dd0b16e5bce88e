#!/usr/bin/env bash
# Installs the build into a fresh prefix and starts the installed command
# from the home folder, as a desktop user would.
#   install_test.sh BUILDDIR SOURCEDIR      (run inside an X server)
set -euo pipefail
build=$1 source=$2
. "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/pre fix"  # a space in the path must not break the launcher
cmake --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/quellmarrow" ] || fail "no launcher bin/quellmarrow"
[ -x "$prefix/lib/quellmarrow/quellmarrow" ] || fail "no game binary lib/quellmarrow/quellmarrow"
for f in wav/sound2.wav wav/sound5.wav xm/title.xm xm/intro.xm xm/track{0..6}.xm; do
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
QM_HOME="$work/home" QM_ERR="$work/stderr"
mkdir -p "$QM_HOME/bin"
ln -s "$prefix/bin/quellmarrow" "$QM_HOME/bin/quellmarrow"
for cmd in "$prefix/bin/quellmarrow" "$QM_HOME/bin/quellmarrow"; do
  play_briefly "$QM_HOME" - "$cmd"
  [ -z "$(unloadable)" ] || fail "$cmd could not load: $(unloadable | tr '\n' ' ')"
  grep -q "no data folder" "$QM_ERR" && fail "$cmd found no data folder"
done
# The entry's own command line, as a desktop with bin/ on its PATH runs it.
# shellcheck disable=SC2086  # the words of the Exec line
play_briefly / - env PATH="$QM_HOME/bin:$PATH" $entry
[ -z "$(unloadable)" ] || fail "the desktop entry's command could not load: $(unloadable | tr '\n' ' ')"
echo "installed into $prefix; the game starts from $QM_HOME and ends on SIGTERM"
