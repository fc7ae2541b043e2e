"""A whole game of seeded random input, and a run that resizes the window again and again.

tests/soak/soak.py holds the script maker and the per-frame checks; tests/soak/run_long.sh
runs longer and more seeds.
"""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "soak"))
import soak  # noqa: E402

# At 7 ms a frame the 150 s game and its final tick take about 21,580 frames from the start.
SOAK_FRAMES = 21700
SOAK_STEP = 7
MIN_PLAY_FRAMES = 20000
RESIZE_FRAMES = 3000


def good_line(frame=10):
    return {"frame": frame, "menuMode": False, "gameOver": False, "score": 5,
            "position": [0.0, 2.2, -100.0], "view": [0.0, 2.2, -101.0], "sounds": [],
            "characters": [{"position": [0.0, 0.0, -100.0]} for _ in range(49)]}


class SoakChecks(unittest.TestCase):
    def test_every_check_can_fail(self):
        def broken(change):
            line = good_line()
            change(line)
            problems = []
            soak.check_line(line, problems)
            return problems

        self.assertEqual(broken(lambda line: None), [])
        cases = {
            "camera not finite": lambda l: l["view"].__setitem__(1, None),
            "eye outside the play area": lambda l: l["position"].__setitem__(0, 18.01),
            "eye height": lambda l: l["position"].__setitem__(1, 10.0),
            "outside its walking box": lambda l: l["characters"][20]["position"].__setitem__(
                0, 11.0 + 0.3 + 0.01),  # the one fast passer-by, beyond its 0.3 step
            "score": lambda l: l.__setitem__("score", 1000),
        }
        for text, change in cases.items():
            with self.subTest(text):
                problems = broken(change)
                self.assertEqual(len(problems), 1, problems)
                self.assertIn(text, problems[0])
        # Within its own step outside the box is what a turn-back leaves.
        self.assertEqual(broken(lambda l: l["characters"][20]["position"].__setitem__(0, 11.29)), [])
        self.assertEqual(len(soak.CHARACTER_SPEEDS), 49)

    def test_scripts_keep_enter_and_escape_to_the_ends_and_reach_the_extremes(self):
        script = soak.make_script(7, 3000, resize=True).splitlines()
        events = [line.split() for line in script if not line.startswith("#")]
        self.assertEqual(events[-1], ["3001", "keydown", "escape"])
        keys = [e for e in events if e[1] in ("keydown", "keyup")]
        self.assertEqual([e for e in keys if e[2] in ("enter", "escape")],
                         [["2", "keydown", "enter"], ["3001", "keydown", "escape"]])
        motions = {(e[2], e[3]) for e in events if e[1] == "motion"}
        self.assertTrue(any("-2147483648" in m or "2147483647" in m for m in motions))
        reshapes = [e for e in events if e[1] == "reshape"]
        self.assertTrue(any(e[3] == "0" for e in reshapes))
        self.assertEqual(soak.make_script(7, 3000, resize=True), "\n".join(script) + "\n")


class Soak(unittest.TestCase):
    def assertClean(self, result, frames):
        self.assertEqual(result.code, 0, result.err)
        self.assertEqual(result.problems, [])
        self.assertEqual(result.checked, frames, result.err)
        print("\n  " + result.summary(), file=sys.stderr)

    def test_a_whole_game_of_random_input(self):
        result = soak.run_soak(seed=2026, frames=SOAK_FRAMES, step=SOAK_STEP, timeout=600)
        self.assertClean(result, SOAK_FRAMES)
        self.assertGreaterEqual(result.played, MIN_PLAY_FRAMES)
        self.assertTrue(result.stats["gameOver"], "the game should have ended")

    def test_the_window_resized_again_and_again_down_to_nothing(self):
        result = soak.run_soak(seed=99, frames=RESIZE_FRAMES, step=SOAK_STEP, resize=True,
                               timeout=600)
        self.assertClean(result, RESIZE_FRAMES)


if __name__ == "__main__":
    unittest.main()
