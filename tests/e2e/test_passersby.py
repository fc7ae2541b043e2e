"""The passers-by in the running game: they walk and animate, come near, show their cone
and take a flyer on a left click, raising the score by their kind's points in that frame."""
import math
import os
import shutil
import tempfile
import unittest

from gamerun import read_png, run_game

# Roster order: kind and instance count, and the points a flyer gives.
KINDS = [("civi", 4, 1), ("cartman", 4, 1), ("jupiter", 4, 1), ("suit", 4, 3),
         ("twilight", 4, 1), ("witchblade", 1, 20), ("r2d2", 4, 1), ("garfield", 4, 1),
         ("lalaa", 4, 3), ("darth", 4, 1), ("messiah", 4, 1), ("tigger", 4, 3),
         ("rabbit", 4, 3)]
POINTS = [p for _, n, p in KINDS for _ in range(n)]

# Walk into the middle of the street and wait there for the passers-by to come by.
WALK = "2 keydown enter\n3 keydown w\n180 keyup w\n"
WAIT_UNTIL = 760


def in_front(line, i, cos_limit=0.9):
    """The character stands within about 25 degrees of the middle of the view."""
    ex, _, ez = line["position"]
    vx, _, vz = line["view"]
    cx, _, cz = line["characters"][i]["position"]
    dx, dz, fx, fz = cx - ex, cz - ez, vx - ex, vz - ez
    return (dx * fx + dz * fz) / math.hypot(dx, dz) / math.hypot(fx, fz) > cos_limit


def first_near_run(trace, length, after):
    """(frame, index) of the first character near, ready and in view for `length` frames."""
    by_frame = {line["frame"]: line for line in trace}
    for frame in range(after, max(by_frame) - length):
        for i in range(len(POINTS)):
            if all(by_frame[f]["characters"][i]["isNear"] and
                   by_frame[f]["characters"][i]["isReady"] and in_front(by_frame[f], i)
                   for f in range(frame, frame + length)):
                # The first near one in roster order takes a click: make sure it is i.
                if all(not by_frame[f]["characters"][j]["isNear"]
                       for j in range(i) for f in range(frame, frame + length)):
                    return frame, i
    return None, None


