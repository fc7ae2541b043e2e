"""The asset inspector as people who replace pictures and models use it."""
import json
import os
import shutil
import struct
import subprocess
import tempfile
import unittest

from gamerun import DATA

TOOL = os.environ.get("KERB_INSPECTOR", os.path.join(os.path.dirname(__file__), "../../build/kerbrunner-assets"))


def tool(*args, cwd=None):
    return subprocess.run([TOOL] + list(args), capture_output=True, text=True, timeout=60, cwd=cwd)


def md2_bytes(names, vertices=((0, 10, 0), (0, 0, 10), (2, 3, 4)), skins=(), skin_size=(64, 32),
              version=8, triangles=((0, 1, 2, 0, 1, 2),), scale=(1.0, 1.0, 1.0),
              translate=(0.0, 0.0, 0.0)):
    """An MD2 file as another modelling tool might write it; vertex X grows by one per frame."""
    st = [(0, 0), (skin_size[0], 0), (0, skin_size[1])]
    frame_size = 40 + 4 * len(vertices)
    off_skins = 68
    off_st = off_skins + 64 * len(skins)
    off_tris = off_st + 4 * len(st)
    off_frames = off_tris + 12 * len(triangles)
    end = off_frames + frame_size * len(names)
    out = struct.pack("<17i", 0x32504449, version, skin_size[0], skin_size[1], frame_size,
                      len(skins), len(vertices), len(st), len(triangles), 0, len(names),
                      off_skins, off_st, off_tris, off_frames, end, end)
    for skin in skins:
        out += skin.encode().ljust(64, b"\0")
    for s, t in st:
        out += struct.pack("<2h", s, t)
    for tri in triangles:
        out += struct.pack("<6h", *tri)
    for f, name in enumerate(names):
        out += struct.pack("<6f", *scale, *translate) + name.ljust(16, b"\0")[:16]
        for x, y, z in vertices:
            out += bytes([x + f, y, z, 0])
    return out


