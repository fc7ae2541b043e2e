"""What a new player meets first: a program without its data, or without a display."""
import os
import shutil
import subprocess
import tempfile
import unittest

from gamerun import DATA, GAME

GAME_PATH = os.path.abspath(GAME)
DATA_PATH = os.path.abspath(DATA)


def run(args, cwd, display=":0", game=GAME_PATH):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    if display:
        env["DISPLAY"] = display  # never reached: the checks come before the window
    proc = subprocess.run([game] + list(args), cwd=cwd, env=env, capture_output=True,
                          stdin=subprocess.DEVNULL, timeout=30)
    return proc.returncode, proc.stdout.decode(errors="replace"), proc.stderr.decode(errors="replace")


class MissingDataTest(unittest.TestCase):
    def setUp(self):
        self.dir = os.path.realpath(tempfile.mkdtemp(prefix="kerb-first-run-"))

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def assertNoDataMessage(self, code, out, err, where, reason):
        first = "kerbrunner: no game data in %s (textures/menu0.bmp is %s).\n" % (where, reason)
        self.assertMessageStarts(code, out, err, first)

    def assertMessageStarts(self, code, out, err, first):
        self.assertEqual(code, 1, err)
        self.assertTrue(err.startswith(first), err)
        self.assertIn("./play", err)
        self.assertIn("--data build/data", err)
        # Nobody is asked for a name, and no picture was tried.
        self.assertEqual(out, "")
        self.assertNotIn("Failed to open DIB file", err)

    def lone_program(self):
        """A copy of the game in a bin directory of its own, with no data beside it."""
        bin_dir = os.path.join(self.dir, "bin")
        os.mkdir(bin_dir)
        game = os.path.join(bin_dir, "kerbrunner")
        shutil.copy2(GAME_PATH, game)
        return bin_dir, game

    def test_a_program_without_data_beside_it_names_where_it_looked_and_the_fix(self):
        bin_dir, game = self.lone_program()
        first = ("kerbrunner: no game data beside the program; looked in:\n"
                 "  %s/data (textures/menu0.bmp is missing)\n"
                 "  %s/../share/kerbrunner (textures/menu0.bmp is missing)\n" % (bin_dir, bin_dir))
        # The working directory plays no part, even one holding data.
        for args, cwd in (([], self.dir), (["--name", "x"], self.dir), (["--windowed"], DATA_PATH)):
            code, out, err = run(args, cwd, game=game)
            self.assertMessageStarts(code, out, err, first)

    def test_a_data_directory_without_data_is_named_by_its_full_path(self):
        os.mkdir(os.path.join(self.dir, "empty"))
        code, out, err = run(["--data", "empty"], self.dir)
        self.assertNoDataMessage(code, out, err, os.path.join(self.dir, "empty"), "missing")

    def test_a_first_picture_that_is_not_a_file_says_what_it_is(self):
        os.makedirs(os.path.join(self.dir, "textures", "menu0.bmp"))
        code, out, err = run(["--data", self.dir], self.dir)
        self.assertNoDataMessage(code, out, err, self.dir, "a directory")
        os.rmdir(os.path.join(self.dir, "textures", "menu0.bmp"))
        os.symlink("/dev/null", os.path.join(self.dir, "textures", "menu0.bmp"))
        code, out, err = run(["--data", self.dir], self.dir)
        self.assertNoDataMessage(code, out, err, self.dir, "not a regular file")

    def test_beside_the_program_a_first_picture_that_is_not_a_file_says_what_it_is(self):
        bin_dir, game = self.lone_program()
        os.makedirs(os.path.join(bin_dir, "data", "textures", "menu0.bmp"))
        code, out, err = run([], self.dir, game=game)
        self.assertMessageStarts(code, out, err, "kerbrunner: no game data beside the program; "
                                 "looked in:\n  %s/data (textures/menu0.bmp is a directory)\n"
                                 % bin_dir)

    def test_help_and_version_need_no_data(self):
        for option, start in (("--help", "usage"), ("--version", "Kerb Runner ")):
            code, out, err = run([option], self.dir)
            self.assertEqual(code, 0, err)
            self.assertTrue(out.lower().startswith(start.lower()), out)

    def test_without_a_display_that_is_said_first_and_before_the_name_prompt(self):
        for args in ([], ["--data", DATA_PATH]):
            code, out, err = run(args, self.dir, display=None)
            self.assertEqual(code, 1, err)
            self.assertIn("needs a graphical display", err)
            self.assertNotIn("no game data", err)
            self.assertEqual(out, "")


if __name__ == "__main__":
    unittest.main()
