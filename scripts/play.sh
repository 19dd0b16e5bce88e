#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it, saying only what it
# does: the package installer's and the build's output go to logs, named if
# that step fails, and the game starts with --quiet unless --diagnostics
# asks for its diagnostic lines on standard output. Every other argument
# goes to the game.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
quiet=(--quiet)
args=()
for a in "$@"; do
  if [ "$a" = --diagnostics ]; then quiet=(); else args+=("$a"); fi
done
mkdir -p "$top/build"
# On a fresh machine apt-get prints a screenful: it goes to a log too.
deps="$top/build/play-deps.log"
echo "quellmarrow: checking the packages it needs (any missing are installed, with sudo when not root)"
if ! "$top/scripts/install-deps.sh" build >"$deps" 2>&1; then
  echo "quellmarrow: installing the packages failed; its output is in $deps" >&2
  exit 1
fi
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
