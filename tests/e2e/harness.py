"""Drives the real game under its own X server with real key presses.

Everything here is stdlib only: the X server is Xvfb, keys go through
xdotool, screenshots come from xwd (parsed here) and are saved as PNG, and
sound is captured by pointing ALSA's default device at its file plugin.

A test script builds a Session from the command line (see options()), uses
it as a context manager, and exits with 0 (pass), 1 (fail) or SKIP.
"""

import argparse
import array
import ctypes
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

SKIP = 77  # ctest's SKIP_RETURN_CODE

W, H = 640, 480  # the display, unless a test asks for another size
SW, SH = 160, 120  # the game's own picture, enlarged fourfold

from facts import DATA_FILES, LEVELS, ROWS  # noqa: E402,F401  (the game's own tables)

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
TITLE_BROWN = (136, 126, 114)
INTRO_GREY = (100, 100, 100)
LIST_RED = (255, 10, 10)
LOCKED = (20, 20, 20)
BOX_GREY = (50, 50, 50)
BOX_RED = (255, 0, 0)


class Failure(Exception):
    pass


def expect(cond, message):
    if not cond:
        raise Failure(message)


def log(*args):
    print("[%7.2f]" % (time.monotonic() - _T0), *args, flush=True)


_T0 = time.monotonic()


def options(extra=None):
    p = argparse.ArgumentParser()
    p.add_argument("--game", required=True, help="the game binary")
    p.add_argument("--data", required=True, help="the folder with wav/ and xm/")
    p.add_argument("--shots", default=None, help="where screenshots go")
    if extra:
        extra(p)
    return p.parse_args()


def data_complete(datadir):
    return all(os.path.isfile(os.path.join(datadir, f)) for f in DATA_FILES)


def run_test(body):
    """Runs body() and turns its outcome into the exit status."""
    try:
        body()
    except Failure as e:
        log("FAIL:", e)
        sys.exit(1)
    log("PASS")
    sys.exit(0)


# ---------------------------------------------------------------- X server

def _die_with_parent(sig):
    """A child that gets sig when the test dies, even by SIGKILL (a ctest
    timeout), so no X server or game outlives its test."""
    def arm():
        try:
            ctypes.CDLL(None, use_errno=True).prctl(1, sig)  # PR_SET_PDEATHSIG
        except (OSError, AttributeError):
            pass
    return arm


class Xvfb:
    """An X server on a display number it picks itself (-displayfd)."""

    def __init__(self, size=None):
        r, w = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", "%dx%dx24" % (size or (W, H)),
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(w,), stdin=subprocess.DEVNULL, preexec_fn=_die_with_parent(signal.SIGTERM),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        num = b""
        deadline = time.monotonic() + 15
        while not num.endswith(b"\n"):
            left = deadline - time.monotonic()
            ready = select.select([r], [], [], max(left, 0))[0]
            if not ready:
                break
            chunk = os.read(r, 16)
            if not chunk:
                break
            num += chunk
        os.close(r)
        if not num.strip().isdigit():
            self.stop()
            raise Failure("Xvfb did not start")
        self.display = ":" + num.strip().decode()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


# ---------------------------------------------------------------- pictures

class Shot:
    """A 640x480 RGB screenshot."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def small(self, x, y):
        """The colour of the game's pixel (x, y), or None when its cell's
        always-covered inner 2x2 is not one colour (the picture is shaking)."""
        c = self.pixel(4 * x + 1, 4 * y + 1)
        for dx, dy in ((1, 0), (0, 1), (1, 1)):
            if self.pixel(4 * x + 1 + dx, 4 * y + 1 + dy) != c:
                return None
        return c

    def count(self, colour, x0, y0, x1, y1):
        """Game pixels of exactly this colour in the inclusive box."""
        return sum(1 for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)
                   if self.small(x, y) == colour)

    def count_where(self, pred, x0, y0, x1, y1):
        return sum(1 for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)
                   if pred(self.small(x, y)))

    def coloured_noise(self):
        """Game pixels whose three channels all differ: only the noise of a
        shaking frame has such colours (the still noise is grey, and every
        screen's own colours have two channels alike). Sampled at one point
        per cell, so a shifted picture is counted too."""
        rgb, n = self.rgb, 0
        for y in range(SH):
            row = 3 * (4 * y + 1) * self.width
            for x in range(SW):
                i = row + 3 * (4 * x + 1)
                r, g, b = rgb[i], rgb[i + 1], rgb[i + 2]
                n += r != g and g != b and r != b
        return n

    def still(self):
        """Whether every game pixel's inner 2x2 is one colour."""
        return all(self.small(x, y) is not None for y in range(SH) for x in range(SW))

    def save_png(self, path):
        raw = bytearray()
        stride = 3 * self.width
        for y in range(self.height):
            raw.append(0)
            raw += self.rgb[y * stride:(y + 1) * stride]

        def chunk(kind, body):
            c = struct.pack(">I", len(body)) + kind + body
            return c + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

        png = b"\x89PNG\r\n\x1a\n"
        png += chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(bytes(raw), 6))
        png += chunk(b"IEND", b"")
        with open(path, "wb") as f:
            f.write(png)


