#!/usr/bin/env python3
"""The picture on today's displays: full screen and --window on 1920x1080,
3840x2160, 800x600 and 320x240 show the 160x120 picture at a whole factor,
centred, uncut, every small pixel a sharp block, reading as the 640x480
picture does; F11 to a window and back in the middle of fold keeps the
sentence and the level; a close request ends the game with status 0 from
the title, the level list and a play screen; the window has our class and
icon; F11 and Alt+Enter held switch once, a burst of presses stops
switching with its last press, and the Enter of Alt+Enter chooses nothing."""
import os
import re
import subprocess
import threading
import time

import harness as h

SEED = "--seed=7"
# Display size: (full-screen factor, window factor).
FACTORS = {(1920, 1080): (9, 7), (3840, 2160): (18, 15), (800, 600): (5, 4), (320, 240): (2, 2)}


def extra(p):
    p.add_argument("--xclose", required=True, help="the close-request helper")
    p.add_argument("--sizes", default=None,
                   help="display sizes to check, as 1920x1080,800x600 (default: all); run side by side")
    p.add_argument("--modes", default="full,window",
                   help="full screen, the window or both (default), at each size")


def windows(s):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "quellmarrow"], env=s.env,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout
    return out.split()


def window_rects(s):
    """(x, y, width, height) of each visible window of the game."""
    rects = []
    for w in windows(s):
        info = subprocess.run(["xwininfo", "-id", w], env=s.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True).stdout
        found = [re.search(k + r":\s+(-?\d+)", info)
                 for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]
        if all(found):  # else gone in the meantime
            rects.append(tuple(int(m.group(1)) for m in found))
    return rects


def repeating(s, key, seconds):
    """Holds key down as a desktop does: its key repeat presses it again
    every 40 ms after a delay of 0.5 s."""
    words = ["keydown", key, "sleep", "0.5"]
    for _ in range(int((seconds - 0.5) / 0.04)):
        words += ["keydown", key, "sleep", "0.04"]
    s.xdotool(*words)


