"""The facts the tests share with the game (the sound files, the levels and
which story slots speak), read from the game's own tables through the
qm_facts helper the test build makes. ctest names it in QM_FACTS; run by
hand, it is looked for beside the --game binary's build."""

import json
import os
import subprocess
import sys


def _helper():
    path = os.environ.get("QM_FACTS")
    if path:
        return path
    if "--game" in sys.argv[:-1]:
        game = sys.argv[sys.argv.index("--game") + 1]
        path = os.path.join(os.path.dirname(os.path.abspath(game)), "tests", "qm_facts")
        if os.access(path, os.X_OK):
            return path
    sys.exit("facts.py: set QM_FACTS to the qm_facts binary of a test build")


_facts = json.loads(subprocess.run([_helper()], check=True, stdout=subprocess.PIPE).stdout)

DATA_FILES = _facts["sounds"]
LEVELS = [l["name"] for l in _facts["levels"]]
ROWS = [l["controls"] for l in _facts["levels"]]
HAS_Y = [l["y"] for l in _facts["levels"]]
# Slot 0 opens a level; the events' sentences are the other filled slots.
FILLED = [set(l["filled"]) - {0} for l in _facts["levels"]]
