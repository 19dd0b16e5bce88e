#!/usr/bin/env bash
# xvfb.sh COMMAND...: runs COMMAND inside an X server of its own, on the
# display number the server picks itself (-displayfd), so tests started side
# by side never race for a display as xvfb-run -a can. The number is read
# from a pipe as the server writes it: no polling, and an end of file if the
# server dies first.
set -eu
dir=$(mktemp -d)
mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$dir/display" >/dev/null 2>&1 &
xpid=$!
trap 'kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null; rm -rf "$dir"' EXIT
number=
read -r -t 15 number <"$dir/display" || true
case "$number" in
  '' | *[!0-9]*) echo "xvfb.sh: Xvfb did not start" >&2; exit 1 ;;
esac
DISPLAY=:$number
export DISPLAY
status=0
"$@" || status=$?
exit $status
