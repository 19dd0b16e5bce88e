#!/usr/bin/env python3
"""Smoke: the game starts full screen, its picture trembles, and Esc from
the title ends it with status 0. SIGTERM ends it by that signal, whether it
comes during start-up or while the intro runs, never with a crash."""
import signal
import time

import harness as h


def body():
    args = h.options()
    with h.Session(args, "smoke") as s:
        first = s.wait_screen(h.is_intro, 10, label="intro")
        h.expect(first is not None, "no intro picture within 10 s")
        h.expect((first.width, first.height) == (640, 480),
                 "screen is %dx%d" % (first.width, first.height))
        # The credit line is grey on black, and nothing but noise elsewhere.
        grey = first.count(h.INTRO_GREY, *h.text_box(4, 50, 17))
        h.expect(grey >= 40, "intro text has only %d grey pixels" % grey)
        lit = first.count_where(lambda c: c is not None and c != h.BLACK, 0, 0, 159, 40)
        h.expect(lit < 60, "%d non-black pixels above the intro text" % lit)

        # The jittered enlargement redraws every cell's edges each frame.
        second = s.screenshot("intro-again")
        diff = sum(1 for i in range(0, len(first.rgb), 3) if first.rgb[i:i + 3] != second.rgb[i:i + 3])
        h.expect(diff > 500, "two intro screenshots differ in only %d pixels" % diff)
        h.expect(s.running(), "the game died on the intro")

        h.skip_intro(s)
        status = h.quit_from_title(s)
        h.expect(status == 0, "Esc on the title: exit status %s" % status)

    for k in range(8):
        with h.Session(args, "sigterm-%d" % k) as s:
            time.sleep(0.08 * k)
            s.proc.send_signal(signal.SIGTERM)
            status = s.wait_exit(10)
            h.expect(status == -signal.SIGTERM, "SIGTERM %.2f s after the start: exit status %s\n%s"
                     % (0.08 * k, status, s.stderr_text()[-2000:]))


h.run_test(body)
