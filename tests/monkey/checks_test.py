#!/usr/bin/env python3
"""The monkey's output checker must let the game's real output through and
catch each kind of wrong line; a checker that passes everything would make
the monkey test worthless."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import OutputChecker  # noqa: E402

SHOWN = ["", "", ""]
NUDGE = ["STARTCALC", ""]


def sentence(n, fail=None):
    return NUDGE + ([fail] if fail else []) + SHOWN + [str(n), "", ""]


def visit(checker, out, level, perm):
    checker.expect_visit(level, len(out))
    out += ["P %d,%d" % (k, v) for k, v in enumerate(perm)]


class Run:
    """Feeds the checker in uneven pieces, as the walk does."""

    def __init__(self):
        self.c = OutputChecker()
        self.out = []

    def visit(self, level, perm):
        visit(self.c, self.out, level, perm)

    def idle(self):
        self.c.idle_from(len(self.out))

    def faults(self):
        for i in range(0, len(self.out), 3):
            self.c.feed(self.out[self.c.pos:i])
        self.c.finish(self.out)
        return self.c.faults


class GoodOutput(unittest.TestCase):
    def test_visits_with_sentences_unlock_in_order(self):
        r = Run()
        r.visit(0, [0])
        r.out += NUDGE + NUDGE + sentence(34, "FAIL1,0") + NUDGE
        r.idle()
        r.visit(0, [0])  # a second visit shows the sentence anew
        r.out += sentence(34, "FAIL1,0")
        r.idle()
        r.visit(1, [1, 0])
        r.out += sentence(11) + NUDGE
        r.idle()
        r.visit(5, [2, 0, 1])
        r.out += sentence(17) + sentence(49, "FAIL1,1") + sentence(41, "FAIL0,1")
        r.idle()
        r.visit(6, [3, 1, 0, 2])  # back to back with no nudge in between
        r.visit(6, [0, 1, 2, 3])
        r.out += sentence(56, "FAIL1,1")
        self.assertEqual(r.faults(), [])
        self.assertEqual(r.c.levelmax, 2)  # purse was not the highest unlocked
        self.assertEqual(r.c.visits, [2, 1, 0, 0, 0, 1, 2])
        self.assertEqual(r.c.sentences, 7)


class BadOutput(unittest.TestCase):
    def one(self, level, perm, body, idle_before=None):
        r = Run()
        r.visit(level, perm)
        if idle_before is not None:
            r.out += body[:idle_before]
            r.idle()
            body = body[idle_before:]
        r.out += body
        return r.faults()

    def test_sentences_out_of_place(self):
        cases = {
            "empty slot": (0, [0], sentence(33, "FAIL1,0")),
            "twice": (2, [0, 1, 2], sentence(4) + NUDGE + sentence(4)),
            "run-away sentence after a jump": (4, [0, 1, 2], sentence(33)),
            "wrong run-away block": (4, [0, 1, 2], sentence(41, "FAIL1,0")),
            "jump sentence after a run-away": (3, [0, 1, 2, 3], sentence(2, "FAIL1,0")),
            "not framed": (1, [0, 1], NUDGE + ["", "4"]),
            "out of range": (6, [0, 1, 2, 3], sentence(57, "FAIL1,1")),
            "zero": (6, [0, 1, 2, 3], sentence(0)),
        }
        for name, (level, perm, body) in cases.items():
            with self.subTest(name):
                self.assertEqual(len(self.one(level, perm, body)), 1, name)

    def test_lines_out_of_place(self):
        cases = {
            "y run-away on a level without y": (2, [0, 1, 2], NUDGE + ["FAIL0,1"], None),
            "run-away with no axis": (5, [0, 1, 2], NUDGE + ["FAIL0,0"], None),
            "stray text": (0, [0], ["STARTCALC", "x=0.5"], None),
            "relaxation on the list": (0, [0], NUDGE + NUDGE, 2),
            "sentence on the list": (1, [1, 0], NUDGE + SHOWN + ["4"], 2),
            "too few permutation lines": (3, [0, 1, 2], NUDGE, None),
            "not a permutation": (4, [0, 0, 2], NUDGE, None),
        }
        for name, (level, perm, body, idle) in cases.items():
            with self.subTest(name):
                self.assertEqual(len(self.one(level, perm, body, idle)), 1, name)

    def test_levels_nobody_chose(self):
        c = OutputChecker()
        c.feed(NUDGE)  # before any level
        c.feed(["P 0,0"])
        self.assertEqual(len(c.faults), 2)
        self.assertIn("no level", c.faults[0])
        self.assertIn("did not choose", c.faults[1])
        c = OutputChecker()
        c.expect_visit(1, 0)
        c.feed(["P 1,0", "P 0,1"])  # slots out of order
        c.finish(["P 1,0", "P 0,1"])
        self.assertTrue(c.faults)


if __name__ == "__main__":
    unittest.main()
