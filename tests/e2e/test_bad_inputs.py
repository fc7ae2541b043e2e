"""Every bad input a player, a packager or a careless script can give the game, and its answer.

BAD_INPUTS is the table the README's reliability section lists; each row is one test below
(the decorator ties them), and a test checks that the README shows exactly these rows. Nothing
may crash or hang (every run has a timeout and a crash is a signal exit), and the top-five
table is never left shorter than it was.
"""
import os
import shutil
import signal
import stat
import subprocess
import tempfile
import unittest

from gamerun import DATA, GAME, keep_run

GAME_PATH = os.path.abspath(GAME)
INSPECTOR = os.environ.get("KERB_INSPECTOR", os.path.join(os.path.dirname(GAME_PATH),
                                                          "kerbrunner-assets"))
DATA_PATH = os.path.abspath(DATA)
README = os.path.join(os.path.dirname(__file__), "..", "..", "README.md")
README_SECTION = "## Reliability"
RUN_TIMEOUT = 60

# (bad input, expected outcome): the README lists exactly these rows, in this order.
BAD_INPUTS = [
    ("--data names a directory that does not exist",
     "exit 2: \"cannot use the data directory\", the name and why"),
    ("--data names a directory without the game's data",
     "exit 1 before the name prompt: where the game looked and how to start it"),
    ("a picture missing (the first, one in the middle, the last)",
     "box \"Failed to open DIB file PATH.\", PATH and \"missing\" on stderr, exit 1"),
    ("a model missing", "box \"Unable to find the file: PATH!\", empty model, the game plays on, exit 0"),
    ("every sound missing", "silence, no message, the game plays on, exit 0"),
    ("a picture cut in half", "box \"Image file conversion error.\", the bytes needed and held on stderr, exit 1"),
    ("a picture with a newer header (124 bytes)", "box \"Unknown DIB file format.\" and the header size on stderr, exit 1"),
    ("a picture header of 16384 x 16384 in 100 bytes",
     "refused before any allocation: box \"Image file conversion error.\", the size and the limit 4096 x 4096, exit 1"),
    ("a FIFO or a directory in place of a picture", "no wait: box \"Failed to open DIB file PATH.\", \"not a regular file\" or \"a directory\", exit 1"),
    ("a model cut short, of version 7, or a FIFO",
     "box \"Invalid file format (REASON): PATH!\" (\"Unable to find the file: PATH!\" for the FIFO), empty model, exit 0"),
    ("a top-five table of 10 bytes", "read 10 bytes, the rest is zero, the score ranks, the file becomes 60 bytes"),
    ("a top-five table of 100 bytes", "the first 60 bytes are the table, the 40 after them are kept"),
    ("a top-five table of 60 non-digits", "not in the best five, the file is not touched"),
    ("a directory in place of the table", "\"File could not be opened\", \"Problem opening the file\", the table is shown, exit 0"),
    ("a table the player cannot read", "\"File could not be opened\", \"Problem opening the file\", the file is untouched"),
    ("a table in a directory the player cannot write", "\"Problem opening the file\", the file is untouched"),
    ("a 200-character name (argument or console)", "the name is its first 7 characters"),
    ("a name with a NUL byte on the console", "the name ends at the NUL"),
    ("standard input closed at the name prompt", "the initial name, the game plays on, exit 0"),
    ("script lines that are malformed (one per kind)", "exit 2 before the window: \"FILE:LINE: what is wrong\""),
    ("a script word of 1 MB", "exit 2, the word quoted by its first 40 bytes and its length"),
    ("a directory or a FIFO given to --script", "exit 2: \"cannot read the script: a directory\" / \"not a regular file\""),
    ("a FIFO nobody reads, or a directory, given to --trace", "exit 2: \"cannot write the trace\" and why"),
    ("--trace /dev/full", "exit 1 at the first frame: \"cannot write the trace at frame 1: No space left on device\""),
    ("--fixed-step 1e-300, 1e-45, 0, -1, nan", "exit 2: \"--fixed-step needs a number of milliseconds from 0.001 to 60000\""),
    ("motion to the ends of int in a script", "the camera stays finite, the game plays on, exit 0"),
    ("a FIFO or a directory given to the inspector (kerbrunner-assets bmp)",
     "no wait, exit 1: the game's message, then \"PATH: not a regular file\" / \"PATH: a directory\""),
    ("a reshape to 100000 x 100000, then a screenshot",
     "the picture has the window's real size, exit 0 (it used to abort allocating 30 GB)"),
    ('an empty value, or an option in place of a value',
     'exit 2: "--script needs a non-empty name" (and --trace, --record, --pictures, --data, --name); "--name needs a value, not the option \'--windowed\'"'),
    ('a path of hundreds of bytes given to --script, --trace, --record, --pictures or --data',
     "exit 2, the path quoted by its first 40 bytes and its length: \"'/tmp/...' (311 bytes): cannot write the trace: File name too long\" (paths of up to 255 bytes are shown whole)"),
    ('two of --script, --trace and --record naming one file',
     'exit 2 before anything is written: "--script F and --trace F name the same file" (through a link or another path too; /dev/null is no file)'),
    ('a FIFO nobody reads given to --record or to kerbrunner-assets street --3ds',
     'no wait: the game exits 2 with "cannot write the recording: a FIFO that nobody reads"; the inspector exits 1 with "cannot write PATH" and the same reason'),
    ('--record /dev/full, or --pictures naming a file, a device or a loop of links',
     'exit 1 at the first frame: "cannot write the recording at frame 1: No space left on device"; exit 2: "cannot write pictures into DIR" and why'),
    ('watching: --demo, a replay, a replay of a recording without its table',
     "the table is ranked and shown but the file is never written; a replay shows the table its recording holds, an older recording the player's table"),
    ('a recording cut short, or whose clock goes back',
     'a clock that goes back: exit 2 at load, "FILE:LINE: the clock goes back"; cut short: after its last line the clock runs on from the last reading and the keyboard and mouse are heard again'),
    ("two games ending together, or another game holding the table's lock",
     "both records kept; a lock held over 5 s: \"Problem opening the file\", \"your score was not saved\" and the lock on stderr, the table untouched"),
    ("a table that cannot be written in full (a file size limit, as on a full disk)",
     "\"Problem opening the file\", \"your score was not saved in PATH: cannot be written (File too large)\" on stderr, the table untouched"),
    ("a table that is a symbolic link (to a file, or leading nowhere)",
     "written through to the link's target, replaced whole there, the link stays; a link to nothing: \"not saved\" and why, the link untouched"),
    ("temporary files a killed write left beside the table",
     "the next write removes them (\"highscore.txt.kerbtmp-\" and six letters), nothing else"),
    ("a 2 GB sparse model, a 2 GB sparse picture, a 1 GB table left in the data directory",
     "refused before reading, the size and the limit in the message: model 8388608, picture 67174400, table 65536 bytes; the table is neither copied nor rewritten"),
    ("a model of 10000 triangles, 2060 vertices or 1000 frames",
     "box \"Invalid file format (more than 4096 triangles): PATH!\" (2048 vertices, 512 frames), empty model, exit 0"),
    ("a clock jump of 30 or 60 seconds between two frames (a stall, a replay, --fixed-step 60000)",
     "the passers-by are drawn on their keyframe, the same picture for either jump, not flung across the screen"),
    ("3DS scenes in the inspector: 7 MB of empty objects, 20000 groups naming a missing material, one picture mapped by 300 materials, texture names with ../ or backslashes, a directory or a FIFO as a texture",
     "exit 1: \"more than 65535 objects or materials\"; the preview within seconds; each picture read once; names kept inside the folders (their last part looked for there); \"a directory\" / \"not a regular file\""),
    ("passers-by that cannot animate (their animation missing, its frames past the model's), control bytes in names, md2 --frame with a bad number",
     "once per kind on stderr: \"the KIND passers-by cannot animate (REASON): they are not drawn\", control bytes as \\xHH; kerbrunner-assets check fails on them; --frame: \"is not a whole number\" / \"out of range\" / \"needs a frame number\""),
    ("SIGTERM or Ctrl-C (SIGINT) during play, once the sound has started",
     "the game ends at once with the signal's status (-15, -2), the table untouched"),
]

