"""Whole games from the menu to the top-five table: the countdown, the overlay on screen, the
table in "highscore.txt" (in the player's directory below XDG_DATA_HOME), on the console and
in the trace, and a second game ranked against the first by the same player."""
import os
import shutil
import tempfile
import unittest

from gamerun import make_data_dir, read_png, run_game

# Frames 1001 ms apart tick the countdown once each. Enter comes just before frame 2, which
# shows 2:30; frame 152 shows 0:00 and frame 153 ends the game.
STEP = 1001
FIRST_PLAY, LAST_SECOND, END = 2, 152, 153
TABLE_SHOT, QUIT = 156, 158
RECORD, TABLE = 12, 60
NO_SOUND_LINE = "kerbrunner: no sound device found, playing without sound"


def game_script(*extra):
    lines = ["2 keydown enter"] + list(extra) + ["%d quit" % QUIT]
    return "\n".join(lines) + "\n"


def record_bytes(name7, digits, b7=b"\0", b11=b"\0"):
    return name7 + b7 + digits + b11


def trace_table(line):
    """The trace's five records back as the file's bytes (each character one byte)."""
    return b"".join(r.encode("latin-1") for r in line["highscores"])


def count(rows, box, test):
    x0, y0, x1, y1 = box
    n = 0
    for y in range(y0, y1):
        row = rows[y]
        for x in range(x0, x1):
            if test(row[3 * x], row[3 * x + 1], row[3 * x + 2]):
                n += 1
    return n


def red(r, g, b):
    return r > 180 and g < 70 and b < 70


def blue(r, g, b):
    return b > 180 and r < 70 and g < 70


def yellowish(r, g, b):
    # The pictures are drawn through yellow and added onto the grey street.
    return r - b > 60 and g - b > 40


class FullGameTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.parent = tempfile.mkdtemp(prefix="kerb-game-")
        cls.data = make_data_dir(cls.parent)
        cls.xdg = os.path.join(cls.parent, "xdg")
        cls.table_dir = os.path.join(cls.xdg, "kerbrunner")
        cls.table_path = os.path.join(cls.table_dir, "highscore.txt")
        player = {"XDG_DATA_HOME": cls.xdg}
        shot = lambda name: os.path.join(cls.parent, name)
        cls.first = run_game(game_script("5 screenshot " + shot("hand.png"),
                                         "6 mousedown right",
                                         "7 screenshot " + shot("fist.png"),
                                         "%d screenshot %s" % (TABLE_SHOT, shot("table1.png"))),
                             args=["--data", cls.data], name="Alice", step=STEP,
                             env_extra=player, small=True)
        with open(cls.table_path, "rb") as f:
            cls.first_file = f.read()
        cls.second = run_game(game_script("%d screenshot %s" % (TABLE_SHOT, shot("table2.png"))),
                              args=["--data", cls.data], name="Bob", step=STEP,
                              env_extra=player, small=True)
        with open(cls.table_path, "rb") as f:
            cls.second_file = f.read()
        cls.shots = {}
        for name in ("hand", "fist", "table1", "table2"):
            path = shot(name + ".png")
            cls.shots[name] = read_png(path)[2] if os.path.exists(path) else None

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.parent, ignore_errors=True)

    def name7(self, run):
        return run.frame(1)["playerName"].encode("latin-1")

    def test_both_games_end_normally(self):
        for run in (self.first, self.second):
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertEqual(run.trace[-1]["frame"], QUIT - 1)

    def test_the_countdown_runs_from_two_thirty_and_ends_on_the_tick_after_zero(self):
        run = self.first
        self.assertTrue(run.frame(1)["menuMode"])
        self.assertEqual(run.frame(FIRST_PLAY)["secondsLeft"], 150)
        self.assertFalse(run.frame(FIRST_PLAY)["menuMode"])
        self.assertEqual(run.frame(FIRST_PLAY + 91)["secondsLeft"], 59)
        self.assertEqual(run.frame(LAST_SECOND)["secondsLeft"], 0)
        self.assertFalse(run.frame(LAST_SECOND)["gameOver"])
        self.assertIsNone(run.frame(LAST_SECOND)["highscores"])
        self.assertTrue(run.frame(END)["gameOver"])
        self.assertEqual(run.frame(END)["score"], 0)

    def test_the_first_game_creates_the_sixty_byte_file(self):
        name7 = self.name7(self.first)
        self.assertTrue(name7.startswith(b"Alice\0"), name7)
        self.assertEqual(self.first_file, record_bytes(name7, b"000") + bytes(48))
        self.assertIn("File could not be opened\nWrote 60 items\n", self.first.stdout)
        self.assertNotIn("Number of items read", self.first.stdout)

    def test_an_equal_score_in_the_next_game_goes_second(self):
        expected = (record_bytes(self.name7(self.first), b"000") +
                    record_bytes(self.name7(self.second), b"000") + bytes(36))
        self.assertEqual(self.second_file, expected)
        self.assertIn("Number of items read = 60\nContents of buffer = Alice\nWrote 60 items\n",
                      self.second.stdout)
        self.assertEqual(os.listdir(self.table_dir), ["highscore.txt"])
        self.assertEqual([f for f in os.listdir(self.data) if f.startswith("highscore")], [])

    def test_the_trace_shows_the_table_from_the_last_frame_on(self):
        for run, file_bytes in ((self.first, self.first_file), (self.second, self.second_file)):
            for frame in (END, QUIT - 1):
                self.assertEqual(trace_table(run.frame(frame)), file_bytes)

    def test_the_trace_names_the_music_started(self):
        self.assertIn("audio/Organ4U.mp3", self.first.frame(1)["sounds"])
        self.assertIn("audio/NotBond.mp3", self.first.frame(FIRST_PLAY)["sounds"])

    def test_the_overlay_shows_crosshair_score_time_and_hand(self):
        rows = self.shots["hand"]
        self.assertIsNotNone(rows)
        # A 40-pixel blue cross in the middle of the 1024 x 768 window.
        self.assertGreaterEqual(count(rows, (490, 382, 535, 387), blue), 30)
        self.assertGreaterEqual(count(rows, (510, 362, 515, 407), blue), 30)
        # "000" in red at (70, 70), "2:27" in blue at (924, 70), baseline at y 70.
        self.assertGreaterEqual(count(rows, (68, 46, 120, 72), red), 40)
        self.assertGreaterEqual(count(rows, (922, 46, 1000, 72), blue), 40)
        self.assertEqual(count(rows, (68, 46, 120, 72), blue), 0)
        # The hand over the lower-left two thirds (x < 683, y > 256), nothing of it elsewhere.
        self.assertGreater(count(rows, (0, 256, 683, 768), yellowish), 20000)
        self.assertLess(count(rows, (700, 450, 1024, 768), yellowish), 100)

    def test_the_fist_is_drawn_under_the_hand(self):
        hand, fist = self.shots["hand"], self.shots["fist"]
        self.assertIsNotNone(fist)
        self.assertTrue(self.first.frame(6)["fistShown"])
        # The fist adds its own picture, and the hand (with its flyer) still shows over it.
        fist_area, flyer_area = (380, 480, 600, 660), (280, 360, 460, 500)
        self.assertGreater(count(fist, fist_area, yellowish),
                           count(hand, fist_area, yellowish) + 5000)
        self.assertGreater(count(fist, flyer_area, yellowish),
                           0.9 * count(hand, flyer_area, yellowish))

    def test_the_table_is_shown_in_red_one_row_per_record(self):
        first, second = self.shots["table1"], self.shots["table2"]
        self.assertIsNotNone(first)
        self.assertIsNotNone(second)
        row0, row1 = (98, 98, 220, 126), (98, 128, 220, 156)
        self.assertGreater(count(first, row0, red), 100)
        self.assertEqual(count(first, row1, red), 0)  # an all-zero record draws nothing
        self.assertGreater(count(second, row0, red), 100)
        self.assertGreater(count(second, row1, red), 100)