def frame_positions(data, n):
    """Frame n of an MD2 file in the game's axes, decoded here independently of the game."""
    header = struct.unpack_from("<17i", data)
    vertex_count, offset = header[6], header[14] + n * header[4]
    sx, sy, sz, tx, ty, tz = struct.unpack_from("<6f", data, offset)
    out = []
    for j in range(vertex_count):
        x, y, z = data[offset + 40 + 4 * j:offset + 43 + 4 * j]
        out.append([x * sx + tx, z * sz + tz, -(y * sy + ty)])
    return out


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

    def test_check_reports_a_refused_model_and_one_without_its_kinds_animation(self):
        copy = os.path.join(self.tmp, "data")
        shutil.copytree(DATA, copy)
        self.write("data/models/darth.md2", md2_bytes([b"stand1", b"stand2"], version=7))
        self.write("data/models/cartman.md2", md2_bytes([b"stand1", b"stand2", b"walk1", b"end"]))
        run = tool("check", copy)
        self.assertEqual(run.returncode, 1)
        self.assertIn("models/darth.md2: Version not 8\n", run.stdout)
        # cartman plays its third animation; this file gives two.
        self.assertIn("models/cartman.md2: 2 animations, but its kind plays animation 2\n", run.stdout)
        self.assertIn("2 of 66 files", run.stdout)

    def write(self, name, data):
        path = os.path.join(self.tmp, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def md2(self, *args):
        run = tool("md2", *args)
        self.assertEqual(run.returncode, 0, run.stderr)
        return json.loads(run.stdout)

    def test_md2_describes_every_generated_model_as_the_game_reads_it(self):
        for name in sorted(os.listdir(os.path.join(DATA, "models"))):
            if not name.endswith(".md2"):
                continue
            with self.subTest(name):
                path = os.path.join(DATA, "models", name)
                model = self.md2(path, "--frame", "0")
                header = model["header"]
                self.assertEqual(header["version"], 8)
                self.assertEqual(len(model["frameNames"]), header["numFrames"])
                self.assertEqual(len(model["vertices"]), header["numVertices"])
                self.assertGreater(len(model["animations"]), 1)
                for a in model["animations"]:
                    self.assertLess(a["startFrame"], a["endFrame"])
                last = self.md2(path, "--frame", str(header["numFrames"] - 1))
                self.assertEqual(len(last["vertices"]), header["numVertices"])
                middle = header["numFrames"] // 2
                with open(path, "rb") as f:
                    expected = frame_positions(f.read(), middle)
                got = self.md2(path, "--frame", str(middle))["vertices"]
                self.assertEqual(len(got), len(expected))
                for g, e in zip(got, expected):
                    for a, b in zip(g, e):
                        self.assertAlmostEqual(a, b, delta=1e-3 * max(1.0, abs(b)))

    def test_md2_reads_files_other_tools_write(self):
        cases = [
            ("irregular names",
             [b"run001", b"run002", b"run003", b"crouch_stand1", b"crouch_stand2", b"a"],
             [("run0", 0, 3), ("crouch_stand", 3, 5)]),
            ("numbered from 0", [b"idle0", b"idle1", b"idle2", b"jump0", b"jump1"],
             [("idle", -1, 3), ("jump", 2, 4)]),
            ("numbered from 1", [b"idle1", b"idle2", b"jump1", b"jump2", b"x"],
             [("idle", 0, 2), ("jump", 2, 4)]),
            ("single frame", [b"base"], []),
            ("one-character names", [b"a", b"a", b"b", b"b", b"c"], [("a", -1, 2), ("b", 1, 4)]),
            ("sixteen characters, no NUL", [b"abcdefghijklmnop", b"abcdefghijklmnop", b"z"],
             [("abcdefghijklmnop", -1, 2)]),
        ]
        for what, names, expected in cases:
            with self.subTest(what):
                path = self.write("model.md2", md2_bytes(
                    names, skins=("a.pcx", "b.pcx", "c.pcx"), skin_size=(100, 37)))
                model = self.md2(path)
                self.assertEqual(model["frameNames"], [n.decode() for n in names])
                self.assertEqual([(a["name"], a["startFrame"], a["endFrame"])
                                  for a in model["animations"]], expected)
                self.assertEqual(model["header"]["numSkins"], 3)
        # Names that need escaping still make valid JSON.
        odd = b'say"\\x\x01\xe91'
        path = self.write("quoted.md2", md2_bytes([odd, b"b"]))
        self.assertEqual(self.md2(path)["frameNames"], [odd.decode("latin-1"), "b"])

    def test_md2_frame_vertices_follow_the_games_axes(self):
        path = self.write("axes.md2", md2_bytes([b"pose1", b"pose2"], scale=(0.5, 2.0, 3.0),
                                                translate=(1.0, -1.0, 10.0)))
        # File (X, Y, Z) becomes (X sx + tx, Z sz + tz, -(Y sy + ty)); frame 1 has X one more.
        self.assertEqual(self.md2(path, "--frame", "1")["vertices"],
                         [[1.5, 10.0, -19.0], [1.5, 40.0, 1.0], [2.5, 22.0, -5.0]])
        for bad in ("2", "-1", "one"):
            run = tool("md2", path, "--frame", bad)
            self.assertEqual(run.returncode, 2, bad)
            self.assertIn("usage:", run.stderr)
        self.assertEqual(tool("md2").returncode, 2)

    def test_md2_reports_a_refused_file_with_the_games_text(self):
        cases = [
            (md2_bytes([b"a1", b"a2"], version=7), "Version not 8"),
            (md2_bytes([b"a1", b"a2"], triangles=((0, 1, 3, 0, 1, 2),)),
             "triangle vertex index out of range"),
            (md2_bytes([b"a1", b"a2"])[:-1], "frames outside the file"),
            (md2_bytes([b"a1"])[:60], "file shorter than its header"),
        ]
        for data, reason in cases:
            with self.subTest(reason):
                path = self.write("bad.md2", data)
                run = tool("md2", path)
                self.assertEqual(run.returncode, 1)
                self.assertEqual(run.stdout, "")
                self.assertIn("Invalid file format (%s): %s!" % (reason, path), run.stderr)
        missing = os.path.join(self.tmp, "none.md2")
        run = tool("md2", missing)
        self.assertEqual(run.returncode, 1)
        self.assertIn("Unable to find the file: %s!" % missing, run.stderr)


if __name__ == "__main__":
    unittest.main()