def parse_xwd(blob):
    """Decodes an xwd dump of a TrueColor screen into a Shot."""
    fields = struct.unpack(">25I", blob[:100])
    (header_size, version, _fmt, _depth, width, height, _xoff, byte_order,
     _unit, _bitorder, _pad, bpp, bytes_per_line, _vclass, rmask, gmask, bmask,
     _bits_rgb, _cmap_entries, ncolors) = fields[:20]
    if version != 7 or bpp not in (24, 32):
        raise Failure("unexpected xwd format: version %d, %d bits" % (version, bpp))
    start = header_size + 12 * ncolors
    step = bpp // 8
    endian = "<" if byte_order == 0 else ">"

    def shift(mask):
        s = 0
        while mask and not mask & 1:
            mask >>= 1
            s += 1
        return s

    rs, gs, bs = shift(rmask), shift(gmask), shift(bmask)
    rgb = bytearray(3 * width * height)
    if bpp == 32:
        pix = array.array("I")
        for y in range(height):
            row = blob[start + y * bytes_per_line:start + y * bytes_per_line + 4 * width]
            pix.frombytes(row)
        if (endian == "<") != (sys.byteorder == "little"):
            pix.byteswap()
        if (rs, gs, bs) == (16, 8, 0) and sys.byteorder == "little":
            # The usual case: bytes are B, G, R, X; pick them apart by slicing.
            b = pix.tobytes()
            rgb[0::3] = b[2::4]
            rgb[1::3] = b[1::4]
            rgb[2::3] = b[0::4]
        else:
            for i, p in enumerate(pix):
                rgb[3 * i] = (p & rmask) >> rs
                rgb[3 * i + 1] = (p & gmask) >> gs
                rgb[3 * i + 2] = (p & bmask) >> bs
    else:
        for y in range(height):
            for x in range(width):
                o = start + y * bytes_per_line + 3 * x
                p = int.from_bytes(blob[o:o + 3], "little" if byte_order == 0 else "big")
                i = 3 * (y * width + x)
                rgb[i] = (p & rmask) >> rs
                rgb[i + 1] = (p & gmask) >> gs
                rgb[i + 2] = (p & bmask) >> bs
    return Shot(width, height, bytes(rgb))


# ---------------------------------------------------------------- sound

class SoundCapture:
    """Follows the raw file ALSA writes (unsigned 16-bit, silence 0x8000).

    The file grows as the sound library mixes, so the harness notes its size
    against the clock; a wall-clock interval then maps to a byte range."""

    def __init__(self, path):
        self.path = path
        self.marks = []  # (monotonic time, size)
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._watch, daemon=True)
        self._thread.start()

    def _watch(self):
        while not self._stop.is_set():
            try:
                size = os.path.getsize(self.path)
            except OSError:
                size = 0
            self.marks.append((time.monotonic(), size))
            time.sleep(0.02)

    def stop(self):
        self._stop.set()
        self._thread.join()

    def offset_at(self, t):
        marks = list(self.marks)
        if not marks or t <= marks[0][0]:
            return 0
        for (t0, s0), (t1, s1) in zip(marks, marks[1:]):
            if t0 <= t <= t1:
                if t1 == t0:
                    return s1
                return int(s0 + (s1 - s0) * (t - t0) / (t1 - t0)) & ~3
        return marks[-1][1] & ~3

    def samples(self, t0, t1):
        a, b = self.offset_at(t0), self.offset_at(t1)
        with open(self.path, "rb") as f:
            f.seek(a)
            raw = f.read(max(b - a, 0))
        raw = raw[:len(raw) & ~1]
        s = array.array("H")
        s.frombytes(raw)
        if sys.byteorder != "little":
            s.byteswap()
        return s

    def rms(self, t0, t1):
        s = self.samples(t0, t1)
        if not s:
            return 0.0
        return (sum((v - 0x8000) ** 2 for v in s) / len(s)) ** 0.5

    # The capture's own format: what ALSA's file plugin is handed.
    RATE, CHANNELS = 44100, 2

    def envelope(self, t0, t1, frame=0.01, centred=False):
        """RMS of consecutive frames of `frame` seconds of mixed sound (sound
        time, not wall time: the null device takes sound faster than it plays).
        `centred` measures each frame about its own mean: the mixer cuts the
        music to 8 bits by truncation, which adds half a step of offset that no
        volume setting scales."""
        s = self.samples(t0, t1)
        n = int(self.RATE * frame) * self.CHANNELS
        out = []
        for i in range(0, len(s) - n + 1, n):
            part = s[i:i + n]
            mid = sum(part) / n if centred else 0x8000
            out.append((sum((v - mid) ** 2 for v in part) / n) ** 0.5)
        return out

    def rms_series(self, t0, t1, window=0.05):
        out = []
        t = t0
        while t + window <= t1 + 1e-9:
            out.append((t, self.rms(t, t + window)))
            t += window
        return out


