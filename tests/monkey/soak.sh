#!/bin/sh
# The long monkey run, on demand: tests/monkey/soak.sh [minutes] [seed]
# Builds into build-monkey, plays for 30 minutes unless told otherwise with a
# fresh seed (printed in the summary), and leaves the summary in
# build-monkey/soak-summary.txt and the full log in build-monkey/soak.log.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${QM_MONKEY_BUILD:-$root/build-monkey}
minutes=${1:-30}
seed=${2:-}

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target quellmarrow qm_facts e2e_xclose -j2 >/dev/null
export QM_FACTS="$build/tests/qm_facts"

set -- --game "$build/quellmarrow" --data "$root/data" --shots "$build/soak-shots" \
       --minutes "$minutes" --summary "$build/soak-summary.txt" \
       --xclose "$build/tests/e2e/e2e_xclose"
if [ -n "$seed" ]; then
    set -- "$@" --seed "$seed"
fi
echo "soak: $minutes minutes; follow $build/soak.log"
status=0
python3 "$root/tests/monkey/monkey.py" "$@" >"$build/soak.log" 2>&1 || status=$?
if [ -f "$build/soak-summary.txt" ]; then
    cat "$build/soak-summary.txt"
else
    tail -n 30 "$build/soak.log"
fi
exit $status
