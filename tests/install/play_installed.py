#!/usr/bin/env python3
"""The one start of an installed game (deb_test.sh: the unpacked package's
/usr/games/quellmarrow), from an unrelated folder: the title shows, its
tune plays, nothing is reported missing on standard error, Esc ends it with
status 0."""
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness as h  # noqa: E402


def body():
    args = h.options()
    elsewhere = tempfile.mkdtemp(prefix="qm-deb-")
    try:
        with h.Session(args, "deb", sound=True, datadir=elsewhere) as s:
            h.title_tune_then_quit(s)
            # ALSA's own complaints about the missing mixer of a machine
            # without a sound card are not the game's.
            own = [l for l in s.stderr_text().splitlines() if not l.startswith("ALSA lib ")]
            h.expect(not own, "the game wrote on standard error:\n" + "\n".join(own))
    finally:
        shutil.rmtree(elsewhere, ignore_errors=True)


if __name__ == "__main__":
    h.run_test(body)
