"""The game from the outside: start, walk, look, quit, the console and the command line."""
import math
import os
import subprocess
import unittest

from gamerun import GAME, run_game

START = "2 keydown enter\n"


class WalkingTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # Enter at frame 2, then w held for frames 10 to 59: 50 frames of 20 ms, one second.
        cls.run_ = run_game(START + "10 keydown w\n60 keyup w\n70 keydown escape\n")

    def test_quits_with_exit_code_zero_after_escape(self):
        self.assertEqual(self.run_.returncode, 0, self.run_.stderr)
        self.assertEqual(self.run_.trace[-1]["frame"], 69)

    def test_first_play_frame_clamps_the_start_pose_to_x_18(self):
        # Enter is delivered just before frame 2, so frame 2 is already drawn in play.
        first = self.run_.frame(2)
        self.assertFalse(first["menuMode"])
        self.assertAlmostEqual(first["position"][0], 18.0, places=5)
        self.assertAlmostEqual(first["view"][0], -7.0, places=4)
        self.assertAlmostEqual(first["position"][2], -64.0, places=5)
        # The first play frame measures from clock zero.
        self.assertAlmostEqual(first["frameTime"], 0.04, places=5)
        self.assertTrue(self.run_.frame(1)["menuMode"])

    def test_one_second_of_w_walks_eight_units_times_the_cosine_of_the_pitch(self):
        before, after = self.run_.frame(9), self.run_.frame(59)
        look = [v - p for v, p in zip(before["view"], before["position"])]
        pitch = math.atan2(-look[1], math.hypot(look[0], look[2]))
        ground = math.hypot(after["position"][0] - before["position"][0],
                            after["position"][2] - before["position"][2])
        self.assertAlmostEqual(ground, 8.0 * math.cos(pitch), places=3)
        self.assertEqual(after["position"][1], before["position"][1])
        # It walked along the look direction.
        step = [after["position"][0] - before["position"][0], after["position"][2] - before["position"][2]]
        self.assertGreater(step[0] * look[0] + step[1] * look[2], 0)
        self.assertEqual(self.run_.frame(61)["position"], self.run_.frame(60)["position"])

    def test_the_clock_reads_frame_times_step(self):
        self.assertEqual(self.run_.frame(40)["clock"], 800)


class MenuAndQuitTest(unittest.TestCase):
    def test_arrows_wrap_and_quit_item_ends_the_game(self):
        run = run_game("2 keydown up\n3 keydown down\n4 keydown down\n5 keydown up\n6 keydown up\n"
                       "8 keydown enter\n")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual([run.frame(n)["menuIndex"] for n in (2, 3, 4, 5, 6)], [3, 0, 1, 0, 3])
        self.assertEqual(run.trace[-1]["frame"], 7)

    def test_about_page_opens_and_closes(self):
        run = run_game("2 keydown down\n3 keydown enter\n5 keydown escape\n6 quit\n")
        self.assertTrue(run.frame(3)["aboutShown"])
        self.assertFalse(run.frame(5)["aboutShown"])
        self.assertTrue(run.frame(5)["menuMode"])
        self.assertEqual(run.returncode, 0)

    def test_mouse_look_turns_and_the_right_button_toggles_the_fist(self):
        run = run_game(START + "5 motion 612 384\n6 mousedown right\n7 quit\n")
        before, after = run.frame(4), run.frame(5)
        yaw = lambda f: math.atan2(f["view"][0] - f["position"][0], -(f["view"][2] - f["position"][2]))
        # 100 pixels to the right: 0.2 radian to the right.
        self.assertAlmostEqual(yaw(after) - yaw(before), 0.2, places=4)
        self.assertTrue(run.frame(6)["fistShown"])
        self.assertEqual(run.returncode, 0)


class ConsoleTest(unittest.TestCase):
    def test_a_piped_name_is_prompted_for_and_stored_in_seven_bytes(self):
        run = run_game("3 quit\n", name=None, stdin=b"Bartholomew\n")
        self.assertTrue(run.stdout.startswith("please enter your name: "), run.stdout)
        self.assertIn("\nthank you, please be patient for a few seconds and then press ALT-TAB "
                      "to start KerbRunner...", run.stdout)
        self.assertEqual(run.frame(1)["playerName"], "Barthol")
        self.assertEqual(run.returncode, 0)

    def test_closed_standard_input_keeps_the_initial_name(self):
        run = run_game("3 quit\n", name=None)
        self.assertEqual(run.frame(1)["playerName"], "a      ")
        self.assertEqual(run.returncode, 0, run.stderr)

    def test_a_short_name_keeps_its_nul_and_blanks(self):
        run = run_game("3 quit\n", name=None, stdin=b"abc\n")
        self.assertEqual(run.frame(1)["playerName"], "abc\u0000   ")


class CommandLineTest(unittest.TestCase):
    def test_a_malformed_script_stops_before_the_window_with_file_and_line(self):
        run = run_game("2 keydown enter\n3 fly away\n")
        self.assertNotEqual(run.returncode, 0)
        self.assertIn("script.txt:2: unknown event 'fly'", run.stderr)
        self.assertEqual(run.trace, [])

    def test_without_a_display_the_game_says_so(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        proc = subprocess.run([GAME, "--name", "x"], env=env, capture_output=True,
                              stdin=subprocess.DEVNULL, timeout=30)
        self.assertEqual(proc.returncode, 1)
        self.assertIn("needs a graphical display", proc.stderr.decode())

    def test_help_and_version(self):
        out = subprocess.run([GAME, "--help"], capture_output=True, timeout=30)
        self.assertEqual(out.returncode, 0)
        for option in ("--windowed", "--name", "--data", "--fixed-step", "--script", "--trace"):
            self.assertIn(option, out.stdout.decode())
        ver = subprocess.run([GAME, "--version"], capture_output=True, timeout=30)
        self.assertTrue(ver.stdout.decode().startswith("Kerb Runner "))


if __name__ == "__main__":
    unittest.main()
