#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (the game itself builds with gcc), and runs them.
#
#   run.sh build OUTDIR                 compile every target into OUTDIR
#   run.sh run OUTDIR NAME [SECONDS]    fuzz one target (default 60 s)
#   run.sh OUTDIR [SECONDS]             both steps, every target
#
# A run starts from the committed seeds in corpus/NAME and keeps what it
# finds in OUTDIR/corpus-NAME; a failing input is written to OUTDIR.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
targets=(printwrap narrative soundcheck record)
cxx=${CXX_FUZZ:-clang++}
flags=(-std=c++17 -g -O1 -fno-omit-frame-pointer
       -fsanitize=address,undefined -fno-sanitize-recover=undefined
       -I"$top/src" $(pkg-config --cflags allegro))
libs=($(pkg-config --libs allegro) -laldmb -ldumb -lX11 -lm -lpthread)

build() {
  local out=$1
  mkdir -p "$out/obj"
  # Every game source but the entry function; the objects are rebuilt when
  # anything under src/ is newer than the stamp.
  mapfile -t sources < <(find "$top/src" -name '*.cpp' ! -path "$top/src/main.cpp" | sort)
  local stamp="$out/obj/.stamp" newest
  newest=$(find "$top/src" "$here" -newer "$stamp" -type f -print -quit 2>/dev/null || true)
  if [ ! -e "$stamp" ] || [ -n "$newest" ]; then
    rm -f "$out"/obj/*.o
    local jobs=0 s o
    for s in "${sources[@]}"; do
      o="$out/obj/$(echo "${s#"$top/src/"}" | tr / _).o"
      "$cxx" "${flags[@]}" -fsanitize=fuzzer-no-link -c "$s" -o "$o" &
      jobs=$((jobs + 1))
      if [ "$jobs" -ge "$(nproc)" ]; then wait -n; jobs=$((jobs - 1)); fi
    done
    while [ "$jobs" -gt 0 ]; do wait -n; jobs=$((jobs - 1)); done
    touch "$stamp"
  fi
  for t in "${targets[@]}"; do
    "$cxx" "${flags[@]}" -fsanitize=fuzzer "$here/fuzz_$t.cpp" "$out"/obj/*.o "${libs[@]}" -o "$out/fuzz_$t"
  done
}

run() {
  local out=$1 name=$2 seconds=${3:-60}
  local work="$out/corpus-$name"
  mkdir -p "$work"
  # Leaks are the libraries' business: nothing in the game is ever freed.
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$out/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$out/crash-$name-" \
      "$work" "$here/corpus/$name"
}

case "${1:-}" in
  build) build "$2" ;;
  run) run "$2" "$3" "${4:-60}" ;;
  "") echo "usage: $0 build OUTDIR | run OUTDIR NAME [SECONDS] | OUTDIR [SECONDS]" >&2; exit 2 ;;
  *)
    build "$1"
    for t in "${targets[@]}"; do run "$1" "$t" "${2:-60}"; done
    ;;
esac
