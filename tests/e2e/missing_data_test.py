#!/usr/bin/env python3
"""Started where there are no sound files, the game names each missing file
on standard error and plays on in silence, through every path that would
play a tune or an effect. A FIFO standing where a tune should be, on a
machine without a sound device: the game starts all the same, and standard
error holds one line for the FIFO and one for the missing device, none of
the sound library's own."""
import os
import shutil
import tempfile
import time

import harness as h


def body():
    args = h.options()
    empty = tempfile.mkdtemp(prefix="qm-e2e-nodata-")
    try:
        with h.Session(args, "missing_data", sound=True, datadir=empty) as s:
            h.skip_intro(s)
            err = s.stderr_text()
            missing = [f for f in h.DATA_FILES if f not in err]
            h.expect(not missing, "standard error does not name %s:\n%s" % (missing, err))

            # Highlight moves, Start, a level and its sentence: every sound the
            # game asks for has nothing loaded behind it.
            s.press("Down")
            h.expect(s.wait_screen(lambda x: h.title_highlight(x) == "Exit", 3) is not None,
                     "Down did not move the highlight")
            s.press("Down")
            h.title_to_list(s)
            since = s.mark()
            s.press("space")
            h.expect(s.wait_screen(h.is_play_screen, 5) is not None, "fold did not start")
            nudges, signals = h.hold_nudges(s, "Right", 10)
            h.expect(signals == [34], "fold without sound files: sentences %r" % signals)
            s.wait_screen(lambda x: h.message_box_colour(x) == "red", 5, label="fold-silent")
            s.press("Escape")
            h.expect(s.wait_screen(h.is_level_list, 5) is not None, "no level list after the level")
            s.press("Escape")
            h.expect(s.wait_screen(h.is_title, 5) is not None, "no title after the level list")
            h.expect(s.running(), "the game died")

            t = time.monotonic()
            total = s.sound.rms(s.started, t)
            h.log("RMS of the whole run %.2f over %d bytes" % (total, s.sound.offset_at(t)))
            h.expect(s.sound.offset_at(t) > 0, "the sound device was never opened")
            h.expect(total < 1, "sound without sound files: RMS %.1f" % total)

            status = h.quit_from_title(s)
            h.expect(status == 0, "exit status %s" % status)
    finally:
        shutil.rmtree(empty, ignore_errors=True)
    fifo_and_no_device(args)


def fifo_and_no_device(args):
    data = tempfile.mkdtemp(prefix="qm-e2e-fifo-")
    try:
        for f in h.DATA_FILES:
            os.makedirs(os.path.join(data, os.path.dirname(f)), exist_ok=True)
            os.symlink(os.path.abspath(os.path.join(args.data, f)), os.path.join(data, f))
        os.remove(os.path.join(data, "xm/title.xm"))
        os.mkfifo(os.path.join(data, "xm/title.xm"))
        with h.Session(args, "fifo_no_device", sound=None, datadir=data) as s:
            h.skip_intro(s)
            s.press("Down")
            h.expect(s.wait_screen(lambda x: h.title_highlight(x) == "Exit", 3) is not None,
                     "Down did not move the highlight")
            err = s.stderr_text().splitlines()
            h.log("stderr:", err)
            h.expect(sorted(err) == ["quellmarrow: cannot load xm/title.xm",
                                     "quellmarrow: no sound device found, playing without sound"],
                     "standard error: %r" % err)
            h.expect(h.quit_from_title(s) == 0, "Esc on the title did not end the game")
    finally:
        shutil.rmtree(data, ignore_errors=True)


h.run_test(body)
