#!/usr/bin/env python3
"""The unpacked package's /usr/games/quellmarrow, started from an unrelated
folder: the title shows, its tune plays, nothing is reported missing on
standard error, Esc ends it with status 0."""
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness as h  # noqa: E402

AUDIBLE = 100  # frame RMS, of 32768


def body():
    args = h.options()
    elsewhere = tempfile.mkdtemp(prefix="qm-deb-")
    try:
        with h.Session(args, "deb", sound=True, datadir=elsewhere) as s:
            h.skip_intro(s)
            t_title = time.monotonic()
            time.sleep(1.5)
            env = s.sound.envelope(t_title - 0.5, t_title + 1.5)
            h.expect(env and max(env) > AUDIBLE,
                     "the title tune is not audible: loudest frame %.1f" % max(env or [0]))
            s.press("Escape")
            h.expect(s.wait_exit(10) == 0, "Esc on the title did not end the game with status 0")
            # ALSA's own complaints about the missing mixer of a machine
            # without a sound card are not the game's.
            own = [l for l in s.stderr_text().splitlines() if not l.startswith("ALSA lib ")]
            h.expect(not own, "the game wrote on standard error:\n" + "\n".join(own))
    finally:
        shutil.rmtree(elsewhere, ignore_errors=True)


if __name__ == "__main__":
    h.run_test(body)
