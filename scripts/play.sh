#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" build
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target quellmarrow
# The game loads its sounds relative to the working directory.
cd "$top/data"
exec "$top/build/quellmarrow" "$@"
