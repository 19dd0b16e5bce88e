#!/bin/sh
# The logic clock under ThreadSanitizer, in a build of its own (only the
# libraries and clock_tests), with an X server so the library's own timer
# thread takes part. Run by ctest beside the other tests.
#   tsan.sh SOURCEDIR BUILDDIR
set -eu
src=$1 build=$2
cmake -S "$src" -B "$build" -DQM_SANITIZE=thread -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" >/dev/null
cmake --build "$build" -j2 --target clock_tests >/dev/null
TSAN_OPTIONS=halt_on_error=1 exec "$src/tests/support/xvfb.sh" "$build/tests/clock_tests"
