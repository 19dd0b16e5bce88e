#!/bin/sh
# The committed files must be exactly what the generator writes today.
# usage: regenerate.sh <compose> <data dir>
set -e
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$1" "$out"
status=0
for f in wav/sound2.wav wav/sound5.wav xm/title.xm xm/intro.xm \
         xm/track0.xm xm/track1.xm xm/track2.xm xm/track3.xm xm/track4.xm xm/track5.xm xm/track6.xm; do
  if ! cmp -s "$out/$f" "$2/$f"; then
    echo "differs from a fresh run: $f"
    status=1
  fi
done
exit $status
