#!/usr/bin/env python3
"""A run recorded with --seed 7 --record FILE by real key presses (fold
nudged to its run-away, an undo, cusp nudged on both rows, Esc out to the
end) prints the permutations the seed deals; --replay FILE plays it back,
with keys pressed at it that must count for nothing, to exactly the same
standard output and status 0. A damaged copy ends with status 2 and one
line before any window opens (there is no display to open one on)."""
import os
import re
import shutil
import subprocess
import tempfile
import time

import harness as h


def record(args, path):
    with h.Session(args, "replay-record", gameargs=["--seed", "7", "--record", path]) as s:
        h.skip_intro(s)
        h.title_to_list(s)
        since = s.mark()
        s.press("space")
        h.expect(s.wait_for(r"P 0,0", 5, since) is not None, "fold did not start")
        nudges, signals = h.hold_nudges(s, "Right", 30)
        h.expect(signals == [34], "fold's run-away: sentences %r" % signals)
        s.press("BackSpace")
        s.press("Escape")
        shot = s.wait_screen(lambda x: h.level_colour(x, 1) == "white", 5)
        h.expect(shot is not None, "cusp did not open")
        s.press("Down")
        h.expect(s.wait_screen(lambda x: h.level_colour(x, 1) == "red", 5) is not None, "no cursor on cusp")
        since = s.mark()
        s.press("space")
        h.expect(s.wait_for(r"P 1,\d", 5, since) is not None, "cusp did not start")
        h.expect(s.wait_screen(h.is_play_screen, 5) is not None, "no play screen on cusp")
        h.hold_nudges(s, "Right", 10, stop_on_signal=False)
        s.press("Down")
        h.hold_nudges(s, "Left", 10, stop_on_signal=False)
        s.press("Escape")
        h.expect(s.wait_screen(h.is_level_list, 5) is not None, "Esc did not leave cusp")
        s.press("Escape")
        h.expect(s.wait_screen(h.is_title, 5) is not None, "Esc on the list did not show the title")
        status = h.quit_from_title(s)
        h.expect(status == 0, "the recorded run ended with status %s: %s" % (status, s.stderr_text()[-3000:]))
        return s.lines()


def body():
    args = h.options()
    work = tempfile.mkdtemp(prefix="qm-replay-")
    try:
        check(args, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def check(args, work):
    path = os.path.join(work, "run.qmr")
    recorded = record(args, path)
    h.expect(recorded.count("34") == 1 and recorded.count("STARTCALC") >= 20,
             "the recorded run printed %r" % recorded[:12])
    perms = [l for l in recorded if l.startswith("P ")]
    dealt = subprocess.run([os.environ["QM_FACTS"], "deal", "7", "1", "2"],
                           check=True, stdout=subprocess.PIPE, text=True).stdout.split()
    h.expect(perms == ["P 0,0"] + ["P %d,%s" % kv for kv in enumerate(dealt[1].split(","))],
             "--seed 7 dealt %r, the seed predicts %r" % (perms, dealt))

    h.log("recorded: %d bytes, %d lines of output" % (os.path.getsize(path), len(recorded)))
    with h.Session(args, "replay-play", gameargs=["--replay", path]) as s:
        h.expect(s.wait_for(r"P 0,0", 30) is not None, "the replay did not reach fold")
        for key in ("Escape", "Left", "BackSpace"):
            s.press(key)
        status = s.wait_exit(60)
        h.expect(status == 0, "the replay ended with status %s" % status)
        h.log("replayed: status 0 after %.1f s, %d lines of output" % (time.monotonic() - s.started, len(s.lines())))
        h.expect(s.lines() == recorded, "the replay printed %d lines, not the %d recorded; first difference %r"
                 % (len(s.lines()), len(recorded),
                    next((p for p in zip(s.lines(), recorded) if p[0] != p[1]), None)))

    with open(path, "rb") as f:
        data = bytearray(f.read())
    for name, bad in (("cut", data[:len(data) // 2]),
                      ("changed", data[:40] + bytes([data[40] ^ 0x10]) + data[41:])):
        copy = os.path.join(work, name + ".qmr")
        with open(copy, "wb") as f:
            f.write(bad)
        with h.Session(args, "replay-" + name, display=False, gameargs=["--replay", copy]) as s:
            status = s.wait_exit(10)
            h.expect(status == 2, "a %s recording: status %s" % (name, status))
            err = s.stderr_text().splitlines()
            h.expect(len(err) == 1 and re.match(r"quellmarrow: cannot replay .*: (truncated|damaged)", err[0]),
                     "a %s recording: %r" % (name, err))
            h.expect(s.lines() == [], "a %s recording printed %r" % (name, s.lines()[:4]))
            h.log("a %s copy: status 2, %r" % (name, err[0]))


h.run_test(body)
