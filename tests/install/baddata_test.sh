#!/usr/bin/env bash
# Starts the game on a data folder of cut, damaged, empty and missing sound
# files: it names every bad one on standard error, loads the good ones, and
# plays on through the intro, the title and a level, where the bad tunes
# would have played.
#   baddata_test.sh GAME MINISOUND.PY       (run inside an X server)
set -euo pipefail
game=$(readlink -f "$1") minisound=$2
. "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$minisound" "$work/good"
data="$work/data"
mkdir -p "$data/wav" "$data/xm"
xmsize=$(stat -c %s "$work/good/mini.xm")
cut() { head -c "$2" "$work/good/mini.$1" >"$data/$3"; }

: >"$data/wav/sound2.wav"          # empty
cut wav 42 wav/sound5.wav           # in the data chunk's length
cut xm 336 xm/intro.xm              # the header and nothing else
cut xm 400 xm/track0.xm             # in the first pattern
cut xm $((xmsize - 10)) xm/track1.xm  # in the last sample
# A tempo of 0 loads but divides by zero as soon as it plays: on the title.
python3 - "$work/good/mini.xm" "$data/xm/title.xm" <<'PY'
import sys
b = bytearray(open(sys.argv[1], "rb").read())
b[78:80] = b"\0\0"
open(sys.argv[2], "wb").write(b)
PY
# xm/track2.xm is missing altogether.
for f in track3 track4 track5 track6; do cp "$work/good/mini.xm" "$data/xm/$f.xm"; done

QM_HOME="$work/home" QM_ERR="$work/stderr"
mkdir -p "$QM_HOME"
# The run ends the intro, plays the title (intro.xm, then title.xm plays), the
# first level (track0.xm) and its effects.
replay_briefly "$data" "$game"
want=$(printf '%s\n' wav/sound2.wav wav/sound5.wav xm/intro.xm xm/title.xm \
       xm/track0.xm xm/track1.xm xm/track2.xm | sort)
got=$(unloadable)
[ "$got" = "$want" ] || fail "named as not loadable: [$(echo $got)], wanted [$(echo $want)]"
echo "bad files named, good ones loaded, the game played a run to its end"