class HandMadeTableTest(unittest.TestCase):
    def test_a_score_outside_the_best_five_leaves_the_file_as_it_was(self):
        parent = tempfile.mkdtemp(prefix="kerb-game-")
        try:
            data = make_data_dir(parent)
            xdg = os.path.join(parent, "xdg")
            os.makedirs(os.path.join(xdg, "kerbrunner"))
            path = os.path.join(xdg, "kerbrunner", "highscore.txt")
            old = b"".join(record_bytes(n.ljust(7, b" "), d, b"|", b"\n") for n, d in
                           ((b"ann", b"050"), (b"ben", b"040"), (b"cy", b"030"), (b"di", b"020"),
                            (b"ed", b"010")))
            with open(path, "wb") as f:
                f.write(old)
            inode = os.stat(path).st_ino
            run = run_game(game_script(), args=["--data", data], name="Zed", step=STEP,
                           env_extra={"XDG_DATA_HOME": xdg}, small=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertIn("Number of items read = 60\nContents of buffer = ann    |050\n"
                          "ben    |040\nc\n not in the best five\n", run.stdout)
            self.assertNotIn("Wrote", run.stdout)
            with open(path, "rb") as f:
                self.assertEqual(f.read(), old)
            self.assertEqual(os.stat(path).st_ino, inode)
            self.assertEqual(trace_table(run.frame(END)), old)
        finally:
            shutil.rmtree(parent, ignore_errors=True)


class NoSoundDeviceTest(unittest.TestCase):
    def test_one_line_instead_of_the_audio_noise_and_the_sounds_still_traced(self):
        run = run_game("2 keydown enter\n4 quit\n", env_extra={"SDL_AUDIODRIVER": "alsa"})
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertNotIn("ALSA lib", run.stderr)
        self.assertLessEqual(run.stderr.count(NO_SOUND_LINE), 1)
        if not os.path.isdir("/dev/snd"):
            self.assertEqual(run.stderr.count(NO_SOUND_LINE), 1, run.stderr)
        self.assertEqual(run.frame(1)["sounds"], ["audio/Organ4U.mp3"])
        self.assertIn("audio/NotBond.mp3", run.frame(2)["sounds"])


if __name__ == "__main__":
    unittest.main()
