#!/usr/bin/env python3
"""What the game mixes, captured through ALSA's file plugin: a silent intro,
the title tune at once, the selection effect on a highlight move, and the
title tune from its beginning again after the level list."""
import time

import harness as h

AUDIBLE = 100  # frame RMS, of 32768; the tunes sit around 700
BURST = 1.5    # effect peak over the music's own loud frames


def frame_bytes(seconds):
    return int(h.SoundCapture.RATE * seconds) * h.SoundCapture.CHANNELS * 2


def onset(env, level=AUDIBLE):
    for i, v in enumerate(env):
        if v > level:
            return i
    return None


def burst_ratio(s, t):
    """Loudest 10 ms in the half second after t against the 90th percentile
    of the second before: the tune alone stays near 1.3."""
    before = sorted(s.sound.envelope(t - 1.0, t))
    after = s.sound.envelope(t, t + 0.5)
    h.expect(before and after, "no sound captured around %.2f" % t)
    return max(after) / max(before[int(0.9 * len(before))], 1.0)


def sound_keys(s, tune1):
    """M silences the title tune within 0.5 s and brings it back; three steps
    of - bring the tune's opening back at 5/8 of its first loudness (`tune1`
    is that opening's centred envelope)."""
    rms = []
    for _ in range(2):
        t = time.monotonic()
        s.press("m")
        time.sleep(1.5)
        rms.append(s.sound.rms(t + 0.5, t + 1.5))
    h.log("RMS after M: %.1f, after M again: %.1f" % tuple(rms))
    h.expect(rms[0] < 5, "M did not silence the music: RMS %.1f" % rms[0])
    h.expect(rms[1] > AUDIBLE, "a second M did not bring the music back: RMS %.1f" % rms[1])

    for _ in range(3):
        s.press("minus")
    s.press("space")
    h.expect(s.wait_screen(h.is_level_list, 5) is not None, "no level list")
    t_back = time.monotonic()
    s.press("Escape")
    h.expect(s.wait_screen(h.is_title, 5) is not None, "no title after Esc")
    time.sleep(2.5)
    env = s.sound.envelope(t_back, t_back + 2.5, centred=True)
    n, whole = len(tune1), sum(tune1)
    best = None  # (shape difference, ratio of loudness) of the closest opening
    for start in range(len(env) - n):
        part = env[start:start + n]
        ratio = sum(part) / whole
        d = sum(abs(a - ratio * b) for a, b in zip(part, tune1)) / max(sum(part), 1)
        if best is None or d < best[0]:
            best = (d, ratio)
    h.expect(best is not None, "too little sound after Esc")
    h.log("three steps down: the opening at %.3f of its first RMS (5/8 = 0.625), shape difference %.3f" % (best[1], best[0]))
    h.expect(best[0] < 0.15, "the title tune's opening did not come back (difference %.2f)" % best[0])
    h.expect(abs(best[1] - 0.625) < 0.05, "three steps down left the music at %.3f of its loudness" % best[1])


def body():
    args = h.options()
    if not h.data_complete(args.data):
        print("skipped: the sound files are not all in %s" % args.data)
        raise SystemExit(h.SKIP)

    with h.Session(args, "sound", sound=True) as s:
        h.expect(s.wait_screen(h.is_intro, 10) is not None, "no intro")
        t_intro = time.monotonic()
        time.sleep(1.0)
        t_key = time.monotonic()
        intro = s.sound.rms(s.started, t_key)
        h.log("intro RMS %.1f" % intro)
        h.expect(intro < 5, "the intro is not silent: RMS %.1f" % intro)
        h.expect(s.sound.offset_at(t_key) > s.sound.offset_at(t_intro),
                 "the sound device took nothing during the intro")

        s.press("Return")
        h.expect(s.wait_screen(h.is_title, 5) is not None, "no title")
        t_title = time.monotonic()
        time.sleep(1.5)
        env = s.sound.envelope(t_key, t_title + 1.5)
        first = onset(env)
        h.expect(first is not None, "the title tune is not audible: loudest frame %.1f" % max(env or [0]))
        h.log("title tune audible %.2f s of sound after the key" % (first * 0.01))
        # Frames count sound time; the capture's offsets say where wall time was.
        at = s.sound.offset_at(t_key) + first * frame_bytes(0.01)
        h.expect(at <= s.sound.offset_at(t_title + 1.0),
                 "the title tune started more than a second after the title appeared")
        tune1 = s.sound.envelope(t_key, t_key + 2.0)[first:first + 150]

        # The effect: one burst per highlight move; the tune alone has none.
        quiet = [burst_ratio(s, t_title + 1.0)]
        moves = []
        for key in ("Down", "Up", "Down"):
            time.sleep(1.0)
            t = time.monotonic()
            s.press(key)
            time.sleep(0.6)
            moves.append(burst_ratio(s, t))
        time.sleep(1.0)
        quiet.append(burst_ratio(s, time.monotonic() - 0.5))
        h.log("burst ratios: moves %s, tune alone %s" % (
            ["%.2f" % r for r in moves], ["%.2f" % r for r in quiet]))
        h.expect(min(moves) > BURST, "a highlight move was not heard: ratios %s" % moves)
        h.expect(max(quiet) < BURST, "the tune alone rises like an effect: ratios %s" % quiet)

        # Start: the level list has its own tune; Esc brings the title tune
        # back from its beginning.
        h.expect(h.title_highlight(s.wait_screen(h.is_title, 3)) == "Exit", "highlight not on Exit")
        s.press("Down")
        s.press("space")
        h.expect(s.wait_screen(h.is_level_list, 5) is not None, "no level list")
        time.sleep(1.0)
        t = time.monotonic()
        listed = s.sound.rms(t - 0.5, t)
        h.log("level list RMS %.1f" % listed)
        h.expect(listed > AUDIBLE, "the level list is silent")
        t_back = time.monotonic()
        s.press("Escape")
        h.expect(s.wait_screen(h.is_title, 5) is not None, "no title after Esc")
        time.sleep(2.5)
        env = s.sound.envelope(t_back, t_back + 2.5)
        # The title tune starts over: its opening matches the first visit's.
        best = None
        for start in range(len(env) - len(tune1)):
            d = sum(abs(a - b) for a, b in zip(env[start:], tune1)) / sum(tune1)
            if best is None or d < best[0]:
                best = (d, start)
        h.expect(best is not None, "too little sound after Esc")
        soon = (s.sound.offset_at(t_back + 0.6) - s.sound.offset_at(t_back)) // frame_bytes(0.01)
        h.log("title tune again: closest match %.3f, %d frames after Esc (at most %d)" % (best[0], best[1], soon))
        h.expect(best[1] <= soon, "the title tune's opening came back only %d frames after Esc" % best[1])
        h.expect(best[0] < 0.15, "the title tune did not start from its beginning again (difference %.2f)" % best[0])

        sound_keys(s, s.sound.envelope(t_key, t_key + 2.0, centred=True)[first:first + 150])
        status = h.quit_from_title(s)
        h.expect(status == 0, "exit status %s" % status)


h.run_test(body)
