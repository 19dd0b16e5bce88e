#!/usr/bin/env bash
# The game's sound file check against the libraries: every cut and damaged
# variant of a small module and effect (and, lighter, of each file in the
# data folder) that the check lets through must load and play without a
# crash or a hang.
#   badfiles.sh PROBE MINISOUND.PY DATADIR [mini|data]   (default: both)
set -euo pipefail
probe=$1 minisound=$2 data=$3 part=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$minisound" "$work"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
status=0
if [ "$part" != data ]; then
  "$probe" --guarded "$work/mini.xm" "$work" || status=1
  "$probe" --guarded "$work/mini.wav" "$work" || status=1
fi
[ "$part" != mini ] || exit $status
for f in "$data"/wav/*.wav "$data"/xm/*.xm; do
  [ -e "$f" ] || continue
  "$probe" --guarded --light "$f" "$work" | tail -n 3 || status=1
done
exit $status
