"""The demo: the autopilot plays a whole game from the menu to the table at a fixed step,
scores, keeps clear of the passers-by, leaves the table with Escape and writes its pictures.
(test_demo_replay.py replays a recorded one.)"""
import json
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from gamerun import GAME, keep_run, make_data_dir

# A small screen of the same shape as 1024 x 768: the same view, a tenth of the pixels, so a
# whole game of about 4,700 frames fits the test's time.
SMALL_SCREEN = "-screen 0 320x240x24"
STEP_MS = 33
# The autopilot scores 133 at 33 ms a frame (77 to 148 while it was tuned) and bumps into
# passers-by 10 times, mostly ones behind it.
LEAST_SCORE = 80
MOST_BUMPS_A_MINUTE = 6
TABLE_SECONDS = 4
GAME_SECONDS = 150

FRAME_WALL = re.compile(r', "frameWallMs": [^,}]*')


def trace_lines(path):
    """The trace's lines without frameWallMs, the one field that measures the machine."""
    with open(path) as f:
        return [FRAME_WALL.sub("", line) for line in f]


def run(parent, args, table_dir="xdg", screen=SMALL_SCREEN, timeout=240, paced=False):
    """The game in parent's data directory; each table_dir is a top-five table of its own.
    paced: swaps wait for a 30 Hz refresh, as on a player's screen (refresh_pace.c)."""
    work = os.path.join(parent, "data")
    if not os.path.exists(work):
        make_data_dir(parent)
    pace = os.environ.get("KERB_REFRESH_PACE") if paced else None
    preload = ["env", "LD_PRELOAD=" + pace] if pace else []
    cmd = ["xvfb-run", "-a", "-s", screen] + preload + [os.path.abspath(GAME), "--data", work] + args
    env = dict(os.environ, SDL_AUDIODRIVER="dummy", XDG_DATA_HOME=os.path.join(parent, table_dir))
    proc = subprocess.run(cmd, stdin=subprocess.DEVNULL, capture_output=True, timeout=timeout,
                          env=env, cwd=parent)
    if "--fixed-step" in args:
        path = lambda flag: os.path.join(parent, args[args.index(flag) + 1]) if flag in args else ""
        keep_run(path("--record"), path("--trace"), path("--pictures"))
    return proc


class FixedStepDemo(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp(prefix="kerb-demo-")
        cls.trace_path = os.path.join(cls.dir, "demo.jsonl")
        cls.record_path = os.path.join(cls.dir, "demo.rec")
        cls.proc = run(cls.dir, ["--demo", "--fixed-step", str(STEP_MS), "--trace", cls.trace_path,
                                 "--record", cls.record_path, "--pictures", "pictures"])
        cls.lines = trace_lines(cls.trace_path)
        cls.trace = [json.loads(line) for line in cls.lines]

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir, ignore_errors=True)

    def test_the_demo_starts_from_the_menu_and_ends_on_the_table_with_escape(self):
        self.assertEqual(self.proc.returncode, 0, self.proc.stderr.decode(errors="replace"))
        first, last = self.trace[0], self.trace[-1]
        self.assertTrue(first["menuMode"])
        self.assertEqual(first["playerName"], "demo\u0000  ")
        started = next(l for l in self.trace if not l["menuMode"])
        self.assertEqual(started["secondsLeft"], GAME_SECONDS)
        # The full-screen window had its size before the game began: the same game each run.
        self.assertEqual([started["windowWidth"], started["windowHeight"]], [320, 240])
        self.assertTrue(last["gameOver"])
        self.assertIsNotNone(last["highscores"])
        self.assertTrue(last["highscores"][0].startswith("demo"))
        over = next(l for l in self.trace if l["gameOver"])
        # A few seconds on the table, then Escape ends the program before the next frame.
        self.assertGreaterEqual(last["clock"] - over["clock"], TABLE_SECONDS * 1000)
        self.assertLess(last["clock"] - over["clock"], (TABLE_SECONDS + 1) * 1000)
        with open(self.record_path) as f:
            self.assertIn("%d keydown escape\n" % (last["frame"] + 1), f.read())

    def test_the_autopilot_scores_and_rarely_bumps_into_a_passer_by(self):
        score = self.trace[-1]["score"]
        playing = [l for l in self.trace if not l["menuMode"] and not l["gameOver"]]
        bumps = sum("audio/rempl.wav" in l["sounds"] for l in playing)
        flyers = sum("audio/powerup.wav" in l["sounds"] for l in playing)
        print("\nfixed step %d ms: score %d, %d flyers, %d bumps" % (STEP_MS, score, flyers, bumps))
        self.assertGreaterEqual(score, LEAST_SCORE)
        self.assertLessEqual(bumps, MOST_BUMPS_A_MINUTE * GAME_SECONDS / 60)
        # It walked the street rather than waiting for the passers-by to come.
        zs = [l["position"][2] for l in playing]
        self.assertGreater(max(zs) - min(zs), 100)

    def test_it_plays_as_a_player_with_keys_clicks_and_pointer_moves_only(self):
        with open(self.record_path) as f:
            words = [line.split()[1] for line in f if line[0].isdigit()]
        self.assertLessEqual(set(words), {"clock", "reshape", "keydown", "keyup", "mousedown",
                                          "mouseup", "motion"})
        for kind in ("keydown", "mousedown", "motion"):
            self.assertIn(kind, words)

    def test_pictures_of_the_menu_the_street_the_fist_and_the_table(self):
        pictures = os.path.join(self.dir, "pictures")
        names = sorted(os.listdir(pictures))
        for name in ("menu.png", "cone.png", "fist.png", "table.png", "play-2-30.png", "play-0-10.png"):
            self.assertIn(name, names)
        with open(os.path.join(pictures, "table.png"), "rb") as f:
            head = f.read(24)
        self.assertEqual(head[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(int.from_bytes(head[16:20], "big"), 320)


if __name__ == "__main__":
    unittest.main()
