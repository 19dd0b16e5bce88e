#!/usr/bin/env bash
# Installs what the tests need, builds once and runs every test of the gate:
# the unit tests and the real game under AddressSanitizer and
# UndefinedBehaviorSanitizer (at -O1; the composer and the data checks
# without), the logic clock under ThreadSanitizer, the generated sound
# files, the fuzz targets on their corpora, the package, and the real game
# under Xvfb, each end-to-end test on an X server of its own, side by side
# but for the few that measure time or sound. The long runs stay outside:
# tests/monkey/soak.sh and tests/fuzz/run.sh (see README).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" test
jobs=$(nproc)
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1

# Line tables only (-g1): the sanitizers' reports keep their file:line, and
# the build takes a fifth less time than with full debug information.
debug=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG")

echo "== Build"
cmake -S "$top" -B "$top/build-check" -DQM_SANITIZE=address,undefined "${debug[@]}" >/dev/null
cmake --build "$top/build-check" -j"$jobs"

echo "== Tests"
# Most of the end-to-end tests wait on the game rather than work, so twice
# as many run at once as there are cores.
ctest --test-dir "$top/build-check" -j$((2 * jobs)) --output-on-failure
