#!/usr/bin/env bash
# Installs what the tests need, builds and runs every test: the unit tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, the logic clock
# under ThreadSanitizer, the generated sound files, and the real game under
# Xvfb (each end-to-end test starts its own X server).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" test
jobs=$(nproc)

echo "== ThreadSanitizer: the logic clock"
cmake -S "$top" -B "$top/build-tsan" -DQM_SANITIZE=thread >/dev/null
cmake --build "$top/build-tsan" -j"$jobs" --target clock_tests
TSAN_OPTIONS=halt_on_error=1 xvfb-run -a -s "-screen 0 640x480x24" "$top/build-tsan/tests/clock_tests"

echo "== Everything else, under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$top" -B "$top/build-check" -DQM_SANITIZE=address,undefined >/dev/null
cmake --build "$top/build-check" -j"$jobs"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir "$top/build-check" -j"$jobs" --output-on-failure
