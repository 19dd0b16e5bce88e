#!/usr/bin/env bash
# Builds the benchmarks (Release, QM_BENCH=ON, in build-bench) and runs them
# all: the relaxation, the presentation, then start-up and the frame loop on
# an Xvfb display of their own with a silent ALSA device. Not part of the
# test command: the figures depend on the machine and on what else runs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-bench"

targets=()
for f in "$top"/bench/*.cpp; do targets+=("$(basename "$f" .cpp)"); done
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQM_BENCH=ON -DQM_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

echo
echo "== machine"
lscpu | grep -E '^(Model name|CPU\(s\)|Thread|Core|Socket)' || true
c++ --version | head -n 1

for t in "${targets[@]}"; do
  [ "$t" = loop_bench ] && continue
  echo
  echo "== $t"
  "$build/bench/$t"
done

[ -x "$build/bench/loop_bench" ] || exit 0
echo
echo "== loop_bench: start-up and frame loop under Xvfb"
home=$(mktemp -d)
xpid=""
cleanup() {
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
# Sound goes to a file plugin over ALSA's null device: the driver, mixer
# and music stream run as on a desktop, and nothing is heard.
cat > "$home/.asoundrc" <<ASOUND
pcm.!default {
  type file
  slave.pcm "null"
  file "/dev/null"
  format "raw"
}
ASOUND
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$home/display" >/dev/null 2>&1 &
xpid=$!
for _ in $(seq 100); do
  [ -s "$home/display" ] && break
  sleep 0.1
done
[ -s "$home/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
display=":$(head -n 1 "$home/display")"

# ALSA complains on stderr that there is no sound card's mixer; that is expected.
runloop() {
  (cd "$top/data" && HOME="$home" DISPLAY="$display" "$build/bench/loop_bench" "$@") \
    2> >(grep -v '^ALSA lib' >&2)
}
runloop 3
echo
echo "start-up over seven more starts (ms, start of init to end of sound loading / to display ready):"
sound=() ready=()
for _ in 1 2 3 4 5 6 7; do
  line=$(runloop 0.2 | grep 'to the display')
  s=$(sed -E 's/.*sound loading ([0-9.]+) ms.*/\1/' <<<"$line")
  r=$(sed -E 's/.*pictures ready ([0-9.]+) ms.*/\1/' <<<"$line")
  echo "  $s / $r"
  sound+=("$s") ready+=("$r")
done
median() { printf '%s\n' "$@" | sort -n | sed -n 4p; }
echo "median: $(median "${sound[@]}") ms to the end of sound loading, $(median "${ready[@]}") ms to display ready"

echo
echo "== loop_bench: the frame limiter, 10 s a screen, at the default 60 and off"
runloop --fps 60 10
runloop --fps 0 10

# Today's screens: full screen at the desktop's size, the picture at x9 and x18.
for size in 1920x1080 3840x2160; do
  kill "$xpid" 2>/dev/null || true
  rm -f "$home/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$home/display" >/dev/null 2>&1 &
  xpid=$!
  for _ in $(seq 100); do
    [ -s "$home/display" ] && break
    sleep 0.1
  done
  display=":$(head -n 1 "$home/display")"
  echo
  echo "== loop_bench --fps 60 on a $size display"
  runloop --fps 60 10
done
