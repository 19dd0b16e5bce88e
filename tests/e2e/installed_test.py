#!/usr/bin/env python3
"""The installed game: `cmake --install` into a fresh prefix, then the
installed command started from an unrelated folder. It finds its own sounds:
the picture shows, the title tune plays, nothing is missing, Esc ends it."""
import os
import shutil
import subprocess
import tempfile
import time

import harness as h

AUDIBLE = 100  # frame RMS, of 32768


def body():
    args = h.options(lambda p: p.add_argument("--build", required=True, help="the build folder"))
    if not h.data_complete(args.data):
        print("skipped: the sound files are not all in %s" % args.data)
        raise SystemExit(h.SKIP)

    prefix = tempfile.mkdtemp(prefix="qm-prefix-")
    elsewhere = tempfile.mkdtemp(prefix="qm-home-")
    try:
        done = subprocess.run(["cmake", "--install", args.build, "--prefix", prefix],
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        h.expect(done.returncode == 0, "cmake --install failed:\n" + done.stdout.decode())
        args.game = os.path.join(prefix, "bin", "quellmarrow")
        h.expect(os.access(args.game, os.X_OK), "no installed command at " + args.game)

        with h.Session(args, "installed", sound=True, datadir=elsewhere) as s:
            h.skip_intro(s)
            t_title = time.monotonic()
            time.sleep(1.5)
            env = s.sound.envelope(t_title - 0.5, t_title + 1.5)
            h.expect(env and max(env) > AUDIBLE,
                     "the title tune is not audible: loudest frame %.1f" % max(env or [0]))
            h.expect("cannot load" not in s.stderr_text(),
                     "the installed game misses sound files:\n" + s.stderr_text())
            s.press("Escape")
            h.expect(s.wait_exit(10) == 0, "Esc on the title did not end the game with status 0")
    finally:
        shutil.rmtree(prefix, ignore_errors=True)
        shutil.rmtree(elsewhere, ignore_errors=True)


if __name__ == "__main__":
    h.run_test(body)
