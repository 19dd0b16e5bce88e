#!/usr/bin/env python3
"""The installed game: `cmake --install` into a fresh prefix, then the
installed command started from an unrelated folder. It finds its own sounds:
the picture shows, the title tune plays, nothing is missing, Esc ends it."""
import os
import shutil
import subprocess
import tempfile

import harness as h


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
            h.title_tune_then_quit(s)
            h.expect("cannot load" not in s.stderr_text(),
                     "the installed game misses sound files:\n" + s.stderr_text())
    finally:
        shutil.rmtree(prefix, ignore_errors=True)
        shutil.rmtree(elsewhere, ignore_errors=True)


if __name__ == "__main__":
    h.run_test(body)
