#!/usr/bin/env python3
"""The first level by real keys and real time: its run-away shakes the
picture for about half a second (30 frames at the default 60 a second) and
blows the message box up; undo held calms it. Taps between ticks count once
each, one undo tap steps back, a held key steps once a tick, a stall does
not become a burst. What the run-away prints, what undo brings back, the
second visit and --quiet are replays (tests/replay)."""
import signal
import struct
import threading
import time

import harness as h

def enter_fold(s):
    since = s.mark()
    s.press("space")
    h.expect(s.wait_for(r"P 0,0", 5, since) is not None, "no permutation line P 0,0 at the level start")
    shot = s.wait_screen(h.is_play_screen, 5)
    h.expect(shot is not None, "the play screen did not appear")
    h.expect(h.message_box_colour(shot) == "grey", "message box is not grey at the start")
    h.expect(h.selected_row(shot) == 0, "row 0 is not selected at the start")
    return since


class ShakeWatch(threading.Thread):
    """Screenshots as fast as xwd takes them: (wall time, shaking?) each."""

    def __init__(self, s, seconds):
        super().__init__(daemon=True)
        self.s, self.seconds, self.seen = s, seconds, []

    def run(self):
        end = time.monotonic() + self.seconds
        while time.monotonic() < end:
            t0 = time.monotonic()
            shot = self.s.screenshot()
            self.seen.append(((t0 + time.monotonic()) / 2, shot.coloured_noise() >= 3))

    def shake_seconds(self):
        """From the first shaking shot to the first still one after it."""
        flags = [shaking for _, shaking in self.seen]
        h.expect(True in flags, "no shaking picture in %d screenshots" % len(flags))
        first = flags.index(True)
        h.expect(first > 0, "the picture shook before the nudge")
        h.expect(False in flags[first:], "the picture was still shaking %.1f s later" % self.seconds)
        last = flags.index(False, first)
        h.expect(True not in flags[last:], "the picture shook again after coming to rest")
        return self.seen[last][0] - self.seen[first][0], last - first


BLUE = (0, 0, 255)
DELTA = struct.unpack("f", struct.pack("f", 0.025))[0]  # the control step, a float widened


def marker_at(steps):
    """The marker's column after `steps` steps down from 0, as the game draws it."""
    v = 0.0
    for _ in range(steps):
        v = max(v - DELTA, -1.0)
    return int(157.0 * v * 0.5 + 80.0)


def marker(s):
    """Column of the blue marker on fold's one control row, from a still shot."""
    shot = s.wait_screen(lambda x: True, 3)
    h.expect(shot is not None, "no still picture of the play screen")
    cols = [x for x in range(h.SW) if shot.count(BLUE, x, 66, x, 74) >= 6]
    h.expect(len(cols) == 1, "marker columns %r" % cols)
    return cols[0]


def taps_and_stalls(s):
    """Short taps each count once, one undo tap visibly undoes, a held key
    steps once per tick, and a stopped game does not burst when continued."""
    h.expect(marker(s) == 80, "the undo did not bring the control back to 0")
    # A lost tap is always a fault. One more step than taps can come from
    # the desktop: a busy X server or game may deliver the release of a
    # 20 ms tap after the next tick, and the game then rightly sees a key
    # held over two ticks; so a series that counts more is tried again.
    steps = 0
    for series in range(3):
        mark = s.mark()
        for _ in range(10):
            s.tap("Left")
            time.sleep(0.25)
        h.settle(s)
        taps = s.count("STARTCALC", mark)
        steps += taps
        h.log("20 ms taps of Left: %d of 10 registered" % taps)
        h.expect(taps >= 10, "10 taps of 20 ms made only %d nudges" % taps)
        if taps == 10:
            break
    h.expect(taps == 10, "three series of 10 taps of 20 ms each made more than 10 nudges")
    h.expect(marker(s) == marker_at(steps), "%d steps down did not put the marker at %d" % (steps, marker_at(steps)))
    s.tap("BackSpace")
    time.sleep(0.3)  # the next tick, and a few more that must not undo again
    h.expect(marker(s) == marker_at(steps - 1),
             "one tap of Backspace did not bring back the state before the last nudge")

    mark = s.mark()
    s.tap("Left", 1.0)
    h.settle(s)
    held = s.count("STARTCALC", mark)
    h.log("Left held for 1 s: %d steps" % held)
    h.expect(24 <= held <= 36, "a held key stepped %d times in a second, not once a tick" % held)

    # Stopped for 5 s with Left held: the clock reports 150 missed ticks at
    # once. The burst is the most steps printed within 15 ms after the game
    # is continued (ticks of a held key are 33 ms apart).
    s.keydown("Left")
    time.sleep(0.3)
    s.proc.send_signal(signal.SIGSTOP)
    time.sleep(0.3)  # what was written before the stop is read
    mark = s.mark()
    time.sleep(4.7)
    s.proc.send_signal(signal.SIGCONT)
    time.sleep(0.5)
    s.keyup("Left")
    h.settle(s)
    with s._cond:
        times = [when for when, line in s.out[mark:] if line == "STARTCALC"]
    h.expect(times, "no step after the game was continued with Left held")
    burst = max(sum(1 for w in times if t <= w < t + 0.015) for t in times)
    h.log("continued after 5 s stopped with Left held: %d steps at once, %d in 0.5 s" % (burst, len(times)))
    h.expect(burst <= 31, "after a 5 s stop the level took %d steps at once" % burst)


def body():
    args = h.options()
    with h.Session(args, "fold") as s:
        h.skip_intro(s)
        h.title_to_list(s)
        enter_fold(s)
        s.screenshot("fold-start")

        watch = ShakeWatch(s, 2.5)
        watch.start()
        time.sleep(0.3)
        nudges, signals = h.hold_nudges(s, "Right", 20, stop_on_signal=False)
        watch.join()
        seconds, shots = watch.shake_seconds()
        h.log("the picture shook for %.2f s (%d screenshots)" % (seconds, shots))
        h.expect(0.3 <= seconds <= 0.7, "the sentence shook the picture for %.2f s" % seconds)
        h.expect(signals == [34], "sentence indices while holding Right: %r" % signals)
        shot = s.wait_screen(lambda x: h.message_box_colour(x) == "red", 5, label="fold-runaway")
        h.expect(shot is not None, "the message box did not turn red after the run-away")

        s.hold("BackSpace", 2.0)
        shot = s.wait_screen(lambda x: h.message_box_colour(x) == "grey", 5, label="fold-undone")
        h.expect(shot is not None, "undo did not bring the grey message box back")

        taps_and_stalls(s)

        s.press("Escape")
        h.expect(s.wait_screen(h.is_level_list, 5, label="list-cusp-open") is not None,
                 "Esc did not return to the level list")
        s.press("Escape")
        h.expect(s.wait_screen(h.is_title, 5) is not None, "Esc on the list did not show the title")
        status = h.quit_from_title(s)
        h.expect(status == 0, "exit status %s" % status)


h.run_test(body)
