"""Scene files through the asset inspector: described as JSON, previewed as a picture,
and the street written out as a scene and read back."""
import json
import os
import shutil
import struct
import subprocess
import tempfile
import unittest

from gamerun import DATA, read_png

TOOL = os.environ.get("KERB_INSPECTOR", os.path.join(os.path.dirname(__file__), "../../build/kerbrunner-assets"))
BACKGROUND = (56, 61, 71)  # the preview's empty space


def tool(*args, env=None):
    return subprocess.run([TOOL] + list(args), capture_output=True, text=True, timeout=120, env=env)


def headless():
    """The environment without a display, as on a build machine."""
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    return env


# ---- 3DS files as another tool writes them ----------------------------------------------

def chunk(cid, body=b""):
    return struct.pack("<HI", cid, len(body) + 6) + body


def name(text):
    return text.encode() + b"\0"


def mesh_object(obj_name, points, faces=(), groups=(), uvs=None):
    body = chunk(0x4110, struct.pack("<H", len(points)) + b"".join(struct.pack("<3f", *p) for p in points))
    if uvs is not None:
        body += chunk(0x4140, struct.pack("<H", len(uvs)) + b"".join(struct.pack("<2f", *uv) for uv in uvs))
    body += chunk(0x4160, struct.pack("<12f", 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0))
    face_body = struct.pack("<H", len(faces)) + b"".join(struct.pack("<4H", a, b, c, 7) for a, b, c in faces)
    for material, indices in groups:
        face_body += chunk(0x4130, name(material) + struct.pack("<H", len(indices)) +
                           b"".join(struct.pack("<H", i) for i in indices))
    if faces:
        body += chunk(0x4120, face_body)
    return chunk(0x4000, name(obj_name) + chunk(0x4100, body))


def material(mat_name, rgb, texture=None):
    body = chunk(0xA000, name(mat_name))
    body += chunk(0xA020, chunk(0x0011, bytes(rgb)) + chunk(0x0012, bytes(rgb)))
    if texture:
        body += chunk(0xA200, chunk(0x0030, struct.pack("<H", 100)) + chunk(0xA300, name(texture)))
    return chunk(0xAFFF, body)


def scene_file(editor_parts, keyframer=True):
    editor = chunk(0x3D3E, struct.pack("<I", 3)) + b"".join(editor_parts)
    main = chunk(0x0002, struct.pack("<I", 3)) + chunk(0x3D3D, editor)
    if keyframer:
        main += chunk(0xB000, chunk(0xB00A, struct.pack("<H", 5) + name("scene") + struct.pack("<I", 100)))
    return chunk(0x4D4D, main)


def red_and_pictured_scene():
    """A red triangle standing on a pictured square, a camera, and a cloud of points."""
    return scene_file([
        material("Red", (255, 0, 0)),
        material("Stone", (255, 255, 255), "maps\\GRUEN.BMP"),
        material("Lost", (0, 0, 255), "nowhere.bmp"),
        chunk(0x4000, name("Camera01") + chunk(0x4700, struct.pack("<8f", 0, -10, 5, 0, 0, 0, 0, 45))),
        mesh_object("Tri", [(-1, 0, 0), (1, 0, 0), (0, 0, 2)], [(0, 1, 2)], [("Red", [0])]),
        mesh_object("Floor", [(-2, -2, -0.5), (2, -2, -0.5), (2, 2, -0.5), (-2, 2, -0.5)],
                    [(0, 1, 2), (0, 2, 3)], [("Stone", [0, 1])], uvs=[(0, 0), (1, 0), (1, 1), (0, 1)]),
        mesh_object("Points", [(3, 3, 3), (4, 5, 6)]),
    ])


def read_rgb(path):
    """Width, height and rows of (r, g, b) of a scene preview."""
    width, height, rows = read_png(path)
    return width, height, [[tuple(row[3 * x:3 * x + 3]) for x in range(width)] for row in rows]


def near(pixel, colour, tolerance=6):
    return all(abs(p - c) <= tolerance for p, c in zip(pixel, colour))


class SceneInspectorTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="kerb-3ds-")

    def tearDown(self):
        shutil.rmtree(self.tmp, ignore_errors=True)

    def write(self, file_name, data):
        path = os.path.join(self.tmp, file_name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def test_a_tools_file_is_described_object_by_object(self):
        path = self.write("tools.3ds", red_and_pictured_scene())
        run = tool("3ds", path)
        self.assertEqual(run.returncode, 0, run.stderr)
        described = json.loads(run.stdout)
        self.assertEqual(described["objects"], [
            {"name": "Camera01", "vertices": 0, "faces": 0, "bounds": None},
            {"name": "Tri", "vertices": 3, "faces": 1, "bounds": [[-1, 0, 0], [1, 0, 2]]},
            {"name": "Floor", "vertices": 4, "faces": 2, "bounds": [[-2, -2, -0.5], [2, 2, -0.5]]},
            {"name": "Points", "vertices": 2, "faces": 0, "bounds": [[3, 3, 3], [4, 5, 6]]},
        ])
        self.assertEqual(described["materials"], [
            {"name": "Red", "diffuse": [1, 0, 0], "texture": None},
            {"name": "Stone", "diffuse": [1, 1, 1], "texture": "maps\\GRUEN.BMP"},
            {"name": "Lost", "diffuse": [0, 0, 1], "texture": "nowhere.bmp"},
        ])

    def test_a_damaged_file_prints_its_reason_and_exits_1(self):
        good = red_and_pictured_scene()
        cases = [
            ("empty.3ds", b"", "not a 3DS file"),
            ("cut.3ds", good[:-7], "chunk runs past its parent"),
            ("index.3ds", scene_file([mesh_object("Bad", [(0, 0, 0)], [(0, 0, 1)])]),
             "face vertex index out of range"),
        ]
        for file_name, data, reason in cases:
            with self.subTest(file_name):
                run = tool("3ds", self.write(file_name, data), "--png", os.path.join(self.tmp, "x.png"))
                self.assertEqual(run.returncode, 1)
                self.assertIn(reason, run.stderr)
                self.assertEqual(run.stdout, "")
                self.assertFalse(os.path.exists(os.path.join(self.tmp, "x.png")))
        missing = tool("3ds", os.path.join(self.tmp, "absent.3ds"))
        self.assertEqual(missing.returncode, 1)
        self.assertIn("missing", missing.stderr)
        self.assertEqual(tool("3ds").returncode, 2)
        self.assertEqual(tool("street").returncode, 2)

    def test_the_street_goes_out_as_a_scene_and_reads_back(self):
        out = os.path.join(self.tmp, "street.3ds")
        run = tool("street", "--3ds", out)
        self.assertEqual(run.returncode, 0, run.stderr)
        described = json.loads(tool("3ds", out).stdout)
        objects = described["objects"]
        self.assertEqual(len(objects), 15)
        self.assertEqual(sum(o["faces"] for o in objects), 2 * 222)
        self.assertEqual(sum(o["vertices"] for o in objects), 4 * 222)
        self.assertTrue(all(len(o["name"]) <= 10 for o in objects))
        ground = objects[0]
        self.assertEqual(ground["name"], "Ground")
        # The game's ground, x -20..500 and z -500..300, lies at height 0 with y turned to z.
        self.assertEqual(ground["bounds"], [[-20, -300, 0], [500, 500, 0]])
        textures = [m["texture"] for m in described["materials"]]
        self.assertEqual(len(textures), len(set(textures)))
        for m in described["materials"]:
            self.assertTrue(os.path.isfile(os.path.join(DATA, m["texture"])), m["texture"])
            self.assertEqual(m["name"], os.path.splitext(os.path.basename(m["texture"]))[0])

    def test_the_street_preview_shows_sky_and_ground_framed_on_the_background(self):
        scene = os.path.join(self.tmp, "street.3ds")
        png = os.path.join(self.tmp, "street.png")
        self.assertEqual(tool("street", "--3ds", scene).returncode, 0)
        run = tool("3ds", scene, "--png", png, "--textures", DATA, env=headless())
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertNotIn("untextured", run.stderr)
        width, height, rows = read_rgb(png)
        self.assertEqual((width, height), (800, 600))
        # The whole scene is framed: the border is empty space all round.
        border = rows[0] + rows[-1] + [r[0] for r in rows] + [r[-1] for r in rows]
        self.assertTrue(all(near(p, BACKGROUND) for p in border))
        pixels = [p for row in rows for p in row]
        drawn = [p for p in pixels if not near(p, BACKGROUND)]
        self.assertGreater(len(drawn), len(pixels) // 8)
        # The sky pictures show on the far walls, blue over red.
        sky = [p for p in drawn if p[2] > p[0] + 40 and p[2] > 150]
        self.assertGreater(len(sky), len(pixels) // 50)

    def test_a_preview_draws_diffuse_colours_and_pictures_next_to_the_file(self):
        # Found by its last part in lower case, next to the scene file.
        shutil.copy(os.path.join(DATA, "textures/gruen.bmp"), os.path.join(self.tmp, "gruen.bmp"))
        path = self.write("tools.3ds", red_and_pictured_scene())
        png = os.path.join(self.tmp, "tools.png")
        run = tool("3ds", path, "--png", png, env=headless())
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn("nowhere.bmp not found", run.stderr)
        self.assertNotIn("GRUEN.BMP", run.stderr)
        width, height, rows = read_rgb(png)
        pixels = [p for row in rows for p in row]
        reds = [p for p in pixels if p[0] > 120 and p[1] < 60 and p[2] < 60]
        greens = [p for p in pixels if p[1] > 100 and p[0] < 60 and p[2] < 60]
        self.assertGreater(len(reds), width * height // 400)
        self.assertGreater(len(greens), width * height // 50)
        self.assertTrue(near(rows[0][0], BACKGROUND))

    def test_without_display_or_xvfb_run_the_preview_says_what_to_install(self):
        path = self.write("tools.3ds", red_and_pictured_scene())
        env = headless()
        env["PATH"] = self.tmp
        run = tool("3ds", path, "--png", os.path.join(self.tmp, "x.png"), env=env)
        self.assertEqual(run.returncode, 1)
        self.assertIn("xvfb", run.stderr)
        self.assertIn('"objects"', run.stdout)


if __name__ == "__main__":
    unittest.main()
