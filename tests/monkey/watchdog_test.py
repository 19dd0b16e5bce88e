#!/usr/bin/env python3
"""The monkey's watchdog must notice a frozen picture and memory above its
bound: a game stopped with SIGSTOP draws nothing, and a bound below what the
game needs at all is crossed at the first sample."""
import os
import signal
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
sys.path.insert(0, HERE)

import harness as h  # noqa: E402
from monkey import Watchdog  # noqa: E402


def wait_faults(dog, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end and not dog.faults:
        time.sleep(0.1)
    return dog.faults


def body():
    args = h.options()
    with h.Session(args, "watchdog") as s:
        h.expect(s.wait_screen(h.is_intro, 10) is not None, "the intro never showed")
        dog = Watchdog(s, 1 << 20)
        dog.armed.set()
        dog.start()
        h.expect(not wait_faults(dog, 3), "a running game was called faulty: %s" % dog.faults)
        h.expect(dog.peak_kb > 1024, "no resident memory sampled")
        os.kill(s.proc.pid, signal.SIGSTOP)
        try:
            # The watchdog ends at its first fault: wait for its verdict
            # rather than for a fixed time, which a slow capture can outlast.
            dog.join(45)
            faults = dog.faults
        finally:
            os.kill(s.proc.pid, signal.SIGCONT)
        h.expect(any("picture has not changed" in f for f in faults),
                 "a stopped game went unnoticed: %s" % faults)

        dog = Watchdog(s, 1024)
        dog.start()
        faults = wait_faults(dog, 3)
        h.expect(any("resident memory" in f for f in faults), "1 MiB bound not reported: %s" % faults)
        dog.stop()


h.run_test(body)