ROWS = {name for name, _ in BAD_INPUTS}
TESTED = set()


def row(name):
    """Marks a test as the one for a row of BAD_INPUTS."""
    assert name in ROWS, name
    TESTED.add(name)
    return lambda test: test


def link_or_copy(source, target):
    try:
        os.link(source, target)
    except OSError:
        shutil.copy2(source, target)


def uses_player_directory():
    """Newer games keep the table under XDG_DATA_HOME; older ones in the data directory."""
    with open(GAME_PATH, "rb") as f:
        return b"XDG_DATA_HOME" in f.read()


class Run:
    def __init__(self, proc, trace):
        self.code = proc.returncode
        self.out = proc.stdout.decode(errors="replace")
        self.err = proc.stderr.decode(errors="replace")
        self.trace = trace


class BadInputs(unittest.TestCase):
    """One Xvfb for the whole table: each run only starts the game."""

    @classmethod
    def setUpClass(cls):
        cls.xvfb = None
        read_end, write_end = os.pipe()
        # -ac: runs under another user (the permission rows) may draw too.
        cls.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-ac",
             "-nolisten", "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            cls.display = ":" + f.readline().strip()

    @classmethod
    def tearDownClass(cls):
        if cls.xvfb:
            cls.xvfb.terminate()
            cls.xvfb.wait(timeout=10)

    def setUp(self):
        self.parent = tempfile.mkdtemp(prefix="kerb-bad-")
        os.chmod(self.parent, 0o755)
        self.data = os.path.join(self.parent, "data")
        os.mkdir(self.data)
        for entry in os.listdir(DATA_PATH):
            if not entry.startswith(".") and entry != "highscore.txt":
                os.symlink(os.path.join(DATA_PATH, entry), os.path.join(self.data, entry))
        self.xdg = os.path.join(self.parent, "xdg")
        if uses_player_directory():
            self.table = os.path.join(self.xdg, "kerbrunner", "highscore.txt")
        else:
            self.table = os.path.join(self.data, "highscore.txt")

    def tearDown(self):
        for root, dirs, _ in os.walk(self.parent):
            for d in dirs:
                os.chmod(os.path.join(root, d), 0o755)
        shutil.rmtree(self.parent, ignore_errors=True)

    # ---- Helpers ------------------------------------------------------------------------

    def own_copy(self, relative):
        """Replaces the symlinked directory holding relative by a private copy."""
        top = relative.split("/")[0]
        link = os.path.join(self.data, top)
        if os.path.islink(link):
            os.unlink(link)
            shutil.copytree(os.path.join(DATA_PATH, top), link)
        return os.path.join(self.data, relative)

    def run_game(self, script="2 keydown enter\n5 keydown escape\n", args=(), name="tester",
                 step=20, stdin=b"", as_nobody=False, close_stdin=False, trace=True,
                 wrap=()):
        script_path = os.path.join(self.parent, "script.txt")
        trace_path = os.path.join(self.parent, "trace.jsonl")
        if script is not None:
            with open(script_path, "w") as f:
                f.write(script)
        game = os.path.join(self.parent, "kerbrunner") if as_nobody else GAME_PATH
        cmd = [game, "--windowed", "--data", self.data]
        if script is not None:
            cmd += ["--script", script_path]
        if trace:
            cmd += ["--trace", trace_path]
        if step:
            cmd += ["--fixed-step", str(step)]
        if name is not None:
            cmd += ["--name", name]
        cmd += list(args)
        if as_nobody:
            cmd = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] + cmd
        env = dict(os.environ, SDL_AUDIODRIVER="dummy", DISPLAY=self.display,
                   XDG_DATA_HOME=self.xdg, HOME=self.parent)
        env.pop("WAYLAND_DISPLAY", None)
        if close_stdin:
            cmd = ["sh", "-c", 'exec "$@" 0<&-', "sh"] + cmd
        cmd = list(wrap) + cmd
        proc = subprocess.run(cmd, input=None if close_stdin else stdin, capture_output=True,
                              timeout=RUN_TIMEOUT, env=env, cwd=self.parent)
        if step and script is not None:
            keep_run(script_path, trace_path)
        self.assertGreaterEqual(proc.returncode, 0, "killed by signal %d: %s" % (
            -proc.returncode, proc.stderr.decode(errors="replace")[-2000:]))
        lines = []
        if trace and os.path.exists(trace_path):
            import json
            with open(trace_path) as f:
                lines = [json.loads(line) for line in f if line.strip()]
        return Run(proc, lines)

    def assertPlayedOn(self, run, quit_frame=5):
        """Played until the Escape of quit_frame ended the program, before that frame's line."""
        self.assertEqual(run.code, 0, run.err)
        self.assertEqual(len(run.trace), quit_frame - 1, run.err)
        self.assertFalse(run.trace[-1]["menuMode"])

    def assertPictureRefused(self, run, path, box, reason):
        self.assertEqual(run.code, 1, run.err)
        self.assertIn("Error: " + box, run.err)
        self.assertIn("kerbrunner: picture %s refused: %s" % (path, reason), run.err)
        self.assertEqual(run.trace, [])  # stopped before the first frame

    def write_picture(self, relative, content):
        path = self.own_copy(relative)
        os.unlink(path)
        with open(path, "wb") as f:
            f.write(content)

    def play_to_the_end(self, **kwargs):
        """A whole game in about 160 frames: every frame a second, a score of 0, drawn into a
        small corner of the window (the picture is not what these rows are about)."""
        return self.run_game(script="1 reshape 32 24\n2 keydown enter\n170 keydown escape\n",
                             step=1000, **kwargs)

    def table_bytes(self):
        with open(self.table, "rb") as f:
            return f.read()

    def put_table(self, content):
        os.makedirs(os.path.dirname(self.table), exist_ok=True)
        with open(self.table, "wb") as f:
            f.write(content)

    # ---- The data directory -------------------------------------------------------------

    @row("--data names a directory that does not exist")
    def test_missing_data_directory(self):
        run = self.run_game(args=["--data", os.path.join(self.parent, "nowhere")])
        self.assertEqual(run.code, 2, run.err)
        self.assertIn("cannot use the data directory %s: No such file or directory"
                      % os.path.join(self.parent, "nowhere"), run.err)

    @row("--data names a directory without the game's data")
    def test_empty_data_directory(self):
        empty = os.path.join(self.parent, "empty")
        os.mkdir(empty)
        run = self.run_game(args=["--data", empty], name=None)
        self.assertEqual(run.code, 1, run.err)
        self.assertIn("no game data in %s" % empty, run.err)
        self.assertNotIn("please enter your name", run.out)

    # ---- Pictures -----------------------------------------------------------------------

    @row("a picture missing (the first, one in the middle, the last)")
    def test_missing_pictures(self):
        for relative in ("textures/about.bmp", "textures/decke.bmp", "textures/schwarz.bmp"):
            with self.subTest(relative):
                path = self.own_copy(relative)
                saved = path + ".saved"
                os.rename(path, saved)
                run = self.run_game()
                os.rename(saved, path)
                self.assertPictureRefused(run, relative, "Failed to open DIB file %s." % relative,
                                          "missing")

    @row("a picture cut in half")
    def test_truncated_picture(self):
        with open(os.path.join(DATA_PATH, "textures/decke.bmp"), "rb") as f:
            whole = f.read()
        self.write_picture("textures/decke.bmp", whole[:len(whole) // 2])
        run = self.run_game()
        self.assertPictureRefused(run, "textures/decke.bmp", "Image file conversion error.",
                                  "")
        self.assertRegex(run.err, r"refused: \d+ bytes of pixel data needed for \d+ x \d+ at "
                                  r"\d+ bits, the file holds \d+")

    @row("a picture with a newer header (124 bytes)")
    def test_newer_picture_header(self):
        with open(os.path.join(DATA_PATH, "textures/decke.bmp"), "rb") as f:
            whole = bytearray(f.read())
        whole[14:18] = (124).to_bytes(4, "little")
        self.write_picture("textures/decke.bmp", bytes(whole))
        run = self.run_game()
        self.assertPictureRefused(run, "textures/decke.bmp", "Unknown DIB file format.",
                                  "an info header of 124 bytes (only 12 and 40 are read)")

    @row("a picture header of 16384 x 16384 in 100 bytes")
    def test_huge_picture_header(self):
        header = bytearray(100)
        header[0:2] = b"BM"
        header[10:14] = (54).to_bytes(4, "little")
        header[14:18] = (40).to_bytes(4, "little")
        header[18:22] = (16384).to_bytes(4, "little")
        header[22:26] = (16384).to_bytes(4, "little")
        header[26:28] = (1).to_bytes(2, "little")
        header[28:30] = (24).to_bytes(2, "little")
        self.write_picture("textures/decke.bmp", bytes(header))
        run = self.run_game()
        self.assertPictureRefused(
            run, "textures/decke.bmp", "Image file conversion error.",
            "a size of 16384 x 16384 pixels, larger than the largest picture the game uses "
            "(4096 x 4096)")

    @row("a FIFO or a directory in place of a picture")
    def test_fifo_and_directory_pictures(self):
        path = self.own_copy("textures/decke.bmp")
        os.unlink(path)
        os.mkfifo(path)
        run = self.run_game()
        self.assertPictureRefused(run, "textures/decke.bmp",
                                  "Failed to open DIB file textures/decke.bmp.",
                                  "not a regular file")
        os.unlink(path)
        os.mkdir(path)
        run = self.run_game()
        self.assertPictureRefused(run, "textures/decke.bmp",
                                  "Failed to open DIB file textures/decke.bmp.", "a directory")

    # ---- Models and sounds --------------------------------------------------------------

    @row("a model missing")
    def test_missing_model(self):
        os.unlink(self.own_copy("models/civi.md2"))
        run = self.run_game()
        self.assertPlayedOn(run)
        self.assertIn("Error: Unable to find the file: models/civi.md2!", run.err)

    @row("every sound missing")
    def test_missing_sounds(self):
        os.unlink(os.path.join(self.data, "audio"))
        os.mkdir(os.path.join(self.data, "audio"))
        run = self.run_game(script="2 keydown enter\n5 mousedown left\n9 keydown escape\n")
        self.assertPlayedOn(run, quit_frame=9)
        self.assertNotIn("Error", run.err)

    @row("a model cut short, of version 7, or a FIFO")
    def test_damaged_models(self):
        path = self.own_copy("models/civi.md2")
        with open(path, "rb") as f:
            whole = f.read()
        cases = [("cut short", whole[:len(whole) // 3],
                  "Invalid file format (frames outside the file): models/civi.md2!"),
                 ("version 7", whole[:4] + (7).to_bytes(4, "little") + whole[8:],
                  "Invalid file format (Version not 8): models/civi.md2!")]
        for what, content, message in cases:
            with self.subTest(what):
                os.unlink(path)
                with open(path, "wb") as f:
                    f.write(content)
                run = self.run_game()
                self.assertPlayedOn(run)
                self.assertIn("Error: " + message, run.err)
        os.unlink(path)
        os.mkfifo(path)
        run = self.run_game()
        self.assertPlayedOn(run)
        self.assertIn("Error: Unable to find the file: models/civi.md2!", run.err)

    # ---- The top-five table -------------------------------------------------------------

    def check_table_run(self, before, run):
        self.assertEqual(run.code, 0, run.err)
        self.assertTrue(run.trace[-1]["gameOver"], "the game did not end")
        after = self.table_bytes()
        self.assertGreaterEqual(len(after), len(before))
        return after

    @row("a top-five table of 10 bytes")
    def test_short_table(self):
        before = b"Ann\0   \0" + b"05"  # the missing units digit reads as 0 - 48
        self.put_table(before)
        run = self.play_to_the_end()
        after = self.check_table_run(before, run)
        self.assertIn("Number of items read = 10\n", run.out)
        self.assertIn("Wrote 60 items\n", run.out)
        self.assertEqual(len(after), 60)
        self.assertEqual(after[:10], before)
        self.assertEqual(after[12:19], b"tester\0")
        self.assertEqual(after[20:23], b"000")

    @row("a top-five table of 100 bytes")
    def test_long_table(self):
        records = b"".join(b"%-7s\0%03d\n" % (n, s) for n, s in
                           ((b"a", 900), (b"b", 800), (b"c", 700), (b"d", 600)))
        records += b"e      \0//0\n"  # stored score -110: a score of 0 ranks above it
        before = records + b"# notes kept after the table, 40 bytes.\n"
        self.assertEqual(len(before), 100)
        self.put_table(before)
        run = self.play_to_the_end()
        after = self.check_table_run(before, run)
        self.assertIn("Number of items read = 60\n", run.out)
        self.assertIn("Wrote 60 items\n", run.out)
        self.assertEqual(len(after), 100)
        self.assertEqual(after[48:55], b"tester\0")
        self.assertEqual(after[60:], before[60:])

    @row("a top-five table of 60 non-digits")
    def test_non_digit_table(self):
        before = b"x" * 60
        self.put_table(before)
        run = self.play_to_the_end()
        self.check_table_run(before, run)
        self.assertIn(" not in the best five\n", run.out)
        self.assertEqual(self.table_bytes(), before)

    @row("a directory in place of the table")
    def test_directory_table(self):
        os.makedirs(self.table)
        run = self.play_to_the_end()
        self.assertEqual(run.code, 0, run.err)
        self.assertIn("File could not be opened\n", run.out)
        self.assertIn("Problem opening the file\n", run.out)
        self.assertTrue(os.path.isdir(self.table))
        # The updated table is still shown.
        self.assertTrue(run.trace[-1]["highscores"][0].startswith("tester"))

    def prepare_as_nobody(self):
        """Tests run as root, which reads and writes whatever the modes say: the permission
        rows run the game as nobody instead, from a copy of the game and its data among the
        test's files (hard links where it can), as a checkout only root may enter is closed
        to nobody."""
        if os.geteuid() != 0:
            return False
        for entry in os.listdir(self.data):
            if os.path.islink(os.path.join(self.data, entry)):
                os.unlink(os.path.join(self.data, entry))
                shutil.copytree(os.path.join(DATA_PATH, entry), os.path.join(self.data, entry),
                                copy_function=link_or_copy)
        link_or_copy(GAME_PATH, os.path.join(self.parent, "kerbrunner"))
        for root, dirs, files in os.walk(self.parent):
            os.chmod(root, 0o777)
        return True

    @row("a table the player cannot read")
    def test_unreadable_table(self):
        before = b"Ann\0   \0" + b"500" + b"\0" + bytes(48)
        self.put_table(before)
        nobody = self.prepare_as_nobody()
        os.chmod(self.table, 0o200 if not nobody else 0o000)
        run = self.play_to_the_end(as_nobody=nobody)
        self.assertEqual(run.code, 0, run.err)
        self.assertIn("File could not be opened\n", run.out)
        self.assertIn("Problem opening the file\n", run.out)
        os.chmod(self.table, 0o600)
        self.assertEqual(self.table_bytes(), before)

    @row("a table in a directory the player cannot write")
    def test_read_only_table_directory(self):
        before = b"Ann\0   \0" + b"500" + b"\0" + bytes(48)
        self.put_table(before)
        nobody = self.prepare_as_nobody()
        os.chmod(self.table, 0o644)
        os.chmod(os.path.dirname(self.table), 0o555)
        run = self.play_to_the_end(as_nobody=nobody)
        self.assertEqual(run.code, 0, run.err)
        self.assertIn("Number of items read = 60\n", run.out)
        self.assertIn("Problem opening the file\n", run.out)
        self.assertEqual(self.table_bytes(), before)
        self.assertEqual(sorted(os.listdir(os.path.dirname(self.table))), ["highscore.txt"])

    # ---- The name -----------------------------------------------------------------------

    @row("a 200-character name (argument or console)")
    def test_long_names(self):
        long_name = "N" * 200
        run = self.run_game(name=long_name)
        self.assertPlayedOn(run)
        self.assertEqual(run.trace[-1]["playerName"], "NNNNNNN")
        run = self.run_game(name=None, stdin=(long_name + "\n").encode())
        self.assertPlayedOn(run)
        self.assertEqual(run.trace[-1]["playerName"], "NNNNNNN")

    @row("a name with a NUL byte on the console")
    def test_name_with_nul(self):
        run = self.run_game(name=None, stdin=b"ab\0cd\n")
        self.assertPlayedOn(run)
        self.assertTrue(run.trace[-1]["playerName"].startswith("ab\u0000"),
                        run.trace[-1]["playerName"])

    @row("standard input closed at the name prompt")
    def test_closed_stdin(self):
        run = self.run_game(name=None, close_stdin=True)
        self.assertPlayedOn(run)
        self.assertEqual(len(run.trace[-1]["playerName"]), 7)

    # ---- Scripts, trace and options -----------------------------------------------------

    @row("script lines that are malformed (one per kind)")
    def test_malformed_script_lines(self):
        cases = [("0 quit", "expected a frame number from 1 up, found '0'"),
                 ("-3 quit", "expected a frame number from 1 up, found '-3'"),
                 ("99999999999 quit", "expected a frame number from 1 up"),
                 ("5", "missing the event after the frame number"),
                 ("5 fly", "unknown event 'fly'"),
                 ("5 keydown", "keydown takes one key"),
                 ("5 keydown ww", "unknown key 'ww'"),
                 ("5 mouseup thumb", "unknown button 'thumb'"),
                 ("5 motion 1", "motion takes two whole numbers X Y"),
                 ("5 motion 1 2147483648", "motion takes two whole numbers X Y"),
                 ("5 screenshot", "screenshot takes one path"),
                 ("5 quit now", "quit takes nothing")]
        for line, problem in cases:
            with self.subTest(line):
                run = self.run_game(script="2 keydown enter\n# fine so far\n" + line + "\n")
                self.assertEqual(run.code, 2, run.err)
                self.assertIn("script.txt:3: " + problem, run.err)
                self.assertEqual(run.trace, [])

    @row("a script word of 1 MB")
    def test_huge_script_word(self):
        run = self.run_game(script="2 " + "k" * (1 << 20) + "\n")
        self.assertEqual(run.code, 2, run.err)
        self.assertIn("unknown event '%s...' (1048576 bytes)" % ("k" * 40), run.err)
        self.assertLess(len(run.err), 4000)

    @row("a directory or a FIFO given to --script")
    def test_script_not_a_file(self):
        fifo = os.path.join(self.parent, "fifo")
        os.mkfifo(fifo)
        for path, reason in ((self.parent, "a directory"), (fifo, "not a regular file")):
            with self.subTest(reason):
                run = self.run_game(script=None, args=["--script", path])
                self.assertEqual(run.code, 2, run.err)
                self.assertIn("%s: cannot read the script: %s" % (path, reason), run.err)

    @row("a FIFO nobody reads, or a directory, given to --trace")
    def test_trace_not_writable(self):
        fifo = os.path.join(self.parent, "fifo")
        os.mkfifo(fifo)
        for path, reason in ((fifo, "a FIFO that nobody reads"), (self.parent, "Is a directory")):
            with self.subTest(reason):
                run = self.run_game(trace=False, args=["--trace", path])
                self.assertEqual(run.code, 2, run.err)
                self.assertIn("%s: cannot write the trace: %s" % (path, reason), run.err)

    @row("--trace /dev/full")
    def test_trace_to_a_full_device(self):
        run = self.run_game(trace=False, args=["--trace", "/dev/full"])
        self.assertEqual(run.code, 1, run.err)
        self.assertIn("kerbrunner: /dev/full: cannot write the trace at frame 1: "
                      "No space left on device", run.err)

    @row("--fixed-step 1e-300, 1e-45, 0, -1, nan")
    def test_fixed_steps_the_clock_cannot_keep(self):
        for value in ("1e-300", "1e-45", "0", "-1", "nan"):
            with self.subTest(value):
                run = self.run_game(step=None, args=["--fixed-step", value])
                self.assertEqual(run.code, 2, run.err)
                self.assertIn("--fixed-step needs a number of milliseconds from 0.001 to 60000, "
                              "got '%s'" % value, run.err)

    @row("motion to the ends of int in a script")
    def test_extreme_motion(self):
        run = self.run_game(script="2 keydown enter\n3 motion -2147483648 -2147483648\n"
                                   "4 motion 2147483647 2147483647\n5 motion -2147483648 0\n"
                                   "6 motion 0 2147483647\n8 keydown escape\n")
        self.assertPlayedOn(run, quit_frame=8)
        for line in run.trace:
            self.assertNotIn(None, line["position"] + line["view"])

    @row("a FIFO or a directory given to the inspector (kerbrunner-assets bmp)")
    def test_inspector_refuses_what_is_not_a_file(self):
        fifo = os.path.join(self.parent, "picture.bmp")
        os.mkfifo(fifo)
        for path, reason in ((fifo, "not a regular file"), (self.parent, "a directory")):
            with self.subTest(reason):
                proc = subprocess.run([INSPECTOR, "bmp", path], capture_output=True,
                                      stdin=subprocess.DEVNULL, timeout=RUN_TIMEOUT)
                self.assertEqual(proc.returncode, 1)
                self.assertEqual(proc.stderr.decode(), "Failed to open DIB file %s.\n%s: %s\n"
                                 % (path, path, reason))

    @row("a reshape to 100000 x 100000, then a screenshot")
    def test_screenshot_after_a_huge_reshape(self):
        picture = os.path.join(self.parent, "big.png")
        run = self.run_game(script="1 reshape 100000 100000\n2 keydown enter\n3 screenshot %s\n"
                                   "5 keydown escape\n" % picture)
        self.assertPlayedOn(run)
        self.assertEqual(run.trace[-1]["windowWidth"], 100000)
        with open(picture, "rb") as f:
            header = f.read(24)
        self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual((int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")),
                         (1024, 768))

    @row("an empty value, or an option in place of a value")
    def test_empty_values_and_options_as_values(self):
        for option in ("--script", "--trace", "--record", "--pictures", "--data", "--name"):
            with self.subTest(option):
                run = self.run_game(script=None, trace=False, name=None, args=[option, ""])
                self.assertEqual(run.code, 2, run.err)
                self.assertIn("kerbrunner: %s needs a non-empty name" % option, run.err)
                run = self.run_game(script=None, trace=False, name=None,
                                    args=[option, "--windowed"])
                self.assertEqual(run.code, 2, run.err)
                self.assertIn("kerbrunner: %s needs a value, not the option '--windowed'"
                              % option, run.err)
                self.assertFalse(os.path.exists(os.path.join(self.parent, "--windowed")))

    @row("a path of hundreds of bytes given to --script, --trace, --record, --pictures or --data")
    def test_long_paths_are_quoted_by_their_first_bytes(self):
        long_path = os.path.join(self.parent, "d" * 300, "f")
        quoted = "'%s...' (%d bytes)" % (long_path[:40], len(long_path))
        for option in ("--script", "--trace", "--record", "--pictures", "--data"):
            with self.subTest(option):
                run = self.run_game(script=None, trace=False, name=None, args=[option, long_path])
                self.assertEqual(run.code, 2, run.err)
                self.assertIn(quoted, run.err)
                self.assertNotIn("d" * 60, run.err)

    @row("two of --script, --trace and --record naming one file")
    def test_two_options_naming_one_file(self):
        script = os.path.join(self.parent, "script.txt")
        link = os.path.join(self.parent, "link.txt")
        os.symlink("script.txt", link)
        dangling = os.path.join(self.parent, "dangling.txt")
        os.symlink("out.txt", dangling)
        out = os.path.join(self.parent, "sub", "..", "out.txt")
        os.mkdir(os.path.join(self.parent, "sub"))
        content = "2 keydown enter\n5 keydown escape\n"
        cases = [(["--trace", script], "--script %s and --trace %s" % (script, script)),
                 (["--record", link], "--script %s and --record %s" % (script, link)),
                 (["--trace", dangling, "--record", out],
                  "--trace %s and --record %s" % (dangling, out))]
        for args, named in cases:
            with self.subTest(named):
                run = self.run_game(script=content, trace=False, args=args)
                self.assertEqual(run.code, 2, run.err)
                self.assertIn("kerbrunner: %s name the same file" % named, run.err)
                with open(script) as f:
                    self.assertEqual(f.read(), content)
                self.assertFalse(os.path.exists(os.path.join(self.parent, "out.txt")))
        # Two names of the null device are not one file: nothing written there meets.
        run = self.run_game(args=["--record", "/dev/null", "--trace", "/dev/null"])
        self.assertEqual(run.code, 0, run.err)

    @row("a FIFO nobody reads given to --record or to kerbrunner-assets street --3ds")
    def test_record_to_an_unread_fifo(self):
        fifo = os.path.join(self.parent, "fifo")
        os.mkfifo(fifo)
        run = self.run_game(args=["--record", fifo])
        self.assertEqual(run.code, 2, run.err)
        self.assertIn("%s: cannot write the recording: a FIFO that nobody reads" % fifo, run.err)
        self.assertEqual(run.trace, [])
        proc = subprocess.run([INSPECTOR, "street", "--3ds", fifo], capture_output=True,
                              stdin=subprocess.DEVNULL, timeout=RUN_TIMEOUT)
        self.assertEqual(proc.returncode, 1)
        self.assertEqual(proc.stderr.decode(), "cannot write %s\n%s: a FIFO that nobody reads\n"
                         % (fifo, fifo))

    @row("--record /dev/full, or --pictures naming a file, a device or a loop of links")
    def test_recording_and_pictures_that_cannot_be_written(self):
        run = self.run_game(args=["--record", "/dev/full"])
        self.assertEqual(run.code, 1, run.err)
        self.assertIn("kerbrunner: /dev/full: cannot write the recording at frame 1: "
                      "No space left on device", run.err)
        self.assertLessEqual(len(run.trace), 1)
        plain = os.path.join(self.parent, "plain")
        with open(plain, "w") as f:
            f.write("x")
        loop = os.path.join(self.parent, "loop")
        os.symlink("loop", loop)
        for path, reason in ((plain, "not a directory"), ("/dev/null", "not a directory"),
                             (loop, "Too many levels of symbolic links")):
            with self.subTest(path):
                run = self.run_game(args=["--pictures", path])
                self.assertEqual(run.code, 2, run.err)
                self.assertIn("kerbrunner: cannot write pictures into %s: %s" % (path, reason),
                              run.err)
                self.assertEqual(run.trace, [])

    @row("watching: --demo, a replay, a replay of a recording without its table")
    def test_watching_never_writes_the_table(self):
        def record(name, digits):
            return name.encode().ljust(8, b"\0") + digits.encode() + b"\0"
        zero = bytes(12)
        played = record("alice", "009") + record("bob", "008") + record("carol", "007") + zero * 2
        other = record("dave", "999") * 5
        self.put_table(played)
        recording = os.path.join(self.parent, "game.rec")
        run = self.play_to_the_end(args=["--record", recording])
        self.assertEqual(run.code, 0, run.err)
        recorded_table = run.trace[-1]["highscores"]
        self.assertTrue(recorded_table[3].startswith("tester"), recorded_table)
        self.assertNotEqual(self.table_bytes(), played)  # a played game writes its score
        with open(recording) as f:
            lines = f.read().splitlines()
        word = "".join(chr(b) if 33 <= b <= 126 and chr(b) not in "#%" else "%%%02X" % b
                       for b in played)
        self.assertIn("table " + word, lines)
        # A replay ranks in the recorded table, whatever the player's table holds now.
        self.put_table(other)
        replay = self.run_game(script=None, name=None, step=None, args=["--script", recording])
        self.assertEqual(replay.code, 0, replay.err)
        self.assertEqual(replay.trace[-1]["highscores"], recorded_table)
        self.assertEqual(self.table_bytes(), other)
        # An older recording without the table line ranks in the player's table, read only.
        older = os.path.join(self.parent, "older.rec")
        with open(older, "w") as f:
            f.write("\n".join(l for l in lines if not l.startswith("table ")) + "\n")
        self.put_table(played)
        replay = self.run_game(script=None, name=None, step=None, args=["--script", older])
        self.assertEqual(replay.code, 0, replay.err)
        self.assertEqual(replay.trace[-1]["highscores"], recorded_table)
        self.assertEqual(self.table_bytes(), played)
        # The demo, watched three times, shows its score ranked and leaves the file alone.
        for _ in range(3):
            demo = self.run_game(script="1 reshape 32 24\n", name=None, step=1000,
                                 args=["--demo"])
            self.assertEqual(demo.code, 0, demo.err)
            self.assertTrue(any(r.startswith("demo") for r in demo.trace[-1]["highscores"]),
                            demo.trace[-1]["highscores"])
            self.assertEqual(self.table_bytes(), played)

    @row("a recording cut short, or whose clock goes back")
    def test_recording_that_runs_out(self):
        run = self.run_game(script="name tester\n1 clock 100\n2 clock 50\n", name=None)
        self.assertEqual(run.code, 2, run.err)
        self.assertIn("script.txt:3: the clock goes back: frame 2 reads 50 after frame 1 read "
                      "100", run.err)
        self.assertEqual(run.trace, [])
        # Cut short in play: the clock runs on from the last reading and the keyboard is back.
        script = os.path.join(self.parent, "cut.rec")
        with open(script, "w") as f:
            f.write("name tester\n1 clock 1000\n1 reshape 32 24\n2 clock 2000\n2 keydown enter\n"
                    "3 clock 3000\n")
        trace = os.path.join(self.parent, "cut.jsonl")
        env = self.game_env()
        game = subprocess.Popen([GAME_PATH, "--windowed", "--data", self.data, "--script",
                                 script, "--trace", trace], env=env, cwd=self.parent,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.addCleanup(lambda: game.poll() is None and (game.kill(), game.communicate()))
        import json
        import time
        lines = []
        deadline = time.monotonic() + RUN_TIMEOUT
        while len(lines) < 40 and time.monotonic() < deadline and game.poll() is None:
            time.sleep(0.2)
            if not os.path.exists(trace):
                continue  # a loaded machine may take a while to start the game
            with open(trace) as f:
                lines = [json.loads(l) for l in f.read().splitlines() if l.endswith("}")]
        self.assertIsNone(game.poll(), game.stderr.read() if game.poll() is not None else "")
        self.assertGreaterEqual(len(lines), 40)
        clocks = [l["clock"] for l in lines]
        self.assertEqual(clocks[:3], [1000, 2000, 3000])
        self.assertEqual(clocks, sorted(clocks))
        self.assertGreater(clocks[-1], 3000)  # not held at the last reading
        self.assertFalse(lines[-1]["menuMode"])
        # The key goes to the window under the pointer, which starts in the middle of the
        # screen, over the game's window; sent again until the game has ended.
        for _ in range(RUN_TIMEOUT):
            subprocess.run(["xdotool", "key", "Escape"], env=env, timeout=RUN_TIMEOUT, check=True)
            try:
                game.wait(timeout=1)
                break
            except subprocess.TimeoutExpired:
                pass
        out, err = game.communicate(timeout=RUN_TIMEOUT)
        self.assertEqual(game.returncode, 0, err)

    # ---- Writing the table: locks, failures, links, leftovers -------------------------------

    def game_env(self):
        env = dict(os.environ, SDL_AUDIODRIVER="dummy", DISPLAY=self.display,
                   XDG_DATA_HOME=self.xdg, HOME=self.parent)
        env.pop("WAYLAND_DISPLAY", None)
        return env

    @row("two games ending together, or another game holding the table's lock")
    def test_games_ending_together(self):
        import fcntl
        import time
        self.put_table(b"")
        games = []
        for name in ("first", "second"):
            script = os.path.join(self.parent, name + ".txt")
            with open(script, "w") as f:
                f.write("1 reshape 32 24\n2 keydown enter\n170 keydown escape\n")
            games.append(subprocess.Popen(
                [GAME_PATH, "--windowed", "--data", self.data, "--script", script,
                 "--fixed-step", "1000", "--name", name], stdin=subprocess.DEVNULL,
                stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=self.game_env(),
                cwd=self.parent))
        for game in games:
            out, err = game.communicate(timeout=RUN_TIMEOUT)
            self.assertEqual(game.returncode, 0, err)
            self.assertIn(b"Wrote 60 items\n", out)
        names = sorted(self.table_bytes()[i:i + 7].split(b"\0")[0] for i in (0, 12))
        self.assertEqual(names, [b"first", b"second"])
        self.assertEqual(sorted(os.listdir(os.path.dirname(self.table))), ["highscore.txt"])

        # A lock held all along: the game waits 5 s, says so and leaves the table alone,
        # stale temporaries included (their writer may be the one holding the lock).
        before = self.table_bytes()
        busy = self.table + ".kerbtmp-Busy01"
        with open(busy, "wb") as f:
            f.write(b"being written")
        with open(self.table + ".lock", "w") as held:
            fcntl.flock(held, fcntl.LOCK_EX)
            started = time.monotonic()
            run = self.play_to_the_end()
            waited = time.monotonic() - started
        self.assertEqual(run.code, 0, run.err)
        self.assertIn("Problem opening the file\n", run.out)
        self.assertIn("kerbrunner: your score was not saved in %s: another game held the "
                      "table's lock %s.lock for 5 seconds" % (self.table, self.table), run.err)
        self.assertGreaterEqual(waited, 5)
        self.assertEqual(self.table_bytes(), before)
        self.assertTrue(os.path.exists(busy))

        # What another game writes while this one waits for the lock is kept: the table is
        # read only once the lock is held. (The two games above rarely meet inside that
        # step; this makes them meet every time.) The trace is written frame by frame: a
        # second before the end the game is one frame from its save.
        self.put_table(b"")
        trace = os.path.join(self.parent, "waiter.jsonl")
        with open(self.table + ".lock", "w") as held:
            fcntl.flock(held, fcntl.LOCK_EX)
            game = subprocess.Popen(
                [GAME_PATH, "--windowed", "--data", self.data, "--script", script,
                 "--fixed-step", "1000", "--name", "waiter", "--trace", trace],
                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                env=self.game_env(), cwd=self.parent)
            last_second = False
            while not last_second and game.poll() is None:
                time.sleep(0.02)
                if os.path.exists(trace):
                    with open(trace) as f:
                        last_second = any('"secondsLeft": 1,' in line for line in f)
            time.sleep(1)  # the game is now waiting for the lock
            self.put_table(b"other  |999" + bytes(49))
        out, err = game.communicate(timeout=RUN_TIMEOUT)
        self.assertEqual(game.returncode, 0, err)
        self.assertIn(b"Wrote 60 items\n", out)
        self.assertEqual([self.table_bytes()[i:i + 7] for i in (0, 12)],
                         [b"other  ", b"waiter\0"])

    @row("a table that cannot be written in full (a file size limit, as on a full disk)")
    def test_table_write_fails(self):
        # A file size limit of 512 bytes fails the write as a full disk would (EFBIG for
        # ENOSPC); the tail the table keeps makes the new file larger than that.
        before = b"Ann\0   \0" + b"500" + b"\0" + bytes(48) + b"n" * 600
        self.put_table(before)
        run = self.play_to_the_end(trace=False,
                                   wrap=["sh", "-c", 'trap "" XFSZ; ulimit -f 1; exec "$@"', "sh"])
        self.assertEqual(run.code, 0, run.err)
        self.assertIn("Problem opening the file\n", run.out)
        self.assertNotIn("Wrote 60 items", run.out)
        self.assertIn("kerbrunner: your score was not saved in %s: cannot be written (File too "
                      "large)\n" % self.table, run.err)
        self.assertEqual(self.table_bytes(), before)
        self.assertEqual(sorted(os.listdir(os.path.dirname(self.table))), ["highscore.txt"])

    @row("a table that is a symbolic link (to a file, or leading nowhere)")
    def test_table_behind_a_link(self):
        elsewhere = os.path.join(self.parent, "elsewhere")
        os.mkdir(elsewhere)
        target = os.path.join(elsewhere, "scores.bin")
        with open(target, "wb") as f:
            f.write(b"Ann\0   \0" + b"500" + b"\0" + bytes(48))
        os.makedirs(os.path.dirname(self.table), exist_ok=True)
        os.symlink(target, self.table)
        with open(target + ".kerbtmp-Left01", "wb") as f:  # a killed write through the link
            f.write(b"half")
        run = self.play_to_the_end()
        self.assertEqual(run.code, 0, run.err)
        self.assertIn("Wrote 60 items\n", run.out)
        self.assertTrue(os.path.islink(self.table))
        self.assertEqual(os.readlink(self.table), target)
        with open(target, "rb") as f:
            after = f.read()
        self.assertEqual(after[12:19], b"tester\0")
        self.assertEqual(os.listdir(elsewhere), ["scores.bin"])
        self.assertEqual(sorted(os.listdir(os.path.dirname(self.table))), ["highscore.txt"])

        os.unlink(target)
        run = self.play_to_the_end()
        self.assertEqual(run.code, 0, run.err)
        self.assertIn("File could not be opened\n", run.out)
        self.assertIn("Problem opening the file\n", run.out)
        self.assertIn("kerbrunner: your score was not saved in %s: a symbolic link that leads "
                      "nowhere\n" % self.table, run.err)
        self.assertTrue(os.path.islink(self.table))
        self.assertEqual(os.listdir(elsewhere), [])

    @row("temporary files a killed write left beside the table")
    def test_stale_temporaries(self):
        self.put_table(b"Ann\0   \0" + b"500" + b"\0" + bytes(48))
        folder = os.path.dirname(self.table)
        stale = ["highscore.txt.kerbtmp-Ab3xY9", "highscore.txt.kerbtmp-000000"]
        kept = ["highscore.txt.backup", "highscore.txt.kerbtmp-toolong1",
                "highscore.txt.kerbtmp-ab_123", "notes.kerbtmp-Ab3xY9"]
        for name in stale + kept:
            with open(os.path.join(folder, name), "wb") as f:
                f.write(b"half a table")
        os.mkdir(os.path.join(folder, "highscore.txt.kerbtmp-Dir000"))
        kept.append("highscore.txt.kerbtmp-Dir000")
        run = self.play_to_the_end()
        self.assertEqual(run.code, 0, run.err)
        self.assertIn("Wrote 60 items\n", run.out)
        self.assertEqual(sorted(os.listdir(folder)), sorted(kept + ["highscore.txt"]))

    # ---- Sizes and counts ------------------------------------------------------------------

    def sparse(self, path, size):
        if os.path.lexists(path):
            os.unlink(path)
        with open(path, "wb") as f:
            f.truncate(size)

    @row("a 2 GB sparse model, a 2 GB sparse picture, a 1 GB table left in the data directory")
    def test_files_too_large_to_read(self):
        model = self.own_copy("models/civi.md2")
        self.sparse(model, 2 << 30)
        run = self.run_game()
        self.assertPlayedOn(run)
        self.assertIn("Error: Invalid file format (a file of 2147483648 bytes, larger than the "
                      "largest model (8388608 bytes)): models/civi.md2!", run.err)
        shutil.copyfile(os.path.join(DATA_PATH, "models/civi.md2"), model)

        self.sparse(self.own_copy("textures/decke.bmp"), 2 << 30)
        run = self.run_game()
        self.assertPictureRefused(run, "textures/decke.bmp", "Image file conversion error.",
                                  "a file of 2147483648 bytes, larger than the largest picture "
                                  "file the game takes (67174400 bytes)")
        shutil.copyfile(os.path.join(DATA_PATH, "textures/decke.bmp"),
                        os.path.join(self.data, "textures/decke.bmp"))

        old = os.path.join(self.data, "highscore.txt")
        self.sparse(old, 1 << 30)
        run = self.play_to_the_end()
        self.assertEqual(run.code, 0, run.err)
        self.assertIn("kerbrunner: the top-five table %s is 1073741824 bytes, larger than the "
                      "largest table (65536 bytes): not read\n" % old, run.err)
        self.assertIn("kerbrunner: your score was not saved in %s: a file of 1073741824 bytes, "
                      "larger than the largest table (65536 bytes); it is left as it was\n" % old,
                      run.err)
        self.assertEqual(os.path.getsize(old), 1 << 30)
        self.assertLess(os.stat(old).st_blocks, 64)  # never written into
        self.assertFalse(os.path.exists(self.table) and self.table != old)

    @row("a model of 10000 triangles, 2060 vertices or 1000 frames")
    def test_models_beyond_the_format_limits(self):
        path = self.own_copy("models/civi.md2")
        with open(path, "rb") as f:
            whole = f.read()
        # Header fields: frame size at 16, vertices at 24, triangles at 32, frames at 40. Frames
        # of 2060 vertices still fit the reader's frame buffer (8320 bytes).
        for fields, reason in (({32: 10000}, "more than 4096 triangles"),
                               ({24: 2060, 16: 8280}, "more than 2048 vertices"),
                               ({40: 1000}, "more than 512 frames")):
            with self.subTest(reason):
                content = bytearray(whole)
                for offset, value in fields.items():
                    content[offset:offset + 4] = value.to_bytes(4, "little")
                os.unlink(path)
                with open(path, "wb") as f:
                    f.write(bytes(content))
                run = self.run_game()
                self.assertPlayedOn(run)
                self.assertIn("Error: Invalid file format (%s): models/civi.md2!" % reason,
                              run.err)

    # ---- The animation clock -----------------------------------------------------------------

    @row("a clock jump of 30 or 60 seconds between two frames (a stall, a replay, --fixed-step 60000)")
    def test_clock_jump_draws_the_keyframe(self):
        from gamerun import read_png
        width, height, hud = 320, 480, 110  # the score and the time lie within 110 rows of an edge

        def middle_after_jump(jump):
            picture = os.path.join(self.parent, "jump%d.png" % jump)
            lines = ["1 reshape %d %d" % (width, height), "2 keydown enter"]
            clock = 1000
            for frame in range(1, 16):
                clock += jump if frame == 12 else 20
                lines.append("%d clock %d" % (frame, clock))
            lines += ["12 screenshot %s" % picture, "15 keydown escape"]
            run = self.run_game(script="\n".join(lines) + "\n", step=None)
            self.assertEqual(run.code, 0, run.err)
            self.assertEqual(run.trace[11]["clock"], clock - 3 * 20)
            _, _, rows = read_png(picture)
            return rows[hud:height - hud]

        def differing_rows(a, b):
            return sum(1 for x, y in zip(a, b) if x != y)

        stalled = middle_after_jump(60000)
        self.assertEqual(differing_rows(middle_after_jump(30000), stalled), 0)
        # The region compared shows the passers-by: a short step draws them elsewhere.
        self.assertGreater(differing_rows(middle_after_jump(100), stalled), 0)

    # ---- 3DS scenes in the inspector --------------------------------------------------------

    @row("3DS scenes in the inspector: 7 MB of empty objects, 20000 groups naming a missing material, one picture mapped by 300 materials, texture names with ../ or backslashes, a directory or a FIFO as a texture")
    def test_hostile_scenes_in_the_inspector(self):
        import struct
        import time
        from test_scene3ds import chunk, material, mesh_object, name, scene_file

        def inspect(parts, *args, timeout=RUN_TIMEOUT):
            path = os.path.join(self.parent, "scene.3ds")
            with open(path, "wb") as f:
                f.write(scene_file(parts))
            env = dict(os.environ, DISPLAY=self.display)
            return subprocess.run([INSPECTOR, "3ds", path] + list(args), capture_output=True,
                                  text=True, timeout=timeout, env=env, cwd=self.parent)

        empty = chunk(0x4000, name("o"))
        run = inspect([empty * (7_000_000 // len(empty))])
        self.assertEqual(run.returncode, 1, run.stderr)
        self.assertIn("more than 65535 objects or materials", run.stderr)

        png = os.path.join(self.parent, "scene.png")
        square = ([(-1, -1, 0), (1, -1, 0), (1, 1, 0), (-1, 1, 0)], [(0, 1, 2), (0, 2, 3)])
        groups = [("missing%d" % i, [i % 2]) for i in range(20000)]
        materials = [material("m%d" % i, (255, 0, 0)) for i in range(20000)]
        started = time.monotonic()
        run = inspect(materials + [mesh_object("Sq", *square, groups=groups)], "--png", png)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertLess(time.monotonic() - started, 30)

        # Pictures: one beside the scene mapped by 300 materials, one outside its folder.
        os.mkdir(os.path.join(self.parent, "maps"))
        shutil.copy(os.path.join(DATA_PATH, "textures/gruen.bmp"),
                    os.path.join(self.parent, "shared.bmp"))
        secret = os.path.join(os.path.dirname(self.parent), os.path.basename(self.parent) + ".bmp")
        shutil.copy(os.path.join(DATA_PATH, "textures/gruen.bmp"), secret)
        self.addCleanup(os.unlink, secret)
        os.mkdir(os.path.join(self.parent, "dir.bmp"))
        os.mkfifo(os.path.join(self.parent, "fifo.bmp"))
        outside = "../" + os.path.basename(self.parent) + ".bmp"
        uvs = [(0, 0), (1, 0), (1, 1), (0, 1)]
        parts = [material("s%d" % i, (255, 255, 255), "shared.bmp") for i in range(300)]
        parts += [material("up", (255, 255, 255), outside),
                  material("back", (255, 255, 255), "..\\..\\" + os.path.basename(secret)),
                  material("dir", (255, 255, 255), "dir.bmp"),
                  material("fifo", (255, 255, 255), "fifo.bmp")]
        parts.append(mesh_object("Sq", *square, groups=[("s0", [0]), ("up", [1])], uvs=uvs))
        traced = os.path.join(self.parent, "opened.txt")
        self.assertTrue(os.path.exists(secret))
        run = inspect(parts, "--png", png, "--textures", os.path.join(self.parent, "maps"))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn("up: texture %s not found; drawn untextured" % outside, run.stderr)
        self.assertIn("back: texture ..\\..\\%s not found" % os.path.basename(secret), run.stderr)
        self.assertIn("dir: texture dir.bmp: a directory; drawn untextured", run.stderr)
        self.assertIn("fifo: texture fifo.bmp: not a regular file; drawn untextured", run.stderr)
        self.assertNotIn("s0: texture", run.stderr)
        strace = shutil.which("strace")
        if strace:
            env = dict(os.environ, DISPLAY=self.display)
            path = os.path.join(self.parent, "scene.3ds")
            subprocess.run([strace, "-f", "-e", "trace=open,openat", "-o", traced, INSPECTOR,
                            "3ds", path, "--png", png], capture_output=True, timeout=RUN_TIMEOUT,
                           env=env, cwd=self.parent)
            with open(traced) as f:
                opened = f.read()
            self.assertEqual(opened.count("shared.bmp\""), 1)
            self.assertNotIn("../" + os.path.basename(secret), opened)
            self.assertNotIn("\"" + secret + "\"", opened)

    # ---- Clearer answers ---------------------------------------------------------------------

    def rename_frames(self, relative, names_of):
        """Gives each frame of the model the name names_of(index, count) returns."""
        path = self.own_copy(relative)
        with open(path, "rb") as f:
            content = bytearray(f.read())
        frame_size = int.from_bytes(content[16:20], "little")
        count = int.from_bytes(content[40:44], "little")
        first = int.from_bytes(content[56:60], "little")
        for i in range(count):
            at = first + i * frame_size + 24
            content[at:at + 16] = names_of(i, count).ljust(16, b"\0")
        os.unlink(path)
        with open(path, "wb") as f:
            f.write(bytes(content))

    @row("passers-by that cannot animate (their animation missing, its frames past the model's), control bytes in names, md2 --frame with a bad number")
    def test_passers_by_that_cannot_animate(self):
        # civi plays animation 7: one name for every frame makes a single animation.
        self.rename_frames("models/civi.md2", lambda i, n: b"same001")
        # jupiter plays animation 1: its second half claims frame numbers from 99 on.
        self.rename_frames("models/jupiter.md2",
                           lambda i, n: b"a001" if i < n // 2 else b"\x1b[2Jb099")
        run = self.run_game()
        self.assertPlayedOn(run)
        self.assertEqual(run.err.count("kerbrunner: the civi passers-by cannot animate (it has 1 "
                                       "animations, the kind plays number 7): they are not "
                                       "drawn\n"), 1, run.err)
        self.assertRegex(run.err, r"kerbrunner: the jupiter passers-by cannot animate \(animation "
                                  r"\\x1b\[2Jb\d* runs over frames \d+ to \d+, the model has \d+\): "
                                  r"they are not drawn\n")
        self.assertNotIn("\x1b", run.err)

        check = subprocess.run([INSPECTOR, "check", self.data], capture_output=True, text=True,
                               timeout=RUN_TIMEOUT)
        self.assertNotEqual(check.returncode, 0, check.stdout)
        self.assertIn("models/civi.md2: 1 animations, but its kind plays animation 7", check.stdout)
        self.assertRegex(check.stdout, r"models/jupiter.md2: animation \\x1b\[2Jb\d* runs over frames")

        model = os.path.join(DATA_PATH, "models/civi.md2")
        for args, said in ((["--frame", "abc"], "--frame 'abc' is not a whole number\n"),
                           (["--frame", "9" * 30], "--frame '%s' is out of range for a frame "
                                                   "number\n" % ("9" * 30)),
                           (["--frame", "1\x1b[2J"], "--frame '1\\x1b[2J' is not a whole number\n"),
                           (["--frame"], "--frame needs a frame number\n")):
            with self.subTest(args):
                run = subprocess.run([INSPECTOR, "md2", model] + args, capture_output=True,
                                     text=True, timeout=RUN_TIMEOUT)
                self.assertEqual(run.returncode, 2, run.stderr)
                self.assertIn(said, run.stderr)

    @row("SIGTERM or Ctrl-C (SIGINT) during play, once the sound has started")
    def test_stop_signals(self):
        import time
        self.put_table(b"")
        with open(os.path.join(self.parent, "enter.txt"), "w") as f:
            f.write("2 keydown enter\n")
        for sig in (signal.SIGTERM, signal.SIGINT):
            with self.subTest(sig=sig):
                # Not through a shell: a shell's background jobs ignore SIGINT.
                game = subprocess.Popen([GAME_PATH, "--windowed", "--data", self.data, "--name", "sig",
                                         "--fixed-step", "20", "--script",
                                         os.path.join(self.parent, "enter.txt")],
                                        env=self.game_env(), stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE,
                                        # As a terminal's foreground game has it, whoever
                                        # started these tests (a background job ignores it).
                                        preexec_fn=lambda: signal.signal(signal.SIGINT,
                                                                         signal.SIG_DFL))
                time.sleep(3)  # the menu's and then the game's music have started
                self.assertIsNone(game.poll())
                game.send_signal(sig)
                try:
                    game.communicate(timeout=10)
                except subprocess.TimeoutExpired:
                    game.kill()
                    game.communicate()
                    self.fail("the game did not end on %s" % sig.name)
                self.assertEqual(game.returncode, -sig)
                self.assertEqual(os.path.getsize(self.table), 0)

    # ---- The table in the README --------------------------------------------------------

    def test_every_row_has_its_test_and_the_readme_lists_exactly_the_rows(self):
        self.assertEqual(TESTED, ROWS)
        with open(README) as f:
            text = f.read()
        self.assertIn(README_SECTION + "\n", text)
        section = text.split(README_SECTION + "\n", 1)[1].split("\n## ", 1)[0]
        rows = []
        for line in section.splitlines():
            cells = [c.strip() for c in line.strip().strip("|").split("|")] if line.startswith("|") else []
            if len(cells) == 2 and not set(cells[0]) <= set("-: ") and cells[0] != "Bad input":
                rows.append((cells[0].replace("\\|", "|"), cells[1].replace("\\|", "|")))
        expected = [(name.replace("`", ""), outcome) for name, outcome in BAD_INPUTS]
        self.assertEqual([(n.replace("`", ""), o) for n, o in rows], expected,
                         "README table; expected rows:\n" + readme_table())


def readme_table():
    """The table as the README shows it (python3 -c 'import test_bad_inputs as t;
    print(t.readme_table())' prints it)."""
    lines = ["| Bad input | Expected outcome |", "|---|---|"]
    for name, outcome in BAD_INPUTS:
        lines.append("| %s | %s |" % (name.replace("|", "\\|"), outcome.replace("|", "\\|")))
    return "\n".join(lines)


if __name__ == "__main__":
    unittest.main()
