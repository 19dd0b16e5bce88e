#!/usr/bin/env python3
"""Without a display the game says so on standard error and exits with 1;
a bad command line is refused with 2 before anything is opened, and --help
needs no display at all. A screen smaller than the picture ends the game
the same way, never showing a cropped picture; the X server going away in
the middle of fold, with a key held, ends it with 1 and one line, five
times out of five."""
import signal
import time

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


    for windowed in ([], ["--window"]):
        with h.Session(args, "tiny_screen", size=(100, 100), gameargs=windowed) as s:
            h.expect(s.wait_exit(20) == 1, "a 100x100 screen %s: status %s" % (windowed, s.wait_exit(0)))
            err = s.stderr_text().splitlines()
            h.expect(len(err) == 1 and "smaller than the 160x120 picture" in err[0], "standard error %r" % err)
    for run in range(5):
        display_lost(args, run)


def display_lost(args, run):
    with h.Session(args, "display_lost_%d" % run, gameargs=["--quiet"]) as s:
        h.skip_intro(s)
        s.press("space")
        h.expect(s.wait_screen(h.is_level_list, 5) is not None, "no level list")
        s.press("space")
        h.expect(s.wait_screen(h.is_play_screen, 5) is not None, "fold did not start")
        s.keydown("Right")
        time.sleep(0.3 + 0.1 * run)
        t0 = time.monotonic()
        s.x.proc.send_signal(signal.SIGKILL)
        status = s.wait_exit(5)
        took = time.monotonic() - t0
        err = s.stderr_text().splitlines()
        h.log("X server killed in fold: status %s after %.2f s, stderr %r" % (status, took, err))
        h.expect(status == 1 and took < 1.0, "status %s after %.2f s" % (status, took))
        h.expect(err == ["quellmarrow: lost the connection to the display"], "standard error %r" % err)


h.run_test(body)
