#!/usr/bin/env python3
"""Monkey test: the real game under Xvfb, driven by seeded random key presses.

F11 and Alt+Enter come tapped and held for seconds with the desktop's key
repeat, Enter also held across the switch. The walk looks at the picture
before every action to know the screen it is
on, and leans towards the keys that lead on (Space and Down on the menus,
long Left and Right holds on a level), so it spends its time playing. Beside
it a watchdog samples the picture and the game's resident memory on its own
clock. The run fails on:

- a crash, an exit from anywhere but the title, or an exit from the title
  that no Esc or "Exit" asked for (a legal exit is noted and the game is
  started again);
- a picture that stops changing for more than a second while the game runs;
- a line on standard output the game has no business printing, a sentence
  index that is not a filled slot of the level being played or that shows
  twice in one visit (see checks.py);
- a level list whose unlocked rows or cursor disagree with what was played;
- resident memory above --rss-bound-mb.

Exit status: 0 pass, 1 fail, 77 skip (no data files)."""

import collections
import hashlib
import os
import random
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
sys.path.insert(0, HERE)

import harness as h  # noqa: E402
from checks import LEVELS, ROWS, OutputChecker  # noqa: E402

OTHER = ["a", "m", "minus", "Tab"]  # change no screen (Enter chooses, so it is not here)
NAV = ["Left", "Right", "BackSpace", "Delete"]
STILL_LIMIT = 1.0  # seconds the picture may stay the same while the game runs


def vmrss_kb(pid):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