class PassersBy(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp(prefix="kerb-passersby-")
        cls.plain = run_game(WALK + "%d quit\n" % WAIT_UNTIL, small=True)
        assert cls.plain.returncode == 0, cls.plain.stderr
        cls.frame, cls.index = first_near_run(cls.plain.trace, 6, 181)
        assert cls.frame is not None, "nobody came near the waiting player"
        click = cls.frame + 2
        cls.green = os.path.join(cls.dir, "green.png")
        cls.red = os.path.join(cls.dir, "red.png")
        cls.still_green = os.path.join(cls.dir, "still-green.png")
        shots = "%d screenshot %s\n%d screenshot {after}\n" % (cls.frame + 1, cls.green,
                                                                 cls.frame + 4)
        cls.clicked = run_game(WALK + shots.format(after=cls.red) +
                               "%d mousedown left\n%d mouseup left\n%d quit\n" %
                               (click, click + 1, cls.frame + 6), small=True)
        cls.unclicked = run_game(WALK + shots.format(after=cls.still_green) +
                                 "%d quit\n" % (cls.frame + 6), small=True)
        cls.click = click

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir, ignore_errors=True)

    def test_characters_walk_turn_and_animate_the_same_way_every_run(self):
        first, later = self.plain.frame(3), self.plain.frame(400)
        self.assertEqual(len(first["characters"]), 49)
        moved = [a["position"] != b["position"]
                 for a, b in zip(first["characters"], later["characters"])]
        self.assertTrue(all(moved))
        # Five keyframes a second at 20 ms a frame: the shown frame has moved on.
        frames_changed = sum(a["frame"] != b["frame"]
                             for a, b in zip(first["characters"], later["characters"]))
        self.assertGreater(frames_changed, 40)
        for c in later["characters"]:
            x, y, z = c["position"]
            self.assertTrue(-18 - 0.31 <= x <= 11 + 0.31 and -220.31 <= z <= -37.69, c)
        # The other runs are the same street frame for frame until the click.
        self.assertEqual(self.clicked.frame(self.frame)["characters"],
                         self.plain.frame(self.frame)["characters"])

    def test_a_click_near_a_ready_character_scores_its_kind_in_that_frame(self):
        before = self.clicked.frame(self.click - 1)
        at = self.clicked.frame(self.click)
        self.assertEqual(before["score"], 0)
        self.assertEqual(at["score"], POINTS[self.index])
        self.assertFalse(at["characters"][self.index]["isReady"])
        self.assertFalse(at["flyerClick"])
        # The HUD of the same frame plays the score sound once.
        self.assertIn("audio/powerup.wav", at["sounds"])
        later = [l for l in self.clicked.trace if l["frame"] > self.click]
        self.assertTrue(all("audio/powerup.wav" not in l["sounds"] for l in later))
        self.assertEqual(self.unclicked.frame(self.click)["score"], 0)

    def test_the_cone_turns_from_green_to_red_after_the_flyer(self):
        green = read_png(self.green)[2]
        red = read_png(self.red)[2]
        still = read_png(self.still_green)[2]
        # The same frame with and without the flyer differs in the cone (and the score).
        turned_red = turned_green = 0
        for y in range(120, len(red)):
            a, b = red[y], still[y]
            if a == b:
                continue
            for x in range(0, len(a), 3):
                ra, ga, ba = a[x:x + 3]
                rb, gb, bb = b[x:x + 3]
                if (ra, ga, ba) == (rb, gb, bb):
                    continue
                turned_red += ra > ga + 60
                turned_green += gb > rb + 60
        self.assertGreater(turned_red, 20)
        self.assertGreater(turned_green, 20)
        # Before the click the cone already showed green in that place.
        greenish = sum(1 for y in range(120, len(green)) for x in range(0, len(green[y]), 3)
                       if green[y][x + 1] > green[y][x] + 60 and green[y][x + 1] > 120)
        self.assertGreater(greenish, 20)


class BumpAndFlyer(unittest.TestCase):
    """A walk that ends where a passer-by bumps into the player; clicking in that frame
    makes both effects fire in one frame, the bump first."""
    WALK_TO_BUMP = "2 keydown enter\n3 keydown w\n280 keyup w\n"

    @classmethod
    def setUpClass(cls):
        plain = run_game(cls.WALK_TO_BUMP + "500 quit\n", small=True)
        assert plain.returncode == 0, plain.stderr
        cls.bump = None
        for line in plain.trace:
            if line["frame"] > 281 and "audio/rempl.wav" in line["sounds"] and any(
                    c["isNear"] and c["isReady"] for c in line["characters"]):
                cls.bump = line["frame"]
                break
        assert cls.bump is not None, "no bump next to a ready passer-by"
        cls.plain = plain
        cls.clicked = run_game(cls.WALK_TO_BUMP + "%d mousedown left\n%d quit\n" %
                               (cls.bump, cls.bump + 3), small=True)

    def test_bump_pushes_the_eye_away_and_plays_the_thud(self):
        before, at = self.plain.frame(self.bump - 1), self.plain.frame(self.bump)
        self.assertNotEqual(before["position"], at["position"])
        self.assertEqual(at["view"][1], before["view"][1])  # the push is horizontal
        self.assertEqual(at["score"], 0)

    def test_bump_and_score_in_one_frame_play_bump_first(self):
        at = self.clicked.frame(self.bump)
        self.assertGreater(at["score"], 0)
        self.assertEqual(at["sounds"], ["audio/rempl.wav", "audio/powerup.wav"])


if __name__ == "__main__":
    unittest.main()
