#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it, saying only what it
# does: the build's output goes to a log, named if the build fails, and the
# game starts with --quiet unless --diagnostics asks for its diagnostic
# lines on standard output. Every other argument goes to the game.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
quiet=(--quiet)
args=()
for a in "$@"; do
  if [ "$a" = --diagnostics ]; then quiet=(); else args+=("$a"); fi
done
"$top/scripts/install-deps.sh" build
mkdir -p "$top/build"
log="$top/build/play-build.log"
echo "quellmarrow: building (the first time takes a minute or two)"
if ! { cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF &&
       cmake --build "$top/build" -j"$(nproc)" --target quellmarrow; } >"$log" 2>&1; then
  echo "quellmarrow: the build failed; its output is in $log" >&2
  exit 1
fi
echo "quellmarrow: starting"
# The game loads its sounds relative to the working directory.
cd "$top/data"
exec "$top/build/quellmarrow" "${quiet[@]}" ${args[@]+"${args[@]}"}
