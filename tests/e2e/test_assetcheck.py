"""The asset inspector as people who replace pictures use it."""
import os
import shutil
import subprocess
import tempfile
import unittest

from gamerun import DATA

TOOL = os.environ.get("KERB_INSPECTOR", os.path.join(os.path.dirname(__file__), "../../build/kerbrunner-assets"))


def tool(*args, cwd=None):
    return subprocess.run([TOOL] + list(args), capture_output=True, text=True, timeout=60, cwd=cwd)


class InspectorTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="kerb-assets-")

    def tearDown(self):
        shutil.rmtree(self.tmp, ignore_errors=True)

    def test_bmp_describes_a_picture_and_writes_it_upright_as_ppm(self):
        out = os.path.join(self.tmp, "rot.ppm")
        run = tool("bmp", os.path.join(DATA, "textures/rot.bmp"), "--ppm", out)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn("16", run.stdout)
        self.assertIn("none", run.stdout)
        with open(out, "rb") as f:
            data = f.read()
        self.assertTrue(data.startswith(b"P6\n16 16\n255\n"))
        pixels = data[len(b"P6\n16 16\n255\n"):]
        self.assertEqual(len(pixels), 16 * 16 * 3)
        r, g, b = pixels[0], pixels[1], pixels[2]
        self.assertGreater(r, 150)
        self.assertLess(g, 100)

    def test_bmp_reports_the_games_error_text(self):
        bad = os.path.join(self.tmp, "bad.bmp")
        with open(bad, "wb") as f:
            f.write(b"BM" + b"\0" * 12 + (108).to_bytes(4, "little") + b"\0" * 104)
        run = tool("bmp", bad)
        self.assertEqual(run.returncode, 1)
        self.assertIn("Unknown DIB file format.", run.stdout + run.stderr)

    def test_check_passes_the_generated_data_and_names_each_broken_file(self):
        self.assertEqual(tool("check", DATA).returncode, 0)
        copy = os.path.join(self.tmp, "data")
        shutil.copytree(DATA, copy)
        with open(os.path.join(copy, "textures/floor03.bmp"), "r+b") as f:
            f.truncate(40)
        os.remove(os.path.join(copy, "models/civi.md2"))
        run = tool("check", copy)
        self.assertEqual(run.returncode, 1)
        self.assertIn("textures/floor03.bmp: ", run.stdout)
        self.assertIn("models/civi.md2: ", run.stdout)
        # Default: the working directory.
        self.assertEqual(tool("check", cwd=copy).returncode, 1)


if __name__ == "__main__":
    unittest.main()
