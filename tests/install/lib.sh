# Shared by the game-level tests: run the real game for a moment inside the
# X server that tests/support/xvfb.sh provides, then end it the way a desktop would.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# play_briefly DIR KEYS COMMAND...
# Starts COMMAND in DIR with HOME=$QM_HOME, standard error in $QM_ERR, waits
# for its window, presses each of the space-separated KEYS half a second
# apart (none: "-"), and a second later checks that the game still runs and that no message box is
# open, then sends SIGTERM and expects it to die of exactly that signal.
play_briefly() {
  local dir=$1 keys=$2
  shift 2
  # Unless the test says otherwise, sound goes to ALSA's null device: quiet
  # on a desktop, and the same with or without a sound card.
  [ -e "$QM_HOME/.asoundrc" ] || printf 'pcm.!default {\n  type null\n}\n' >"$QM_HOME/.asoundrc"
  (cd "$dir" && exec env HOME="$QM_HOME" "$@" >"$QM_HOME/stdout" 2>"$QM_ERR") &
  local pid=$! waited=0 status=0
  # Keys go to the game only once its window is there; a slow start (a
  # sanitizer build, a loaded machine) must not make them miss.
  if ! timeout 20 xdotool search --sync --name '^quellmarrow$' >/dev/null 2>&1; then
    kill -KILL "$pid" 2>/dev/null || true
    cat "$QM_ERR" >&2
    fail "no game window within 20 s"
  fi
  sleep 0.5
  if [ "$keys" != "-" ]; then
    for k in $keys; do
      xdotool keydown "$k"; sleep 0.15; xdotool keyup "$k"; sleep 0.35
    done
  fi
  sleep 1
  kill -0 "$pid" 2>/dev/null || { wait "$pid" || status=$?; cat "$QM_ERR" >&2; fail "the game ended by itself (status $status)"; }
  if xdotool search --class xmessage >/dev/null 2>&1; then
    kill -KILL "$pid"
    fail "a message box is open"
  fi
  kill -TERM "$pid"
  while kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 50 ]; do sleep 0.1; waited=$((waited + 1)); done
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    fail "the game did not end within 5 s of SIGTERM"
  fi
  wait "$pid" || status=$?
  # 128 + 15: ended by the SIGTERM; anything else (136 SIGFPE, 139 SIGSEGV,
  # 134 abort) is a crash.
  [ "$status" -eq 143 ] || { cat "$QM_ERR" >&2; fail "exit status $status after SIGTERM, wanted 143"; }
}

# The names the game gave as not loadable, one a line, sorted.
unloadable() {
  sed -n 's/^quellmarrow: cannot load //p' "$QM_ERR" | sort
}
