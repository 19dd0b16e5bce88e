"""What the monkey holds the game's standard output to.

The checker reads the lines in order and knows which level each visit plays
because the walk tells it, before it presses Space on the level list, which
row the red cursor was on (expect_visit). A visit begins at "P 0,v"; the
walk also tells it when the list is back on screen (idle_from), after which
nothing but a new visit may print."""

import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
# The levels and the event slots that carry a sentence come from the game's
# own tables; tests/play/stories_test.cpp holds that table to the story plan.
from facts import FILLED, HAS_Y, LEVELS, ROWS  # noqa: E402

# The FAIL line that must precede a run-away sentence of each block.
RUNAWAY_FLAGS = [(33, 40, "FAIL1,0"), (41, 48, "FAIL0,1"), (49, 56, "FAIL1,1")]

SHAPE = re.compile(r"STARTCALC|FAIL[01],[01]|P (\d+),(\d+)|(\d+)|")


class OutputChecker:
    def __init__(self):
        self.faults = []
        self.pos = 0                # lines consumed so far
        self.pending = []           # (from line index, level) the walk asked for
        self.idle_marks = []        # line indices from which no visit is running
        self.level = None           # level of the running visit, or None
        self.levelmax = 0           # what the list should offer, as the output tells it
        self.seen = set()
        self.perm = []              # the current run of P lines
        self.perm_slot = -1
        self.lastword = None        # last non-empty line of the visit
        self.recent = []            # the last few lines, for the sentence framing
        self.visits = [0] * len(LEVELS)
        self.shown = [set() for _ in LEVELS]
        self.sentences = 0

    def fault(self, index, text):
        self.faults.append("line %d: %s" % (index + 1, text))

    # -- what the walk tells it

    def expect_visit(self, level, since):
        self.pending.append((since, level))

    def idle_from(self, index):
        self.idle_marks.append(index)

    # -- reading

    def feed(self, new):
        """Checks the lines that follow the ones already read (self.pos)."""
        for line in new:
            self._line(self.pos, line)
            self.pos += 1

    def _end_perm(self, i):
        if self.level is not None and self.perm:
            want = ROWS[self.level]
            if len(self.perm) != want:
                self.fault(i, "%s started with %d permutation lines, not %d"
                           % (LEVELS[self.level], len(self.perm), want))
            elif sorted(self.perm) != list(range(want)):
                self.fault(i, "%s: permutation %r" % (LEVELS[self.level], self.perm))
        self.perm = []

    def _line(self, i, line):
        while self.idle_marks and self.idle_marks[0] <= i:
            self.idle_marks.pop(0)
            self._end_perm(i)
            self.level = None
        m = SHAPE.fullmatch(line)
        if not m:
            self.fault(i, "unexpected line %r" % line)
            return
        is_p = line.startswith("P ")
        if self.perm and (not is_p or m.group(1) == "0"):
            self._end_perm(i)
        if is_p:
            self._perm_line(i, int(m.group(1)), int(m.group(2)))
        elif line == "":
            pass
        elif self.level is None:
            self.fault(i, "%r while no level is being played" % line)
        elif line.startswith("FAIL"):
            if line == "FAIL0,0":
                self.fault(i, "a run-away with neither axis flag")
            elif not HAS_Y[self.level] and line != "FAIL1,0":
                self.fault(i, "%r on %s, which has no y" % (line, LEVELS[self.level]))
        elif m.group(3) is not None:
            self._signal(i, int(m.group(3)))
        if line:
            self.lastword = line
        self.recent = (self.recent + [line])[-4:]

    def _perm_line(self, i, k, v):
        if k == 0:
            if not self.pending or self.pending[0][0] > i:
                self.fault(i, "a level started that the walk did not choose")
                self.level = None
            else:
                self.level = self.pending.pop(0)[1]
                self.visits[self.level] += 1
            self.seen = set()
            self.lastword = None
        elif not self.perm or self.perm_slot != k - 1:
            self.fault(i, "permutation slot %d out of order" % k)
        self.perm_slot = k
        self.perm.append(v)

    def _signal(self, i, n):
        lv = self.level
        name = LEVELS[lv]
        if not 1 <= n <= 56:
            self.fault(i, "signal index %d on %s" % (n, name))
            return
        if n not in FILLED[lv]:
            self.fault(i, "signal %d on %s, whose slot is empty" % (n, name))
        if n in self.seen:
            self.fault(i, "signal %d shown twice in one visit of %s" % (n, name))
        if self.recent[-3:] != ["", "", ""]:
            self.fault(i, "signal %d not after three empty lines" % n)
        want = "STARTCALC"
        for lo, hi, fail in RUNAWAY_FLAGS:
            if lo <= n <= hi:
                want = fail
        if self.lastword != want:
            self.fault(i, "signal %d follows %r, not %r" % (n, self.lastword, want))
        self.seen.add(n)
        self.shown[lv].add(n)
        self.sentences += 1
        if lv == self.levelmax and lv < len(LEVELS) - 1:
            self.levelmax = lv + 1

    def finish(self, lines):
        """lines: the whole output."""
        self.feed(lines[self.pos:])
        self._end_perm(self.pos)