class Watchdog(threading.Thread):
    """Picture and memory on their own clock, so a long key hold cannot hide
    a frozen picture."""

    def __init__(self, session, rss_bound_kb):
        super().__init__(daemon=True)
        self.s = session
        self.bound = rss_bound_kb
        self.faults = []
        self.armed = threading.Event()
        self.stopped = threading.Event()
        self.peak_kb = 0
        self.first_kb = self.last_kb = 0  # resident memory at the first and last sample
        self.rss_samples = 0
        self.shots = 0
        self.longest_still = 0.0

    def _exits_soon(self, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if not self.s.running():
                return True
            time.sleep(0.05)
        return False

    def run(self):
        last_digest, last_change, next_rss = None, None, 0.0
        while not self.stopped.is_set() and self.s.running():
            now = time.monotonic()
            if now >= next_rss:
                kb = vmrss_kb(self.s.proc.pid)
                if kb:
                    self.rss_samples += 1
                    self.peak_kb = max(self.peak_kb, kb)
                    # From the intro on: start-up is over.
                    if self.armed.is_set():
                        self.first_kb, self.last_kb = self.first_kb or kb, kb
                    if kb > self.bound:
                        self.faults.append("resident memory %d KiB above the bound of %d KiB" % (kb, self.bound))
                        return
                next_rss = now + 1.0
            if self.armed.is_set():
                try:
                    blob = subprocess.run(["xwd", "-root", "-silent"], env=self.s.env, timeout=10,
                                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
                except subprocess.TimeoutExpired:
                    blob = b""
                t = time.monotonic()
                self.shots += 1
                # A capture that fails tells nothing about the picture, so it
                # is no change either: a game stopped in the middle of talking
                # to the X server can make xwd wait out its timeout.
                digest = hashlib.md5(blob).digest() if blob else last_digest
                if last_change is None or digest != last_digest:
                    if last_change is not None:
                        self.longest_still = max(self.longest_still, t - last_change)
                    last_digest, last_change = digest, t
                elif t - last_change > STILL_LIMIT:
                    # A game on its way out legally stops drawing too.
                    if not self._exits_soon(3.0):
                        self.faults.append("the picture has not changed for %.1f s while the game runs"
                                           % (time.monotonic() - last_change))
                    return
            time.sleep(0.2)

    def stop(self):
        self.stopped.set()
        self.join(15)


class Run:
    """One run of the game: its session, watchdog and output checker."""

    def __init__(self, monkey, number):
        # The game records itself, so a fault can be watched again exactly.
        self.recording = None
        if monkey.args.shots:
            os.makedirs(monkey.args.shots, exist_ok=True)
            self.recording = os.path.join(os.path.abspath(monkey.args.shots), "monkey-%d.qmr" % number)
            monkey.recording = self.recording
        self.s = h.Session(monkey.args, "monkey-%d" % number,
                           gameargs=["--record", self.recording] if self.recording else [])
        self.s.start()
        self.dog = Watchdog(self.s, monkey.args.rss_bound_mb * 1024)
        self.dog.start()
        self.check = OutputChecker()
        self.screen = None
        self.shot = None
        self.cursor = None       # the list's red row, as last seen
        self.visit_level = None  # the level being played, as entered


class Monkey:
    def __init__(self, args):
        self.args = args
        self.seed = args.seed if args.seed is not None else random.SystemRandom().randrange(1 << 31)
        self.recording = None  # the latest run's recording
        self.rng = random.Random(self.seed)
        self.faults = []
        self.keydowns = 0
        self.keyups = 0
        self.clicks = 0
        self.growth = []   # resident memory (KiB) first and last seen, by run
        self.switches = 0  # F11 or Alt+Enter
        self.heldswitches = 0  # of them held for seconds (Enter held across the switch: acrossenter)
        self.acrossenter = 0
        self.closes = 0    # close requests, as a window manager sends them
        self.actions = 0
        self.arrivals = collections.Counter()  # screen -> times reached
        self.visits = [0] * len(LEVELS)
        self.shown = [set() for _ in LEVELS]
        self.sentences = 0
        self.lines_checked = 0
        self.highest_unlocked = 0
        self.runs = 0
        self.legal_exits = 0
        self.intro_timeouts = 0
        self.peak_kb = 0
        self.rss_samples = 0
        self.watch_shots = 0
        self.longest_still = 0.0
        self.held = set()
        self.history = collections.deque(maxlen=40)
        self.run = None

    # -- keys

    def down(self, key):
        if key == "close":
            if self.args.xclose:
                wins = subprocess.run(["xdotool", "search", "--class", "quellmarrow"], env=self.run.s.env,
                                      stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout.split()
                subprocess.run([self.args.xclose] + wins, env=self.run.s.env)
                self.closes += 1
        elif key == "mouse":
            self.run.s.xdotool("mousedown", "1")
            self.clicks += 1
        else:
            self.run.s.keydown(key)
            self.keydowns += 1
        self.held.add(key)

    def up(self, key):
        if key not in self.held:
            return
        if key == "close":
            pass
        elif key == "mouse":
            self.run.s.xdotool("mouseup", "1")
        else:
            self.run.s.keyup(key)
            self.keyups += 1
        self.held.discard(key)

    def perform(self, events):
        """events: (seconds from now, 'down' or 'up', key); every key pressed
        is released again, whatever happens in between."""
        t0 = time.monotonic()
        try:
            for at, what, key in sorted(events, key=lambda e: e[0]):
                delay = t0 + at - time.monotonic()
                if delay > 0:
                    time.sleep(delay)
                if what == "repeat":
                    if key in self.held:
                        self.run.s.keydown(key)
                else:
                    (self.down if what == "down" else self.up)(key)
        finally:
            for key in list(self.held):
                self.up(key)

    # -- choosing

    def tap_time(self):
        return self.rng.uniform(0.04, 0.3)

    def tap(self, key, hold=None):
        hold = self.tap_time() if hold is None else hold
        return [(0, "down", key), (hold, "up", key)]

    def pick(self, table):
        total = sum(w for w, _ in table)
        r = self.rng.uniform(0, total)
        for w, make in table:
            r -= w
            if r <= 0:
                return make()
        return table[-1][1]()

    def held_for(self, key, start, seconds):
        """key held from start for seconds, pressed again by the desktop's
        key repeat every 40 ms after half a second."""
        events = [(start, "down", key)]
        t = 0.5
        while t < seconds:
            events.append((start + t, "repeat", key))
            t += 0.04
        return events + [(start + seconds, "up", key)]

    def display_keys(self):
        """F11, or Alt+Enter, tapped or held for seconds (Enter held across
        the switch, Alt let go first or last), or now and then the window's
        close button."""
        r = self.rng.random()
        if r < 0.12:
            return [(0, "down", "close"), (0.01, "up", "close")]
        self.switches += 1
        if r < 0.45:
            return self.tap("F11", self.rng.uniform(0.08, 0.3))
        if r < 0.6:
            self.heldswitches += 1
            return self.held_for("F11", 0, self.rng.uniform(1.0, 3.0))
        if r < 0.75:
            return [(0, "down", "Alt_L")] + [(t + 0.03, w, k) for t, w, k in self.tap("Return")] + \
                [(0.4, "up", "Alt_L")]
        self.heldswitches += 1
        self.acrossenter += 1
        hold = self.rng.uniform(1.0, 3.0)
        alt_up = self.rng.choice([self.rng.uniform(0.05, 0.5), hold + 0.2])  # before Enter, or after it
        return [(0, "down", "Alt_L")] + self.held_for("Return", 0.03, hold) + [(alt_up, "up", "Alt_L")]

    def menu_chord(self):
        return self.tap("Up", self.rng.uniform(0.08, 0.2)) + self.tap("Down", self.rng.uniform(0.08, 0.2))

    def choose(self, screen, shot):
        rng = self.rng
        anykey = lambda: self.tap(rng.choice(NAV + OTHER + ["Up", "Down", "space", "Escape"]))  # noqa: E731
        if screen == "intro":
            return self.pick([
                (8, anykey),
                (3, lambda: self.tap("mouse", rng.uniform(0.04, 0.2))),
                (1, lambda: self.tap("Escape", rng.uniform(0.3, 1.5))),
                (0.25, lambda: []),  # let it run out on its own
                (0.5, self.display_keys),
            ])
        if screen == "title":
            on_start = h.title_highlight(shot) != "Exit"
            return self.pick([
                (40 if on_start else 3, lambda: self.tap("space")),
                (12, lambda: self.tap("Up")),
                (12, lambda: self.tap("Down")),
                (2, self.menu_chord),
                (2, lambda: self.tap("Escape")),
                (5, lambda: self.tap(rng.choice(NAV + OTHER))),
                (6, self.display_keys),
            ])
        if screen == "list":
            # Lean towards the newest level while there is one to unlock;
            # once all are open, wander the list.
            m = self.run.check.levelmax
            if m == len(LEVELS) - 1:
                enter, down = 15, 18
            elif self.run.cursor == m:
                enter, down = 30, 8
            else:
                enter, down = 10, 24
            return self.pick([
                (enter, lambda: "enter"),
                (down, lambda: self.tap("Down")),
                (10, lambda: self.tap("Up")),
                (2, self.menu_chord),
                (3, lambda: self.tap("Escape")),
                (5, lambda: self.tap(rng.choice(NAV + OTHER))),
                (6, self.display_keys),
            ])
        side = lambda: rng.choice(["Left", "Right"])  # noqa: E731
        return self.pick([
            (25, lambda: self.tap(side())),
            (16, lambda: self.tap(side(), rng.uniform(0.5, 4.0))),
            (14, lambda: self.tap(rng.choice(["Up", "Down"]))),
            (5, lambda: self.tap(rng.choice(["BackSpace", "Delete"]))),
            (4, lambda: self.tap(rng.choice(["BackSpace", "Delete"]), rng.uniform(1.0, 5.0))),
            (2, lambda: self.tap("Left", 0.8) + self.tap("Right", 0.6)),
            (2, lambda: self.tap(side(), 1.5) + [(0.5, "down", "BackSpace"), (1.0, "up", "BackSpace")]),
            (3, lambda: self.tap(side(), 2.0) + [(0.7, "down", "Up"), (0.85, "up", "Up")]),
            (3, lambda: self.tap("Escape")),
            (3, lambda: self.tap(rng.choice(["space"] + OTHER))),
            (3, lambda: [(rng.uniform(0.2, 1.0), "up", "none")]),
            (10, self.display_keys),
        ])

    # -- seeing

    def classify(self, timeout=5.0):
        """('intro' | 'title' | 'list' | 'play' | None, shot)."""
        s = self.run.s
        deadline = time.monotonic() + timeout
        shot = None
        while s.running():
            shot = s.screenshot()
            for name, test in (("intro", h.is_intro), ("title", h.is_title),
                               ("list", h.is_level_list), ("play", h.is_play_screen)):
                if test(shot):
                    return name, shot
            if time.monotonic() > deadline:
                break
            time.sleep(0.05)
        return None, shot

    def save(self, shot, label):
        if shot is not None and self.args.shots:
            os.makedirs(self.args.shots, exist_ok=True)
            shot.save_png(os.path.join(self.args.shots, "monkey-%s.png" % label))

    def fault(self, text, shot=None):
        h.log("FAULT:", text)
        self.faults.append(text)
        self.save(shot, "fault-%d" % len(self.faults))

    # -- what each screen must show

    def check_list(self, shot, left_level):
        colours = [h.level_colour(shot, k) for k in range(len(LEVELS))]
        red = [k for k, c in enumerate(colours) if c == "red"]
        open_ = [k for k, c in enumerate(colours) if c != "locked"]
        chk = self.run.check
        chk.feed(self.run.s.lines(chk.pos))
        if len(red) != 1 or open_ != list(range(len(open_))):
            self.fault("level list %s" % colours, shot)
            return None
        m = len(open_) - 1
        self.highest_unlocked = max(self.highest_unlocked, m)
        if m != chk.levelmax:
            self.fault("the list offers up to %s, but the sentences shown unlock up to %s"
                       % (LEVELS[m], LEVELS[chk.levelmax]), shot)
        if left_level is not None and red[0] != left_level:
            self.fault("back from %s, the cursor is on %s" % (LEVELS[left_level], LEVELS[red[0]]), shot)
        return red[0]

    def enter_level(self, level):
        """Space on the list with the cursor on level: the visit's P lines."""
        s, chk = self.run.s, self.run.check
        since = s.mark()
        chk.expect_visit(level, since)
        self.perform(self.tap("space", self.rng.uniform(0.1, 0.3)))
        first = s.wait_for(r"P 0,\d+", 5, since)
        if first is None:
            if s.running():
                self.fault("Space on the list with the cursor on %s started no level" % LEVELS[level])
            return
        s.wait_for(r"P %d,\d+" % (ROWS[level] - 1), 2, first)
        self.run.visit_level = level
        self.visits[level] += 1

    # -- the walk

    def start_run(self):
        self.runs += 1
        self.run = Run(self, self.runs)
        screen, shot = self.classify(10)
        if screen != "intro":
            self.fault("the game did not open on the intro (%s)" % screen, shot)
            return
        self.run.dog.armed.set()
        self.arrivals["intro"] += 1
        self.run.screen = "intro"
        self.run.shot = shot

    def end_run(self):
        r = self.run
        r.dog.stop()
        r.s.wait_exit(0.5)
        r.check.finish(r.s.lines())
        self.faults += ["watchdog: " + f for f in r.dog.faults]
        self.faults += ["output: " + f for f in r.check.faults]
        for k in range(len(LEVELS)):
            self.shown[k] |= r.check.shown[k]
        self.sentences += r.check.sentences
        self.lines_checked += len(r.s.lines())
        self.peak_kb = max(self.peak_kb, r.dog.peak_kb)
        self.growth.append((time.monotonic() - r.s.started, r.dog.first_kb, r.dog.last_kb))
        self.rss_samples += r.dog.rss_samples
        self.watch_shots += r.dog.shots
        self.longest_still = max(self.longest_still, r.dog.longest_still)
        if (r.dog.faults or r.check.faults) and self.args.shots:
            os.makedirs(self.args.shots, exist_ok=True)
            with open(os.path.join(self.args.shots, "monkey-%d-stdout.txt" % self.runs), "w") as f:
                for n, (t, line) in enumerate(r.s.out):
                    f.write("%6d %9.2f %s\n" % (n + 1, t - h._T0, line))
        r.s.close()
        self.run = None

    def step(self):
        r = self.run
        before, shot = r.screen, r.shot
        events = self.choose(before, shot)
        self.actions += 1
        if events == "enter":
            level = r.cursor
            self.history.append((round(time.monotonic() - h._T0, 2), before, "space on %s" % LEVELS[level]))
            self.enter_level(level)
            events = [(0, "down", "space")]
        else:
            self.history.append((round(time.monotonic() - h._T0, 2), before,
                                 " ".join("%s%s@%.2f" % ("+" if w == "down" else "-", k, t)
                                          for t, w, k in events if w != "repeat")))
            if before == "intro" and not events:
                self.wait_intro_out()
            else:
                self.perform(events)
        time.sleep(self.rng.uniform(0.03, 0.25))
        keys = {k for _, _, k in events}

        if not r.s.running():
            self.game_ended(before, shot, keys)
            return
        screen, shot = self.classify()
        if screen is None:
            if r.s.running():
                self.fault("no screen recognised for 5 s after %s on the %s" % (self.history[-1][2], before), shot)
            else:
                self.game_ended(before, r.shot, keys)
            return
        if screen != before:
            self.arrivals[screen] += 1
            if before == "play" and screen != "list":
                self.fault("leaving %s led to the %s" % (LEVELS[r.visit_level], screen), shot)
        if screen in ("list", "title"):
            r.check.idle_from(r.s.mark())
        if screen == "list":
            r.cursor = self.check_list(shot, r.visit_level if before == "play" else None)
            if r.cursor is None:
                screen = None  # no cursor to enter a level by; look again next step
        if screen == "play":
            if r.visit_level is None:
                self.fault("a level is on screen that the walk never entered", shot)
            else:
                row = h.selected_row(shot)
                if row is not None and row >= ROWS[r.visit_level]:
                    self.fault("row %d selected on %s, which has %d rows"
                               % (row, LEVELS[r.visit_level], ROWS[r.visit_level]), shot)
        elif before == "play":
            r.visit_level = None
        r.screen, r.shot = screen or before, shot if screen else r.shot
        r.check.feed(r.s.lines(r.check.pos))

    def wait_intro_out(self):
        """Leaves the intro alone; it ends by itself after twenty seconds."""
        s = self.run.s
        t0 = time.monotonic()
        while time.monotonic() - t0 < 26 and s.running():
            if h.is_title(s.screenshot()):
                self.intro_timeouts += 1
                h.log("the intro ended by itself after %.1f s" % (time.monotonic() - t0))
                return
            time.sleep(0.5)
        self.fault("the intro was still up %.0f s after the last key" % (time.monotonic() - t0))

    def game_ended(self, before, shot, keys):
        status = self.run.s.wait_exit(10)
        asked = "close" in keys or before == "title" and (
            "Escape" in keys or ("space" in keys and h.title_highlight(shot) == "Exit"))
        if status == 0 and asked:
            self.legal_exits += 1
            h.log("the game ended as asked (%s on the %s), status 0; starting it again"
                  % (", ".join(sorted(keys)), before))
        else:
            self.fault("the game ended with status %s after %s on the %s"
                       % (status, ", ".join(sorted(keys)) or "no key", before))
        self.end_run()

    def walk(self):
        h.log("monkey: seed %d, %.1f minutes, resident memory bound %d MiB"
              % (self.seed, self.args.minutes, self.args.rss_bound_mb))
        self.t0 = time.monotonic()
        deadline = self.t0 + 60 * self.args.minutes
        last_report = self.t0
        try:
            while time.monotonic() < deadline and not self.faults:
                if self.run is None:
                    self.start_run()
                    continue
                self.step()
                if self.run is not None and self.run.dog.faults:
                    break
                if self.run is not None and self.run.check.faults:
                    break
                if time.monotonic() - last_report > 60:
                    last_report = time.monotonic()
                    h.log("monkey: %d actions, %d key presses, levels entered %s, peak %d KiB"
                          % (self.actions, self.keydowns, self.visits,
                             max(self.peak_kb, self.run.dog.peak_kb if self.run else 0)))
        finally:
            self.elapsed = time.monotonic() - self.t0
            if self.run is not None:
                try:
                    for key in list(self.held):
                        self.up(key)
                except subprocess.CalledProcessError:
                    pass
                if not self.run.s.running() and not self.faults:
                    self.fault("the game is gone (status %s)" % self.run.s.wait_exit(1))
                self.end_run()
        if self.faults:
            h.log("last actions (time, screen, keys):")
            for entry in self.history:
                h.log("  ", *entry)
            h.log("replay this run with --seed %d" % self.seed)
            if self.recording:
                h.log("watch the game's last run again: quellmarrow --replay %s" % self.recording)

    # -- the closing note

    def summary(self):
        mins, secs = divmod(int(self.elapsed), 60)
        lines = [
            "monkey summary",
            "seed: %d" % self.seed,
            "ran: %dm %02ds (asked for %.1f minutes)" % (mins, secs, self.args.minutes),
            "game runs: %d (%d ended as asked, from the title or by a close request, with status 0 and were started again)"
            % (self.runs, self.legal_exits),
            "actions: %d; key presses: %d (key events %d), mouse clicks: %d"
            % (self.actions, self.keydowns, self.keydowns + self.keyups, self.clicks),
            "full screen <-> window switches: %d (%d held for seconds, %d of them Alt+Enter with Enter held "
            "across the switch); close requests: %d" % (self.switches, self.heldswitches, self.acrossenter, self.closes),
            "longest run (%.0f s): resident memory %d KiB at its first sample, %d KiB at its last"
            % max(self.growth or [(0, 0, 0)]),
            "screens reached: " + ", ".join("%s %d" % (k, self.arrivals[k])
                                           for k in ("intro", "title", "list", "play")),
            "intros left to run out: %d" % self.intro_timeouts,
            "levels entered: " + ", ".join("%s %d" % (LEVELS[k], self.visits[k]) for k in range(len(LEVELS))),
            "highest level unlocked: %s" % LEVELS[self.highest_unlocked],
            "sentences shown: %d" % self.sentences,
        ]
        for k in range(len(LEVELS)):
            if self.shown[k]:
                lines.append("  %s slots: %s" % (LEVELS[k], sorted(self.shown[k])))
        lines += [
            "standard output lines checked: %d" % self.lines_checked,
            "peak resident memory: %.1f MiB over %d samples (bound %d MiB)"
            % (self.peak_kb / 1024.0, self.rss_samples, self.args.rss_bound_mb),
            "picture samples: %d; longest unchanged: %.2f s" % (self.watch_shots, self.longest_still),
            "faults: %d" % len(self.faults),
        ]
        lines += ["  " + f for f in self.faults]
        return "\n".join(lines) + "\n"


def main():
    def extra(p):
        p.add_argument("--minutes", type=float, default=3.0)
        p.add_argument("--seed", type=int, default=None, help="random unless given")
        # The game stays near 11 MiB (its undo history adds some 56 bytes
        # per nudge tick); twice that leaves room without hiding a leak.
        p.add_argument("--rss-bound-mb", type=int, default=24)
        p.add_argument("--summary", default=None, help="also write the summary here")
        p.add_argument("--xclose", default=None, help="the close-request helper (tests/e2e/xclose.c)")
    args = h.options(extra)
    if not h.data_complete(args.data):
        h.log("SKIP: the sound and music files are missing")
        sys.exit(h.SKIP)
    monkey = Monkey(args)
    monkey.walk()
    text = monkey.summary()
    sys.stdout.write(text)
    if args.summary:
        with open(args.summary, "w") as f:
            f.write(text)
    h.log("PASS" if not monkey.faults else "FAIL")
    sys.exit(1 if monkey.faults else 0)


if __name__ == "__main__":
    main()
