#!/usr/bin/env python3
"""Plays every level from "fold" to "parabola" by real key presses: on each
level a planned sequence of holds shows a sentence, which unlocks the next.

The plan comes from the planner, which has checked it against every
scrambling a level start can draw (or, where needed, against every one
with the permutation the level start prints). If a plan still runs out
without a sentence, the level is left and entered again, with a fresh draw.

It plays once, with a seed drawn for the run: every level start must deal
the permutation that seed predicts (qm_facts deal), so --seed replays a run
exactly and nothing else draws from the scrambling's numbers. That fresh
seeds differ from run to run is a unit test of freshseed()."""
import random
import re
import subprocess
import time

import harness as h

KEYS = {"+": "Right", "-": "Left"}


def read_plans(planner):
    """{(level, perm or None): [(row, key, ticks)]}"""
    run = subprocess.run([planner], stdout=subprocess.PIPE, text=True, timeout=120)
    h.expect(run.returncode == 0, "the planner found no plan for some level:\n" + run.stdout)
    plans, current = {}, None
    for line in run.stdout.splitlines():
        words = line.split()
        if words[0] == "level":
            perm = None if words[2] == "any" else tuple(int(v) for v in words[3].split(","))
            current = plans.setdefault((int(words[1]), perm), [])
        elif words[0] == "hold":
            current.append((int(words[1]), KEYS[words[2]], int(words[3])))
    for level in range(len(h.LEVELS)):
        h.expect(any(k[0] == level for k in plans), "no plan for level %d" % level)
    return plans


def select_row(s, current, row, rows):
    if row == current:
        return row
    for _ in range((row - current) % rows):
        s.press("Down")
        time.sleep(0.08)
    shot = s.wait_screen(lambda x: h.selected_row(x) == row, 3)
    h.expect(shot is not None, "row %d did not get selected" % row)
    return row


def play_level(s, level, plans, attempt, starts):
    """Enters the level under the cursor and runs its plan; the indices shown.
    Appends (level, permutation lines) to starts."""
    since = s.mark()
    s.press("space")
    rows = h.ROWS[level]
    last = None
    for k in range(rows):
        last = s.wait_for(r"P %d,\d" % k, 5, since)
        h.expect(last is not None, "%s: no permutation line for slot %d" % (h.LEVELS[level], k))
    perm = tuple(int(re.fullmatch(r"P \d+,(\d+)", l).group(1))
                 for l in s.lines(since) if l.startswith("P "))
    h.expect(sorted(perm) == list(range(rows)), "%s: permutation %r" % (h.LEVELS[level], perm))
    starts.append((level, perm))
    plan = plans.get((level, None)) or plans.get((level, perm))
    h.expect(plan is not None, "%s: no plan for permutation %r" % (h.LEVELS[level], perm))
    shot = s.wait_screen(h.is_play_screen, 5, label="%s-start-%d" % (h.LEVELS[level], attempt))
    h.expect(shot is not None, "%s: no play screen" % h.LEVELS[level])
    h.log("%s: permutation %s, plan %s" % (h.LEVELS[level], perm, plan))

    current = 0
    for row, key, ticks in plan:
        current = select_row(s, current, row, rows)
        nudges, signals = h.hold_nudges(s, key, ticks)
        h.log("  row %d %s: %d nudges, sentences %s" % (row, key, nudges, signals))
        h.expect(nudges >= min(ticks, 1) or signals, "%s: holding %s did nothing" % (h.LEVELS[level], key))
        if signals:
            break
    return s.signals(since)


def playthrough(args, plans, name, gameargs):
    """One run from the intro to a sentence on the last level; its level starts."""
    starts = []
    with h.Session(args, name, gameargs=gameargs) as s:
        h.skip_intro(s)
        h.title_to_list(s)
        for level in range(len(h.LEVELS)):
            if level > 0:
                s.press("Down")
            shot = s.wait_screen(lambda x: h.level_colour(x, level) == "red", 5)
            h.expect(shot is not None, "the cursor did not reach %s" % h.LEVELS[level])

            signals = []
            for attempt in range(3):
                signals = play_level(s, level, plans, attempt, starts)
                if signals:
                    break
                h.log("%s: no sentence, entering the level again" % h.LEVELS[level])
                s.press("Escape")
                h.expect(s.wait_screen(h.is_level_list, 5) is not None, "Esc did not leave the level")
            h.expect(signals, "%s: no sentence in three attempts" % h.LEVELS[level])
            h.log("%s: sentence %d" % (h.LEVELS[level], signals[0]))
            h.expect(1 <= signals[0] <= 56, "sentence index %d out of range" % signals[0])
            shot = s.wait_screen(h.is_play_screen, 5, label="%s-sentence" % h.LEVELS[level])
            h.expect(shot is not None, "%s: the picture did not come to rest after the sentence" % h.LEVELS[level])

            s.press("Escape")
            shot = s.wait_screen(h.is_level_list, 5, label="list-after-%s" % h.LEVELS[level])
            h.expect(shot is not None, "Esc did not return to the list from %s" % h.LEVELS[level])
            last = len(h.LEVELS) - 1
            colours = [h.level_colour(shot, k) for k in range(last + 1)]
            opened = min(level + 1, last)
            wanted = ["white"] * (opened + 1) + ["locked"] * (last - opened)
            wanted[level] = "red"
            h.expect(colours == wanted, "list after %s: %s, wanted %s" % (h.LEVELS[level], colours, wanted))

        s.press("Escape")
        h.expect(s.wait_screen(h.is_title, 5) is not None, "Esc on the list did not show the title")
        status = h.quit_from_title(s)
        h.expect(status == 0, "exit status %s" % status)
    return starts


def body():
    def extra(p):
        p.add_argument("--planner", required=True)
        p.add_argument("--facts", required=True, help="the qm_facts helper")
        p.add_argument("--seed", type=int, default=None, help="drawn afresh unless given")
    args = h.options(extra)
    plans = read_plans(args.planner)
    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(1 << 32)
    h.log("seed %d (replay with --seed %d)" % (seed, seed))
    starts = playthrough(args, plans, "playthrough", ["--seed", str(seed)])
    dealt = subprocess.run([args.facts, "deal", str(seed)] + [str(h.ROWS[l]) for l, _ in starts],
                           check=True, stdout=subprocess.PIPE, text=True).stdout.split()
    for k, ((level, perm), want) in enumerate(zip(starts, dealt)):
        h.expect(perm == tuple(int(v) for v in want.split(",")),
                 "level start %d (%s): --seed %d dealt %r, the seed predicts %s"
                 % (k + 1, h.LEVELS[level], seed, perm, want))


h.run_test(body)
