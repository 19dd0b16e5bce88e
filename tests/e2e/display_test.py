#!/usr/bin/env python3
"""The picture on today's displays: full screen and --window on 1920x1080,
3840x2160, 800x600 and 320x240 show the 160x120 picture at a whole factor,
centred, uncut, every small pixel a sharp block, reading as the 640x480
picture does; F11 to a window and back in the middle of fold keeps the
sentence and the level; a close request ends the game with status 0 from
the title, the level list and a play screen; the window has our class and
icon."""
import os
import re
import subprocess
import time

import harness as h

SEED = "--seed=7"
# Display size: (full-screen factor, window factor).
FACTORS = {(1920, 1080): (9, 7), (3840, 2160): (18, 15), (800, 600): (5, 4), (320, 240): (2, 2)}


def extra(p):
    p.add_argument("--xclose", required=True, help="the close-request helper")
    p.add_argument("--sizes", default=None,
                   help="display sizes to check, as 1920x1080,800x600 (default: all); run side by side")


def windows(s):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "quellmarrow"], env=s.env,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout
    return out.split()


def window_rects(s):
    """(x, y, width, height) of each visible window of the game."""
    rects = []
    for w in windows(s):
        info = subprocess.run(["xwininfo", "-id", w], env=s.env, stdout=subprocess.PIPE, text=True).stdout
        rects.append(tuple(int(re.search(k + r":\s+(-?\d+)", info).group(1))
                           for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")))
    return rects


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
    # Named for the sizes it serves, so two halves side by side keep apart.
    name = "display-640" + ("-for-" + args.sizes.replace(",", "-") if args.sizes else "")
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
    then = {((1920, 1080), False): sentence_and_switch, ((1920, 1080), True): class_and_icon,
            ((3840, 2160), False): close_on_list}
    sizes = [tuple(int(v) for v in w.split("x")) for w in args.sizes.split(",")] if args.sizes else FACTORS
    for size in sizes:
        h.expect(size in FACTORS, "no factors known for %r" % (size,))
        for windowed in (False, True):
            check_size(args, size, windowed, then.get((size, windowed)))


if __name__ == "__main__":
    h.run_test(body)
