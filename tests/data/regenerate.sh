#!/bin/sh
# The committed files must be exactly what the generator writes today, and
# it must write exactly the files the game loads (qm_facts sounds).
# usage: regenerate.sh <compose> <data dir> <qm_facts>
set -e
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$1" "$out"
status=0
want=$("$3" sounds)
got=$(cd "$out" && find . -type f | sed 's|^\./||' | sort)
if [ "$got" != "$(echo "$want" | sort)" ]; then
  echo "the generator writes [$(echo $got)], the game loads [$(echo $want)]"
  status=1
fi
for f in $want; do
  if ! cmp -s "$out/$f" "$2/$f"; then
    echo "differs from a fresh run: $f"
    status=1
  fi
done
exit $status