class Geometry:
    """Where the picture lies in a capture, measured on the title: the factor
    from the width of the brown title line, the left and top edges from its
    first column and row (a wobble shifts edges by less than a small pixel)."""

    def __init__(self, shot, ref):
        cols = [x for x in range(h.SW) if any(ref.small(x, y) == h.TITLE_BROWN for y in range(20))]
        rows = [y for y in range(20) if any(ref.small(x, y) == h.TITLE_BROWN for x in range(h.SW))]
        found = {Y: xs for Y, xs in ((Y, find(shot, Y, h.TITLE_BROWN)) for Y in range(shot.height // 4)) if xs}
        h.expect(found, "no title line on the display")
        x0, x1 = min(min(v) for v in found.values()), max(max(v) for v in found.values())
        self.s = round((x1 - x0 + 1) / (cols[-1] - cols[0] + 1))
        # Edges wobble outwards about as far as inwards: take the middle.
        self.left = (x0 + x1 + 1 - self.s * (cols[0] + cols[-1] + 1)) // 2
        self.top = (min(found) + max(found) + 1 - self.s * (rows[0] + rows[-1] + 1)) // 2
        self.w, self.h = 160 * self.s, 120 * self.s
        # Then to the pixel: the placement whose blocks read as the reference.
        cells = [(x, y) for y in range(rows[0], rows[-1] + 1) for x in range(cols[0], cols[-1] + 1)]
        left, top = self.left, self.top
        scores = {}
        reach = self.s // 4 + 2  # how far the wobble may have misled the estimate
        for dx in range(-reach, reach + 1):
            for dy in range(-reach, reach + 1):
                self.left, self.top = left + dx, top + dy
                scores[dx, dy] = sum(self.small(shot, x, y) == ref.small(x, y) for x, y in cells)
        # Several placements may read alike (a block's middle is wider than
        # what is read of it): the middle one of them.
        best = [d for d, v in scores.items() if v == max(scores.values())]
        self.left = left + round(sum(d[0] for d in best) / len(best))
        self.top = top + round(sum(d[1] for d in best) / len(best))

    @classmethod
    def centred(cls, s, W, H):
        g = cls.__new__(cls)
        g.s, g.w, g.h, g.left, g.top = s, 160 * s, 120 * s, (W - 160 * s) // 2, (H - 120 * s) // 2
        return g

    def small(self, shot, x, y):
        """The colour of small pixel (x, y) if its middle is one block, else None."""
        s, X, Y = self.s, self.left + self.s * x, self.top + self.s * y
        lo, hi = (s + 2) // 4, s - 1 + (2 - s) // 4  # what no wobble uncovers
        c = shot.pixel(X + s // 2, Y + s // 2)
        corners = [shot.pixel(X + a, Y + b) for a in (lo, hi) for b in (lo, hi)]
        return c if all(k == c for k in corners) else None

    def view(self, shot):
        """The capture as today's 640x480 picture would show it."""
        rgb = bytearray(640 * 480 * 3)
        for y in range(h.SH):
            for x in range(h.SW):
                c = self.small(shot, x, y) or (255, 0, 255)
                for Y in range(4 * y, 4 * y + 4):
                    i = 3 * (640 * Y + 4 * x)
                    rgb[i:i + 12] = bytes(c) * 4
        return h.Shot(640, 480, bytes(rgb))


def find(shot, Y, colour):
    """The columns of row Y that have this colour."""
    row, key, out = shot.rgb[3 * Y * shot.width:3 * (Y + 1) * shot.width], bytes(colour), []
    i = row.find(key)
    while i >= 0:
        if i % 3 == 0:
            out.append(i // 3)
        i = row.find(key, i + 1)
    return out


def shows(shot, colour):
    return any(find(shot, Y, colour) for Y in range(0, shot.height, 2))


def agreement(a, b, box=(0, 0, h.SW - 1, h.SH - 1)):
    x0, y0, x1, y1 = box
    cells = [(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)]
    return sum(a.small(x, y) == b.small(x, y) for x, y in cells) / len(cells)


def shaking(c):
    """A broken block, or a colour only a shaking frame's noise has."""
    return c == (255, 0, 255) or (c != h.TITLE_BROWN and len(set(c)) == 3)


def capture(s, geo, pred, label, timeout=20):  # a 4K capture takes seconds
    deadline = time.monotonic() + timeout
    while True:
        shot = s.screenshot()
        view = geo.view(shot)
        # Still: every block whole and no shaking frame's coloured noise.
        if view.count_where(shaking, 0, 0, h.SW - 1, h.SH - 1) < 3 and pred(view):
            if s.shots:
                view.save_png(os.path.join(s.shots, label + ".png"))
            return view
        h.expect(time.monotonic() < deadline, "%s: no still picture (x%d at (%d, %d): %d broken or shaking blocks, %s)"
                 % (label, geo.s, geo.left, geo.top, view.count_where(shaking, 0, 0, h.SW - 1, h.SH - 1), pred(view)))
        time.sleep(0.1)


def to_list(s, geo):
    s.press("space")
    if geo:
        capture(s, geo, h.is_level_list, "list")
    else:
        h.expect(s.wait_screen(h.is_level_list, 5), "no level list")


def to_sentence(s, geo=None):
    """From the title into fold and one nudge to its sentence."""
    to_list(s, geo)
    s.press("space")
    since = s.mark()
    h.expect(s.wait_for(r"P 0,0", 5) is not None, "fold did not start")
    s.press("Right", 0.05)
    h.expect(s.wait_for(r"34", 5, since) is not None, "no sentence on fold")
    time.sleep(0.3)  # a late frame may still run a tick or two of the held key


REF = {}  # today's 640x480 title and fold sentence, for comparison


def reference(args):
    # Named for the sizes and modes it serves, so parts side by side keep apart.
    name = "display-640" + ("-for-" + args.sizes.replace(",", "-") if args.sizes else "")
    name += "" if args.modes == "full,window" else "-" + args.modes.replace(",", "-")
    with h.Session(args, name, gameargs=[SEED]) as s:
        REF["title"] = h.skip_intro(s)
        to_sentence(s)
        REF["sentence"] = s.wait_screen(lambda x: h.message_box_colour(x) == "red", 5, label="sentence")
        h.expect(REF["sentence"] is not None, "640x480: the sentence did not come to rest")


def check_size(args, size, windowed, then=None):
    ref_title = REF["title"]
    W, H = size
    mode = "window" if windowed else "full"
    name = "display-%dx%d-%s" % (W, H, mode)
    # Few frames: a frame written into the shared image while the X server
    # copies the last one shows torn, and a 4K capture takes long.
    words = [SEED, "--fps=15"] + (["--window"] if windowed else [])
    with h.Session(args, name, gameargs=words, size=size) as s:
        # Any key ends the intro (not Return, which may choose on the title).
        for colour, what in ((h.INTRO_GREY, "intro"), (h.TITLE_BROWN, "title")):
            deadline = time.monotonic() + 10
            while not shows(s.screenshot(), colour):
                h.expect(time.monotonic() < deadline, "%s: no %s" % (name, what))
            if what == "intro":
                s.press("x")
        time.sleep(0.3)
        geo = Geometry(s.screenshot(), ref_title)
        title = capture(s, geo, h.is_title, name + "-title")
        full, win = FACTORS[size]
        cover = max(geo.w / W, geo.h / H)
        h.log("%s: x%d, %dx%d at (%d, %d), covers %.1f%% of the display's %s" % (
            name, geo.s, geo.w, geo.h, geo.left, geo.top, 100 * cover,
            "width" if geo.w / W > geo.h / H else "height"))
        h.expect(geo.s == (win if windowed else full), "%s: factor x%d" % (name, geo.s))
        h.expect(geo.left >= 0 and geo.top >= 0 and geo.left + geo.w <= W and geo.top + geo.h <= H,
                 "%s: the picture is cut off" % name)
        if windowed:  # the window is the picture's size, wherever it is put
            h.expect((geo.left, geo.top, geo.w, geo.h) in window_rects(s), "%s: windows %r" % (name, window_rects(s)))
        else:
            h.expect(abs(2 * geo.left + geo.w - W) <= 2 * geo.s and abs(2 * geo.top + geo.h - H) <= 2 * geo.s,
                     "%s: the picture is not centred" % name)
            h.expect(cover >= 0.88, "%s: the picture covers %.1f%%" % (name, 100 * cover))
        # Every small pixel a block, reading as at 640x480 but for the noise.
        h.expect(agreement(title, ref_title) >= 0.98,
                 "%s: the title reads %.3f the same" % (name, agreement(title, ref_title)))
        if then:
            then(s, geo, name)


def sentence_and_switch(s, geo, name):
    """On fold with its sentence: F11 to a window and back, nothing lost."""
    to_sentence(s, geo)
    since = s.mark()
    box = (12, 0, 147, 63)
    before = capture(s, geo, lambda v: h.message_box_colour(v) == "red", name + "-sentence")
    h.expect(agreement(before, REF["sentence"], box) >= 0.98, "%s: the sentence does not read as at 640x480" % name)
    W, H = s.size
    for key, windowed in (("F11", True), ("F11", False), ("Return", True)):
        # Held over a few frames: a tap between two frames is the input layer's to catch.
        if key == "Return":
            s.keydown("Alt_L")
        s.press(key)
        s.keyup("Alt_L")
        time.sleep(0.5)
        rects = [r for r in window_rects(s) if r[2:] == ((1120, 840) if windowed else (W, H))]
        h.expect(rects, "%s after %s: windows %r" % (name, key, window_rects(s)))
        g = Geometry.centred(7 if windowed else geo.s, 2 * rects[0][0] + rects[0][2], 2 * rects[0][1] + rects[0][3])
        view = capture(s, g, h.is_play_screen, "%s-%s-%s" % (name, key, "window" if windowed else "full"))
        h.expect(agreement(view, before) >= 0.98, "%s after %s: the play screen changed" % (name, key))
    h.expect(s.lines(since) == [], "%s: the switches printed %r" % (name, s.lines(since)))
    close_and_exit(s, "fold")


def close_and_exit(s, where):
    t0 = time.monotonic()
    subprocess.run([s.args.xclose] + windows(s), env=s.env, check=True)
    status = s.wait_exit(1.0)
    h.log("close request on %s: status %r after %.2f s" % (where, status, time.monotonic() - t0))
    h.expect(status == 0, "a close request on %s: status %r" % (where, status))


class Modes(threading.Thread):
    """Full screen or window, as the visible windows say, every 20 ms: the
    changes, with their times."""

    def __init__(self, s, window):
        super().__init__(daemon=True)
        self.s, self.window, self.changes, self.now = s, window, [], None
        self.stopped = threading.Event()
        self.start()

    def run(self):
        while not self.stopped.is_set():
            sizes = [r[2:] for r in window_rects(self.s)]
            mode = "window" if self.window in sizes else "full" if self.s.size in sizes else None
            if mode and mode != self.now:
                if self.now:
                    self.changes.append((time.monotonic(), mode))
                self.now = mode
            time.sleep(0.02)

    def count(self, since):
        return sum(1 for t, _ in self.changes if t >= since)


def view(s, modes, pred, label):
    if modes.now == "full":
        g = Geometry.centred(9, *s.size)
    else:  # the window, where it was put
        r = [r for r in window_rects(s) if r[2:] == (1120, 840)][0]
        g = Geometry.centred(7, 2 * r[0] + r[2], 2 * r[1] + r[3])
    return capture(s, g, pred, label)


def held_display_keys(s, geo, name):
    """From a window on the title: F11 and Alt+Enter held 2 s switch once
    each; a burst of 100 F11 presses stops switching soon after the last;
    Alt+Enter with Enter held across the switch, let go before or after
    Alt, chooses neither "Exit" on the title nor a level on the list."""
    modes = Modes(s, (1120, 840))
    time.sleep(0.3)
    for keys in (["F11"], ["Alt_L", "Return"]):
        t0 = time.monotonic()
        for k in keys[:-1]:
            s.keydown(k)
        repeating(s, keys[-1], 2.0)
        for k in reversed(keys):
            s.keyup(k)
        time.sleep(0.8)
        h.log("%s: %s held 2 s, %d switches" % (name, "+".join(keys), modes.count(t0)))
        h.expect(modes.count(t0) == 1, "%s held 2 s: %d switches" % ("+".join(keys), modes.count(t0)))
    t0 = time.monotonic()
    s.xdotool("key", "--delay", "8", "--repeat", "100", "F11")
    last = time.monotonic()
    time.sleep(1.0)
    tail = max([t for t, _ in modes.changes if t >= t0] or [last]) - last
    h.log("%s: 100 F11 presses in %.2f s, %d switches, the last %.2f s after the last press"
          % (name, last - t0, modes.count(t0), tail))
    h.expect(tail <= 0.5, "switching went on %.2f s after the last of 100 presses" % tail)
    s.press("Down")
    view(s, modes, lambda v: h.title_highlight(v) == "Exit", name + "-exit")
    for where in ("title", "list"):
        since = s.mark()
        for altfirst in (True, False):
            t0 = time.monotonic()
            s.keydown("Alt_L")
            first, second = ("Alt_L", "Return") if altfirst else ("Return", "Alt_L")
            if altfirst:  # let go while the switch is under way
                s.xdotool("keydown", "Return", "sleep", "0.05", "keyup", "Alt_L")
            repeating(s, "Return", 1.2)  # the switch, and the key repeat of the held Enter
            if not altfirst:
                s.keyup(first)
            s.keyup(second)
            time.sleep(0.4)
            h.log("%s: Alt+Enter, Enter held across the switch, %s let go first, on the %s: %d switches"
                  % (name, first, where, modes.count(t0)))
            h.expect(s.running(), "Alt+Enter on the %s ended the game (%s let go first): status %s, %s"
                     % (where, first, s.wait_exit(1), s.stderr_text()[-2000:]))
            h.expect(modes.count(t0) == 1, "%d switches" % modes.count(t0))
        h.expect(not [l for l in s.lines(since) if l.startswith("P ")], "Alt+Enter on the list started a level")
        if where == "title":
            s.press("Up")
            s.press("space")
            view(s, modes, h.is_level_list, name + "-list")
    modes.stopped.set()
    modes.join()


def class_and_icon(s, geo, name):
    for w in windows(s):
        props = subprocess.run(["xprop", "-id", w, "WM_CLASS", "_NET_WM_ICON"], env=s.env,
                               stdout=subprocess.PIPE, text=True).stdout
        h.expect('WM_CLASS(STRING) = "quellmarrow", "quellmarrow"' in props, "%s: %s" % (name, props[:200]))
        h.expect("Icon (64 x 64)" in props, "%s: no icon" % name)
    close_and_exit(s, "the title")


def close_on_list(s, geo, name):
    to_list(s, geo)
    close_and_exit(s, "the level list")


def body():
    args = h.options(extra)
    reference(args)
    then = {((1920, 1080), False): sentence_and_switch,
            ((1920, 1080), True): lambda s, geo, name: (held_display_keys(s, geo, name), class_and_icon(s, geo, name)),
            ((3840, 2160), False): close_on_list}
    sizes = [tuple(int(v) for v in w.split("x")) for w in args.sizes.split(",")] if args.sizes else FACTORS
    for size in sizes:
        h.expect(size in FACTORS, "no factors known for %r" % (size,))
        for windowed in (False, True):
            if ("window" if windowed else "full") in args.modes.split(","):
                check_size(args, size, windowed, then.get((size, windowed)))


if __name__ == "__main__":
    h.run_test(body)
