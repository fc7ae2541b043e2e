"""The street from the player's eye: what the start pose shows, and walking into a column."""
import math
import os
import shutil
import tempfile
import unittest

from gamerun import read_png, run_game

START = "2 keydown enter\n"


def pixel(rows, x, y):
    return tuple(rows[y][x * 3:x * 3 + 3])


def brightness_stats(pixels):
    values = [sum(p) / 3 for p in pixels]
    mean = sum(values) / len(values)
    return mean, math.sqrt(sum((v - mean) ** 2 for v in values) / len(values))


class Screenshots(unittest.TestCase):
    """Runs a script that takes screenshots into a private directory."""
    SCRIPT = ""
    SHOTS = ()

    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp(prefix="kerb-shots-")
        script = cls.SCRIPT.format(**{name: os.path.join(cls.dir, name + ".png") for name in cls.SHOTS})
        cls.run_ = run_game(script, small=True)
        cls.images = {name: read_png(os.path.join(cls.dir, name + ".png")) for name in cls.SHOTS}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir, ignore_errors=True)


class StartPoseTest(Screenshots):
    SCRIPT = START + "5 screenshot {start}\n6 quit\n"
    SHOTS = ("start",)

    def test_the_eye_is_lifted_to_2_2_by_the_ground(self):
        self.assertAlmostEqual(self.run_.frame(2)["position"][1], 2.2, places=5)
        self.assertAlmostEqual(self.run_.frame(2)["view"][1], 0.45, places=5)
        self.assertEqual(self.run_.frame(3)["position"], self.run_.frame(2)["position"])
        self.assertEqual(self.run_.returncode, 0, self.run_.stderr)

    def test_lit_arcade_ceiling_above_and_textured_pavement_below(self):
        width, height, rows = self.images["start"]
        self.assertEqual((width, height), (1024, 768))
        # The start pose stands under the arcade building: its underside fills the top.
        top_mean, _ = brightness_stats([pixel(rows, x, 10) for x in range(0, width, 8)])
        self.assertGreater(top_mean, 80)
        # The pavement: lit, and tiles make it anything but one flat colour.
        mean, spread = brightness_stats([pixel(rows, x, height - 20) for x in range(0, width, 4)])
        self.assertGreater(mean, 60)
        self.assertGreater(spread, 3.0)


class StreetSideTest(Screenshots):
    # Face -x, sidestep to z -72 (between two columns), walk out to the play area's edge at
    # x -18, then look up over the house row across the road, and down at the rails. A
    # passer-by bumps the walker back on the way, so the walk is held long enough to make up.
    SCRIPT = START + (
        "5 motion -85 384\n"
        "8 keydown d\n58 keyup d\n"
        "60 keydown w\n400 keyup w\n"
        "405 motion 512 -91\n408 screenshot {sky}\n"
        "409 motion 512 859\n410 screenshot {street}\n"
        "412 quit\n")
    SHOTS = ("sky", "street")

    def test_the_walk_ends_at_the_edge_of_the_play_area(self):
        self.assertAlmostEqual(self.run_.frame(399)["position"][0], -18.0, places=4)
        self.assertEqual(self.run_.returncode, 0, self.run_.stderr)

    def test_sky_above_the_house_row(self):
        width, height, rows = self.images["sky"]
        top = [pixel(rows, x, 20) for x in range(0, width, 16)]
        self.assertTrue(all(b > r + 20 and b > 100 for r, g, b in top), top[:4])
        bottom = [pixel(rows, x, height - 10) for x in range(0, width, 16)]
        self.assertLess(sum(1 for r, g, b in bottom if b > r + 20), len(bottom) // 2)

    def test_the_street_below_is_textured(self):
        width, height, rows = self.images["street"]
        mean, spread = brightness_stats([pixel(rows, x, height - 40) for x in range(0, width, 2)])
        self.assertGreater(mean, 30)
        self.assertGreater(spread, 5.0)


class ColumnTest(unittest.TestCase):
    # From the start pose, turn left towards the side x = -4 of the column at z -80..-78, walk
    # up to it, square up to face -x and keep walking: the column holds the eye 2.2 away.
    SCRIPT = START + (
        "5 motion 240 384\n"     # 272 pixels left: 0.544 radian
        "6 keydown w\n"
        "160 keyup w\n"
        "165 motion 188 384\n"   # face -x
        "166 keydown w\n"
        "260 keyup w\n"
        "265 quit\n")

    @classmethod
    def setUpClass(cls):
        cls.run_ = run_game(cls.SCRIPT, small=True)

    def test_walking_into_the_column_stops_2_2_from_its_face(self):
        self.assertEqual(self.run_.returncode, 0, self.run_.stderr)
        end = self.run_.frame(259)["position"]
        self.assertAlmostEqual(end[0], -1.8, places=3)
        self.assertTrue(-80 < end[2] < -78, end)
        self.assertAlmostEqual(end[1], 2.2, places=4)

    def test_the_eye_is_blocked_while_w_is_still_held(self):
        xs = [self.run_.frame(n)["position"][0] for n in range(230, 260)]
        self.assertEqual(self.run_.frame(240)["forwardAxis"], 1)
        self.assertLess(max(xs) - min(xs), 1e-3)


if __name__ == "__main__":
    unittest.main()
