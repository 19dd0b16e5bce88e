#!/bin/sh
# xvfb.sh COMMAND...: runs COMMAND inside an X server of its own, on the
# display number the server picks itself (-displayfd), so tests started side
# by side never race for a display as xvfb-run -a can.
set -eu
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$dir/display" >/dev/null 2>&1 &
xpid=$!
trap 'kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null; rm -rf "$dir"' EXIT
tries=0
until grep -qx '[0-9][0-9]*' "$dir/display"; do
  tries=$((tries + 1))
  if [ "$tries" -gt 150 ] || ! kill -0 "$xpid" 2>/dev/null; then
    echo "xvfb.sh: Xvfb did not start" >&2
    exit 1
  fi
  sleep 0.1
done
DISPLAY=:$(head -n1 "$dir/display")
export DISPLAY
status=0
"$@" || status=$?
exit $status