# ---------------------------------------------------------------- the game

class Session:
    """One X server and one run of the game.

    sound=True captures everything the game mixes; sound=None points ALSA's
    default device at a card that does not exist; otherwise it is a null
    sink, so no test ever makes a noise or needs hardware.
    display=False starts the game with DISPLAY unset (and no X server);
    gameargs are the game's own command-line words."""

    def __init__(self, args, name, sound=False, display=True, datadir=None, gameargs=(), size=None):
        self.args = args
        self.name = name
        self.sound_wanted = sound
        self.display_wanted = display
        self.datadir = datadir or args.data
        self.gameargs = list(gameargs)
        self.size = size  # the display's (width, height); W x H when None
        self.home = tempfile.mkdtemp(prefix="qm-e2e-")
        self.x = None
        self.proc = None
        self.sound = None
        self.out = []  # (time, line) of standard output
        self.err = []  # (time, line) of standard error
        self._cond = threading.Condition()
        self._shotno = 0
        self.shots = None
        if args.shots:
            self.shots = os.path.join(args.shots, name)
            shutil.rmtree(self.shots, ignore_errors=True)
            os.makedirs(self.shots, exist_ok=True)

    # -- life cycle

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def start(self):
        env = dict(os.environ)
        env["HOME"] = self.home
        env.pop("ALSA_CONFIG_PATH", None)
        raw = os.path.join(self.home, "sound.raw")
        with open(os.path.join(self.home, ".asoundrc"), "w") as f:
            if self.sound_wanted:
                f.write('pcm.!default {\n  type file\n  slave.pcm "null"\n'
                        '  file "%s"\n  format "raw"\n}\n' % raw)
            elif self.sound_wanted is None:  # no sound device at all
                f.write("pcm.!default {\n  type hw\n  card 97\n}\n")
            else:
                f.write("pcm.!default {\n  type null\n}\n")
        if self.display_wanted:
            self.x = Xvfb(self.size)
            env["DISPLAY"] = self.x.display
        else:
            env.pop("DISPLAY", None)
        self.env = env
        self.proc = subprocess.Popen(
            [os.path.abspath(self.args.game)] + self.gameargs, cwd=self.datadir, env=env,
            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
            # SIGKILL: with its X server gone too, the game's own SIGTERM
            # handler can hang shutting the display down.
            preexec_fn=_die_with_parent(signal.SIGKILL))
        self.started = time.monotonic()
        self._readers = [threading.Thread(target=self._read, args=(stream, store), daemon=True)
                         for stream, store in ((self.proc.stdout, self.out), (self.proc.stderr, self.err))]
        for t in self._readers:
            t.start()
        if self.sound_wanted:
            self.sound = SoundCapture(raw)
        log("%s: game started on %s" % (self.name, env.get("DISPLAY", "no display")))

    def _read(self, stream, store):
        for line in iter(stream.readline, b""):
            with self._cond:
                store.append((time.monotonic(), line.decode("utf-8", "replace").rstrip("\n")))
                self._cond.notify_all()
        with self._cond:
            self._cond.notify_all()

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def wait_exit(self, timeout=10):
        """The game's exit status, or None if it is still running."""
        try:
            status = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None
        for t in self._readers:  # everything it wrote, before anyone looks
            t.join(5)
        return status

    def close(self):
        if self.running():
            self.proc.send_signal(signal.SIGTERM)
            if self.wait_exit(5) is None:
                self.proc.kill()
                self.proc.wait()
        if self.sound:
            self.sound.stop()
        if self.x:
            self.x.stop()
        shutil.rmtree(self.home, ignore_errors=True)

    # -- keys

    def xdotool(self, *words):
        subprocess.run(["xdotool"] + list(words), env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def keydown(self, key):
        self.xdotool("keydown", key)

    def keyup(self, key):
        self.xdotool("keyup", key)

    def press(self, key, hold=0.15):
        """One press, held long enough to span several 33 ms ticks."""
        self.keydown(key)
        time.sleep(hold)
        self.keyup(key)

    def hold(self, key, seconds):
        self.press(key, seconds)

    def tap(self, key, seconds=0.02):
        """A press of `seconds`, timed by one xdotool (no delay of its own)."""
        self.xdotool("keydown", "--delay", "0", key, "sleep", str(seconds), "keyup", "--delay", "0", key)

    # -- standard output

    def mark(self):
        """A position in standard output to search from."""
        with self._cond:
            return len(self.out)

    def lines(self, since=0):
        with self._cond:
            return [l for _, l in self.out[since:]]

    def wait_for(self, pattern, timeout=5.0, since=0, store=None):
        """Index of the first line from since on that matches, or None."""
        rx = re.compile(pattern)
        store = self.out if store is None else store
        deadline = time.monotonic() + timeout
        with self._cond:
            i = since
            while True:
                while i < len(store):
                    if rx.fullmatch(store[i][1]):
                        return i
                    i += 1
                left = deadline - time.monotonic()
                if left <= 0 or (self.proc.poll() is not None and i >= len(store)):
                    return None
                self._cond.wait(min(left, 0.1))

    def count(self, pattern, since=0):
        rx = re.compile(pattern)
        return sum(1 for l in self.lines(since) if rx.fullmatch(l))

    def signals(self, since=0):
        """The sentence indices the game printed (a line that is only a number)."""
        return [int(l) for l in self.lines(since) if re.fullmatch(r"\d+", l)]

    def stderr_text(self):
        with self._cond:
            return "\n".join(l for _, l in self.err)

    # -- screen

    def screenshot(self, label=None):
        blob = subprocess.run(["xwd", "-root", "-silent"], env=self.env, check=True,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
        shot = parse_xwd(blob)
        if label and self.shots:
            self._shotno += 1
            shot.save_png(os.path.join(self.shots, "%02d-%s.png" % (self._shotno, label)))
        return shot

    def wait_screen(self, pred, timeout=5.0, label=None, still=True):
        """Takes screenshots until pred(shot) holds (on a still picture unless
        still=False); returns that shot, saved under label, or None."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.screenshot()
            if (not still or shot.still()) and pred(shot):
                if label and self.shots:
                    self._shotno += 1
                    shot.save_png(os.path.join(self.shots, "%02d-%s.png" % (self._shotno, label)))
                return shot
            if time.monotonic() > deadline:
                if label and self.shots:
                    self._shotno += 1
                    shot.save_png(os.path.join(self.shots, "%02d-%s-TIMEOUT.png" % (self._shotno, label)))
                return None
            time.sleep(0.05)


# ---------------------------------------------------------------- what screens look like

def text_box(x, y, chars):
    """Game-pixel box of a line of the 8x8 font."""
    return (x, y, x + 8 * chars - 1, y + 7)


def is_intro(shot):
    return shot.count(INTRO_GREY, *text_box(4, 50, 17)) >= 20


def is_title_line(shot):
    return shot.count(TITLE_BROWN, *text_box(8, 7, 11)) >= 20


def title_highlight(shot):
    """'Start' or 'Exit', whichever row is drawn on white; None if neither."""
    def lit(x, y, chars):
        box = text_box(x, y, chars)
        # Highlighted: white cell background under grey strokes, hardly any black.
        return shot.count(WHITE, *box) > 16 * chars and shot.count(BLACK, *box) < 4 * chars
    start, exit_ = lit(59, 60, 5), lit(59, 82, 4)
    if start != exit_:
        return "Start" if start else "Exit"
    return None


def is_title(shot):
    return is_title_line(shot) and title_highlight(shot) is not None


def level_row(k):
    return text_box(54, 30 + 10 * k, len(LEVELS[k]))


def level_colour(shot, k):
    """'red', 'white', 'locked' or None for level k's name on the list."""
    box = level_row(k)
    counts = {name: shot.count(c, *box)
              for name, c in (("red", LIST_RED), ("white", WHITE), ("locked", LOCKED))}
    best = max(counts, key=counts.get)
    others = sum(v for n, v in counts.items() if n != best)
    if counts[best] >= 8 and others <= 2:
        return best
    return None


def is_level_list(shot):
    return is_title_line(shot) and level_colour(shot, 0) is not None and \
        all(level_colour(shot, k) is not None for k in range(len(LEVELS)))


def is_play_screen(shot):
    # The message box fills (12..147, 0..63) in grey or red; the rows are framed in white.
    box = shot.count_where(lambda c: c in (BOX_GREY, BOX_RED), 12, 0, 147, 63)
    frames = shot.count(WHITE, 0, 64, 159, 64)
    return box > 2000 and frames > 150


def message_box_colour(shot):
    grey = shot.count(BOX_GREY, 12, 0, 147, 63)
    red = shot.count(BOX_RED, 12, 0, 147, 63)
    if grey > 2000 and red < 100:
        return "grey"
    if red > 2000 and grey < 100:
        return "red"
    return None


# ---------------------------------------------------------------- common routes

def skip_intro(s):
    shot = s.wait_screen(is_intro, 10, label="intro")
    expect(shot is not None, "the intro never showed")
    s.press("Return")
    shot = s.wait_screen(is_title, 5, label="title")
    expect(shot is not None, "the title did not follow a key on the intro")
    return shot


def title_to_list(s):
    expect(title_highlight(s.wait_screen(is_title, 5)) == "Start", "title does not start on Start")
    s.press("space")
    shot = s.wait_screen(is_level_list, 5)
    expect(shot is not None, "Space on Start did not show the level list")
    return shot


def title_tune_then_quit(s, audible=100):
    """From the intro to the title, whose tune must be heard within 1.5 s
    (frame RMS above `audible`, of 32768); then Esc, which must end the game
    with status 0. For a session started with sound=True."""
    skip_intro(s)
    t_title = time.monotonic()
    time.sleep(1.5)
    env = s.sound.envelope(t_title - 0.5, t_title + 1.5)
    expect(env and max(env) > audible,
           "the title tune is not audible: loudest frame %.1f" % max(env or [0]))
    s.press("Escape")
    expect(s.wait_exit(10) == 0, "Esc on the title did not end the game with status 0")


def quit_from_title(s):
    """Esc on the title ends the game; returns its exit status."""
    s.press("Escape")
    return s.wait_exit(10)


# ---------------------------------------------------------------- play screen

def selected_row(shot):
    """The control row framed in red, or None."""
    rows = [r for r in range(4) if shot.count(BOX_RED, 1, 65 + 11 * r, 158, 65 + 11 * r) > 120]
    return rows[0] if len(rows) == 1 else None


def settle(s, quiet=0.3, timeout=5.0):
    """Waits until standard output has been quiet for a while."""
    deadline = time.monotonic() + timeout
    n = s.mark()
    last = time.monotonic()
    while time.monotonic() < deadline:
        time.sleep(0.05)
        m = s.mark()
        if m != n:
            n, last = m, time.monotonic()
        elif time.monotonic() - last >= quiet:
            return True
    return False


def hold_nudges(s, key, ticks, stop_on_signal=True, timeout=None):
    """Holds Left or Right until the game has relaxed `ticks` times (one
    STARTCALC per nudge tick), or has printed a sentence index; a few more
    ticks may run before the key is up. Returns (nudges, new indices)."""
    since = s.mark()
    timeout = timeout or 3.0 + ticks / 15.0
    deadline = time.monotonic() + timeout
    s.keydown(key)
    try:
        while time.monotonic() < deadline:
            if s.count("STARTCALC", since) >= ticks:
                break
            if stop_on_signal and s.signals(since):
                break
            s.wait_for(r"STARTCALC|\d+", 0.1, s.mark())
    finally:
        s.keyup(key)
    settle(s)
    return s.count("STARTCALC", since), s.signals(since)
