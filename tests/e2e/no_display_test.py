#!/usr/bin/env python3
"""Without a display the game says so on standard error and exits with 1."""
import harness as h


def body():
    args = h.options()
    with h.Session(args, "no_display", display=False) as s:
        status = s.wait_exit(20)
        h.expect(status is not None, "the game still runs after 20 s without a display")
        h.expect(status == 1, "exit status %s, wanted 1" % status)
        err = [l for l in s.stderr_text().splitlines()
               if l.startswith("quellmarrow:") and "cannot load" not in l]
        h.expect(err, "no error of the game's own on standard error: %r" % s.stderr_text())
        h.log("stderr:", err[0])
        h.expect(not s.lines(), "standard output not empty: %r" % s.lines()[:5])


h.run_test(body)
