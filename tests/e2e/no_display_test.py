#!/usr/bin/env python3
"""Without a display the game says so on standard error and exits with 1;
a bad command line is refused with 2 before anything is opened, and --help
needs no display at all."""
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

    for words, status, out, err in ((["--fps", "abc"], 2, 0, 1), (["--seed"], 2, 0, 1),
                                    (["--window", "--help"], 0, None, 0)):
        with h.Session(args, "no_display_" + words[-1].strip("-"), display=False, gameargs=words) as s:
            got = s.wait_exit(20)
            h.expect(got == status, "%s: exit status %s, wanted %s" % (" ".join(words), got, status))
            errlines = s.stderr_text().splitlines()
            h.expect(len(errlines) == err, "%s: standard error %r" % (" ".join(words), errlines))
            h.expect(out is None or len(s.lines()) == out, "%s: standard output %r" % (" ".join(words), s.lines()[:3]))
            h.expect(out is not None or s.lines()[0].startswith("Usage: quellmarrow"), "--help printed %r" % s.lines()[:2])


h.run_test(body)
