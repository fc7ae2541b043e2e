"""A whole demo game on the wall clock, recorded, replays frame for frame: the same frame
times, positions, passers-by and score, although the replay runs at its own pace in a
window of another size (a tiny one: the recorded reshape gives the game its size, and
llvmpipe draws only what falls inside the window). The recorded game plays full screen on a
small screen at 30 frames a second, as on a player's synced display, not as fast as Xvfb
lets it (which took a core for the whole game and made the replay as long)."""
import os
import shutil
import tempfile
import unittest

from test_demo import SMALL_SCREEN, run, trace_lines

TINY_SCREEN = "-screen 0 32x24x24"


class RealTimeRecording(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp(prefix="kerb-replay-")
        cls.recorded_trace = os.path.join(cls.dir, "recorded.jsonl")
        cls.replayed_trace = os.path.join(cls.dir, "replayed.jsonl")
        cls.recording = os.path.join(cls.dir, "game.rec")
        # About 155 seconds: the menu, the whole game and the table, on the wall clock.
        cls.recorded = run(cls.dir, ["--demo", "--record", cls.recording,
                                     "--trace", cls.recorded_trace], screen=SMALL_SCREEN,
                           timeout=280, paced=True)
        cls.replayed = run(cls.dir, ["--script", cls.recording, "--trace", cls.replayed_trace],
                           table_dir="replay-xdg", screen=TINY_SCREEN, timeout=280)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir, ignore_errors=True)

    def test_both_games_end_on_the_table(self):
        self.assertEqual(self.recorded.returncode, 0, self.recorded.stderr.decode(errors="replace"))
        self.assertEqual(self.replayed.returncode, 0, self.replayed.stderr.decode(errors="replace"))
        self.assertIn(b"demo: game over, final score", self.recorded.stdout)

    def test_the_replay_traces_the_recorded_game_line_for_line(self):
        recorded = trace_lines(self.recorded_trace)
        replayed = trace_lines(self.replayed_trace)
        self.assertGreater(len(recorded), 1000)
        self.assertIn('"gameOver": true', recorded[-1])
        self.assertEqual(len(replayed), len(recorded))
        for number, (a, b) in enumerate(zip(recorded, replayed), 1):
            if a != b:
                self.fail("frame %d differs:\n%s\n%s" % (number, a[:400], b[:400]))

    def test_the_recording_holds_the_clock_of_every_frame_and_the_pointer_warps(self):
        with open(self.recording) as f:
            lines = f.read().splitlines()
        self.assertEqual(lines[1], "name demo%00%20%20")
        clocks = [int(l.split()[2]) for l in lines if " clock " in l]
        # One per drawn frame, and one for the frame that Escape on the table ended before it
        # was drawn.
        self.assertEqual(len(clocks), len(trace_lines(self.recorded_trace)) + 1)
        self.assertEqual(clocks, sorted(clocks))
        # Real frames take their own time: not a fixed step.
        steps = sorted(b - a for a, b in zip(clocks, clocks[1:]))
        self.assertGreater(len(set(steps)), 3)
        if os.environ.get("KERB_REFRESH_PACE"):  # a frame a refresh at most
            self.assertGreaterEqual(steps[len(steps) // 2], 33)
        # Each turn puts the pointer back at the centre, which the window reports as a motion
        # to the centre; it reaches the game, and the recording, like any other motion.
        width, height = (int(v) for v in SMALL_SCREEN.split()[2].split("x")[:2])
        self.assertIn("motion %d %d" % (width // 2, height // 2), "\n".join(lines))
        self.assertTrue(any(l.endswith(" reshape %d %d" % (width, height)) for l in lines))


if __name__ == "__main__":
    unittest.main()
