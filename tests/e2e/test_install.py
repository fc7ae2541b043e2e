"""The installed game: `cmake --install` into a staging directory (DESTDIR), the tree moved
elsewhere, and the game started from an unrelated directory. It finds its data beside
itself, plays a game to the top-five table, writes the table in the player's directory and
nowhere else; the menu entry, the icons and the manual page are checked as well."""
import json
import os
import shutil
import stat
import subprocess
import tempfile
import unittest

from gamerun import GAME, SCREEN, make_data_dir, read_png

BUILD = os.path.dirname(os.path.abspath(GAME))
PREFIX = "/opt/kerbrunner"
ICON_SIZES = (48, 64, 128, 256)
# Frames 1001 ms apart: the game started before frame 2 ends in frame 153.
STEP = 1001
END, QUIT = 153, 158
GAME_SCRIPT = "2 keydown enter\n%d quit\n" % QUIT
OLD_TABLE = b"ann    |050\n" + b"ben    |040\n" + bytes(36)


def snapshot(root):
    """Every path below root with what would show a change: size, time, mode, target."""
    seen = {}
    for dirpath, dirnames, filenames in os.walk(root):
        for name in dirnames + filenames:
            path = os.path.join(dirpath, name)
            st = os.lstat(path)
            seen[os.path.relpath(path, root)] = (st.st_size, st.st_mtime_ns, st.st_mode)
    return seen


class InstalledGameTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.parent = os.path.realpath(tempfile.mkdtemp(prefix="kerb-install-"))
        stage = os.path.join(cls.parent, "stage")
        proc = subprocess.run(["cmake", "--install", BUILD, "--prefix", PREFIX],
                              env=dict(os.environ, DESTDIR=stage), capture_output=True,
                              timeout=300)
        cls.install_output = proc.stdout.decode(errors="replace") + proc.stderr.decode(errors="replace")
        cls.install_code = proc.returncode
        # Moved as a whole after the install: nothing may depend on the prefix.
        cls.root = os.path.join(cls.parent, "moved", "kerbrunner")
        os.makedirs(os.path.dirname(cls.root))
        if proc.returncode == 0:
            os.rename(stage + PREFIX, cls.root)
        cls.game = os.path.join(cls.root, "bin", "kerbrunner")
        cls.data = os.path.join(cls.root, "share", "kerbrunner")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.parent, ignore_errors=True)

    def setUp(self):
        self.assertEqual(self.install_code, 0, self.install_output)
        self.run_dir = tempfile.mkdtemp(prefix="run-", dir=self.parent)

    def path(self, *parts):
        return os.path.join(self.root, *parts)

    def play(self, args, env_extra, script=GAME_SCRIPT, game=None):
        """One scripted run from an empty directory of its own; HOME is a fresh directory too,
        so that nothing can reach the real home."""
        cwd = os.path.join(self.run_dir, "elsewhere")
        home = os.path.join(self.run_dir, "home")
        os.makedirs(cwd)
        os.makedirs(home)
        script_path = os.path.join(self.run_dir, "script.txt")
        trace_path = os.path.join(self.run_dir, "trace.jsonl")
        with open(script_path, "w") as f:
            f.write(script)
        env = {k: v for k, v in os.environ.items() if k not in ("XDG_DATA_HOME", "USER")}
        env.update(SDL_AUDIODRIVER="dummy", HOME=home)
        env.update(env_extra)
        cmd = ["xvfb-run", "-a", "-s", SCREEN, game or self.game, "--windowed",
               "--fixed-step", str(STEP), "--script", script_path, "--trace", trace_path]
        proc = subprocess.run(cmd + list(args), cwd=cwd, env=env, capture_output=True,
                              stdin=subprocess.DEVNULL, timeout=240)
        trace = []
        if os.path.exists(trace_path):
            with open(trace_path) as f:
                trace = [json.loads(line) for line in f if line.strip()]
        return proc, trace, cwd, home

    def test_the_install_has_the_game_its_data_the_entry_the_icons_and_the_manual(self):
        for rel in ("bin/kerbrunner", "bin/kerbrunner-assets"):
            self.assertTrue(os.access(self.path(rel), os.X_OK), rel)
        for rel in ("share/kerbrunner/textures/menu0.bmp", "share/kerbrunner/models/civi.md2",
                    "share/kerbrunner/audio/Organ4U.mp3", "share/applications/kerbrunner.desktop",
                    "share/man/man6/kerbrunner.6"):
            self.assertTrue(os.path.isfile(self.path(rel)), rel)
        # Only the generated assets: no table, stamp or screenshot from the build's data.
        for dirpath, _, filenames in os.walk(self.data):
            for name in filenames:
                self.assertRegex(name, r"\.(bmp|md2|mp3|wav)$", os.path.join(dirpath, name))
        check = subprocess.run([self.path("bin", "kerbrunner-assets"), "check", self.data],
                               capture_output=True, timeout=120)
        self.assertEqual(check.returncode, 0, check.stdout + check.stderr)

    def test_the_icon_comes_in_four_sizes_as_a_rounded_tile(self):
        for size in ICON_SIZES:
            path = self.path("share/icons/hicolor/%dx%d/apps/kerbrunner.png" % (size, size))
            width, height, rows = read_png(path, colour=6)
            self.assertEqual((width, height), (size, size), path)
            alpha = lambda x, y: rows[y][4 * x + 3]
            self.assertEqual(alpha(0, 0), 0, path)  # a rounded corner, see-through
            self.assertEqual(alpha(size - 1, size - 1), 0, path)
            self.assertEqual(alpha(size // 2, size // 2), 255, path)
            colours = {rows[y][4 * x:4 * x + 3] for y in range(0, size, 4) for x in range(0, size, 4)}
            self.assertGreater(len(colours), 20, path)  # painted, not a flat square

    def test_the_menu_entry_is_valid_and_starts_the_installed_game_without_a_console(self):
        entry = self.path("share/applications/kerbrunner.desktop")
        proc = subprocess.run(["desktop-file-validate", entry], capture_output=True, timeout=60)
        self.assertEqual(proc.returncode, 0, proc.stdout + proc.stderr)
        self.assertEqual(proc.stdout + proc.stderr, b"")
        with open(entry) as f:
            fields = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        self.assertEqual(fields["Exec"], "kerbrunner --login-name")
        self.assertEqual(fields["Terminal"], "false")
        self.assertEqual(fields["Icon"], "kerbrunner")

    def test_the_manual_page_renders_without_warnings_and_lists_every_option(self):
        page = self.path("share/man/man6/kerbrunner.6")
        proc = subprocess.run(["man", "--warnings", "-l", page], capture_output=True,
                              env=dict(os.environ, MANWIDTH="80", MAN_KEEP_FORMATTING=""),
                              timeout=60)
        self.assertEqual(proc.returncode, 0, proc.stderr)
        self.assertEqual(proc.stderr.decode(), "")
        text = proc.stdout.decode(errors="replace")
        help_text = subprocess.run([self.game, "--help"], capture_output=True,
                                   timeout=30).stdout.decode()
        options = [line.split()[0] for line in help_text.splitlines() if line.startswith("  --")]
        self.assertGreaterEqual(len(options), 9)
        for option in options:
            self.assertIn(option, text)
        for section in ("SCRIPTS", "TRACE", "FILES", "keydown", "highscores", "XDG_DATA_HOME"):
            self.assertIn(section, text)

    def test_played_from_elsewhere_the_table_goes_to_the_players_directory_only(self):
        before = snapshot(self.root)
        xdg = os.path.join(self.run_dir, "xdg")
        proc, trace, cwd, home = self.play(["--name", "Ina"], {"XDG_DATA_HOME": xdg})
        self.assertEqual(proc.returncode, 0, proc.stderr)
        self.assertEqual(trace[-1]["frame"], QUIT - 1)
        self.assertIn("audio/Organ4U.mp3", trace[0]["sounds"])
        self.assertTrue(trace[END - 1]["gameOver"])
        self.assertIn("File could not be opened\nWrote 60 items\n", proc.stdout.decode())
        table = os.path.join(xdg, "kerbrunner", "highscore.txt")
        with open(table, "rb") as f:
            self.assertEqual(f.read(), b"Ina\0   " + b"\x00000\x00" + bytes(48))
        self.assertEqual(os.listdir(xdg), ["kerbrunner"])
        self.assertEqual(os.listdir(os.path.join(xdg, "kerbrunner")), ["highscore.txt"])
        self.assertEqual(stat.S_IMODE(os.stat(os.path.join(xdg, "kerbrunner")).st_mode), 0o700)
        self.assertEqual(os.listdir(cwd), [])
        self.assertEqual(os.listdir(home), [])
        self.assertEqual(snapshot(self.root), before)

    def test_the_menu_entrys_way_takes_the_login_name_and_the_default_directory(self):
        proc, trace, cwd, home = self.play(["--login-name"], {"USER": "rosalinde"})
        self.assertEqual(proc.returncode, 0, proc.stderr)
        self.assertEqual(trace[0]["playerName"], "rosalin")
        self.assertNotIn("please enter your name", proc.stdout.decode())
        with open(os.path.join(home, ".local", "share", "kerbrunner", "highscore.txt"), "rb") as f:
            self.assertEqual(f.read(12), b"rosalin\0" + b"000\0")
        self.assertEqual(os.listdir(cwd), [])

    def test_a_table_in_the_old_place_is_carried_over_and_left_as_it_was(self):
        data = make_data_dir(self.run_dir)
        old = os.path.join(data, "highscore.txt")
        with open(old, "wb") as f:
            f.write(OLD_TABLE)
        xdg = os.path.join(self.run_dir, "xdg")
        proc, trace, _, _ = self.play(["--name", "Cy", "--data", data], {"XDG_DATA_HOME": xdg})
        self.assertEqual(proc.returncode, 0, proc.stderr)
        table = os.path.join(xdg, "kerbrunner", "highscore.txt")
        self.assertIn("copied there from %s" % old, proc.stderr.decode())
        self.assertIn("Number of items read = 60\n", proc.stdout.decode())
        with open(table, "rb") as f:
            self.assertEqual(f.read(), OLD_TABLE[:24] + b"Cy\0    " + b"\x00000\x00" + bytes(24))
        with open(old, "rb") as f:
            self.assertEqual(f.read(), OLD_TABLE)

    def test_the_build_trees_game_finds_its_data_beside_it_from_anywhere(self):
        proc, trace, cwd, _ = self.play(["--name", "x"], {"XDG_DATA_HOME": self.run_dir},
                                        script="2 quit\n", game=os.path.abspath(GAME))
        self.assertEqual(proc.returncode, 0, proc.stderr)
        self.assertEqual([line["frame"] for line in trace], [1])
        self.assertEqual(os.listdir(cwd), [])


if __name__ == "__main__":
    unittest.main()
