#!/usr/bin/env bash
# With no sound device at all (ALSA's default names a card that is not
# there) the game runs silent: no message box, none of ALSA's own lines,
# and one line of its own that says so.
#   nosound_test.sh GAME DATADIR            (run inside an X server)
set -euo pipefail
game=$(readlink -f "$1") data=$2
. "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QM_HOME="$work/home" QM_ERR="$work/stderr"
mkdir -p "$QM_HOME"
# ALSA's default device is a card that no machine has, so the test behaves
# the same on a desktop with sound.
unset ALSA_CONFIG_PATH ALSA_CARD AUDIODEV
printf 'pcm.!default {\n  type hw\n  card 31\n}\n' >"$QM_HOME/.asoundrc"
replay_briefly "$data" "$game"
grep -q "Error initialising sound system" "$QM_ERR" && fail "the sound error went to standard error"
grep 'ALSA' "$QM_ERR" && fail "the sound library printed its own lines"
said=$(grep -v 'cannot load' "$QM_ERR" || true)
[ "$said" = "quellmarrow: no sound device found, playing without sound" ] || fail "standard error: $said"
echo "no message box; one line said so; the game played a run silent to its end"
