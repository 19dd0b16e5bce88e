#!/usr/bin/env python3
"""The screens before play: intro, title menu, level list, and the ways out."""
import time

import harness as h


def list_colours(shot):
    return [h.level_colour(shot, k) for k in range(len(h.LEVELS))]


def body():
    args = h.options()

    # Run 1: "Exit" ends the program.
    with h.Session(args, "frontend-exit") as s:
        title = h.skip_intro(s)
        h.expect(h.title_highlight(title) == "Start", "the highlight does not start on Start")
        s.press("Down")
        shot = s.wait_screen(lambda x: h.title_highlight(x) == "Exit", 3, label="title-exit")
        h.expect(shot is not None, "Down did not move the highlight to Exit")
        # With two rows Up toggles as well: back to Start, then to Exit again.
        s.press("Up")
        h.expect(s.wait_screen(lambda x: h.title_highlight(x) == "Start", 3) is not None,
                 "Up did not move the highlight back to Start")
        s.press("Up")
        h.expect(s.wait_screen(lambda x: h.title_highlight(x) == "Exit", 3) is not None,
                 "Up did not move the highlight to Exit")
        s.press("space")
        status = s.wait_exit(10)
        h.expect(status == 0, "Space on Exit: exit status %s, wanted 0" % status)

    # Run 2: Start with Enter, the level list, fold with keypad Enter, and back.
    with h.Session(args, "frontend") as s:
        title = h.skip_intro(s)  # with Return: held into the title, it chooses nothing
        h.expect(h.title_highlight(title) == "Start", "the highlight does not start on Start")
        time.sleep(0.3)
        h.expect(h.is_title(s.screenshot()), "the Return that ended the intro also chose on the title")
        s.press("Return")
        shot = s.wait_screen(h.is_level_list, 3, label="level-list")
        h.expect(shot is not None, "Enter on Start did not show the level list")
        h.expect(list_colours(shot) == ["red"] + ["locked"] * (len(h.LEVELS) - 1),
                 "level list at the start: %s" % list_colours(shot))
        h.expect(shot.count(h.TITLE_BROWN, *h.text_box(8, 7, 11)) >= 20, "no title line on the list")

        # With only "fold" open, Up and Down leave the cursor where it is.
        for key in ("Down", "Up"):
            s.press(key)
            time.sleep(0.2)
            shot = s.wait_screen(h.is_level_list, 3)
            h.expect(shot is not None and list_colours(shot)[0] == "red",
                     "%s moved the cursor off fold: %s" % (key, shot and list_colours(shot)))

        s.press("KP_Enter")
        h.expect(s.wait_screen(h.is_play_screen, 5) is not None, "keypad Enter did not start fold")
        s.press("Escape")
        h.expect(s.wait_screen(h.is_level_list, 5) is not None, "Esc did not leave fold")

        # Esc held for a while: back to the title, and the same press must
        # not also end the program there.
        s.hold("Escape", 0.6)
        shot = s.wait_screen(h.is_title, 3, label="title-again")
        h.expect(shot is not None, "Esc on the level list did not return to the title")
        h.expect(h.title_highlight(shot) == "Start", "title came back with the highlight on Exit")
        time.sleep(0.5)
        h.expect(s.running(), "an Esc held over from the level list ended the program")

        # Space held from the title into the level list chooses nothing there.
        s.keydown("space")
        h.expect(s.wait_screen(h.is_level_list, 3) is not None, "Space on Start did not show the level list")
        time.sleep(0.5)
        h.expect(h.is_level_list(s.wait_screen(lambda x: True, 3)), "a Space held from the title chose a level")
        s.keyup("space")
        s.press("Escape")
        h.expect(s.wait_screen(h.is_title, 3) is not None, "Esc on the level list did not return to the title")

        status = h.quit_from_title(s)
        h.expect(status == 0, "Esc on the title: exit status %s, wanted 0" % status)
        h.expect(s.lines() == ["P 0,0"], "standard output of a visit of fold: %r" % s.lines()[:5])


h.run_test(body)
