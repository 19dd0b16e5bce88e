# Shared by the game-level tests: run the real game for a moment inside the
# X server that tests/support/xvfb.sh provides, through a recorded run.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# replay_briefly DIR COMMAND...
# Replays a recorded run (qm_facts run: through the intro, a second on the
# title, fold to its run-away and Esc out to the end) with COMMAND in DIR,
# HOME=$QM_HOME, standard output in $QM_HOME/stdout and standard error in
# $QM_ERR. The game must play it to the end by itself, with status 0, within
# 30 s: a message box would hold it up until then.
replay_briefly() {
  local dir=$1
  shift
  # Unless the test says otherwise, sound goes to ALSA's null device: quiet
  # on a desktop, and the same with or without a sound card.
  [ -e "$QM_HOME/.asoundrc" ] || printf 'pcm.!default {\n  type null\n}\n' >"$QM_HOME/.asoundrc"
  "$QM_FACTS" run "$QM_HOME/run.qmr" || fail "qm_facts did not write the run"
  local status=0
  (cd "$dir" && exec env HOME="$QM_HOME" timeout -s KILL 30 "$@" --replay "$QM_HOME/run.qmr" \
     >"$QM_HOME/stdout" 2>"$QM_ERR") || status=$?
  if [ "$status" -ne 0 ]; then
    cat "$QM_ERR" >&2
    xdotool search --class xmessage >/dev/null 2>&1 && fail "a message box is open"
    fail "the replayed run ended with status $status"
  fi
  grep -qx 34 "$QM_HOME/stdout" || fail "the replayed run did not reach fold's sentence"
}

# The names the game gave as not loadable, one a line, sorted.
unloadable() {
  sed -n 's/^quellmarrow: cannot load //p' "$QM_ERR" | sort
}
