"""Runs the real game under its own Xvfb with a script and reads back its trace; reads the
PNG pictures the tests look at."""
import inspect
import json
import os
import shutil
import struct
import subprocess
import tempfile
import zlib

GAME = os.environ.get("KERB_GAME", os.path.join(os.path.dirname(__file__), "../../build/kerbrunner"))
DATA = os.environ.get("KERB_DATA_DIR", os.path.join(os.path.dirname(__file__), "../../build/data"))
SCREEN = "-screen 0 1024x768x24"
FULL_VIEW = (1024, 768)
# llvmpipe's time goes with the area drawn: a run whose pixels no test looks at draws into this
# corner of the window, of the window's shape, so that the view (and what it culls) is the same.
SMALL_VIEW = (32, 24)
SETTLE_FRAMES = 100


class GameRun:
    def __init__(self, returncode, stdout, stderr, trace, workdir):
        self.returncode = returncode
        self.stdout = stdout
        self.stderr = stderr
        self.trace = trace
        self.workdir = workdir

    def frame(self, number):
        """The trace line written at the end of displayed frame `number`."""
        for line in self.trace:
            if line["frame"] == number:
                return line
        raise KeyError("frame %d is not in the trace (last: %s)" %
                       (number, self.trace[-1]["frame"] if self.trace else None))


KEPT = {}


def keep_run(script_path, trace_path, pictures_dir=None):
    """With KERB_KEEP_RUNS=DIR, keeps a fixed-step run's script (screenshots named by their
    file names), trace and pictures in DIR/<test>-<n>/, where bench/same_game --suite compares
    them between two builds."""
    if not os.environ.get("KERB_KEEP_RUNS"):
        return
    caller = next((f for f in inspect.stack() if f.function.startswith(("test", "setUp"))), None)
    test = "run"
    if caller:
        owner = caller.frame.f_locals.get("self", caller.frame.f_locals.get("cls"))
        owner = owner if isinstance(owner, type) else type(owner)
        test = "%s.%s.%s" % (os.path.basename(caller.filename)[:-3], owner.__name__,
                             caller.function)
    KEPT[test] = KEPT.get(test, 0) + 1
    keep = os.path.join(os.environ["KERB_KEEP_RUNS"], "%s-%d" % (test, KEPT[test]))
    os.makedirs(keep)
    shots = []
    if pictures_dir and os.path.isdir(pictures_dir):
        shots = [os.path.join(pictures_dir, name) for name in os.listdir(pictures_dir)]
    with open(script_path if os.path.exists(script_path) else os.devnull, errors="replace") as f, \
            open(os.path.join(keep, "script.txt"), "w") as out:
        for line in f:
            words = line.split(None, 2)
            if len(words) == 3 and words[1] == "screenshot":
                shots.append(words[2].strip())
                line = "%s screenshot %s\n" % (words[0], os.path.basename(words[2].strip()))
            out.write(line)
    if os.path.exists(trace_path):
        shutil.copy(trace_path, os.path.join(keep, "trace.jsonl"))
    for shot in shots:
        if os.path.isfile(shot):
            shutil.copy(shot, keep)


def make_data_dir(parent):
    """A private working directory that sees the generated data, so a run's files stay apart.
    A top-five table left in the build's data directory is not carried over."""
    work = os.path.join(parent, "data")
    os.mkdir(work)
    for entry in os.listdir(DATA):
        if not entry.startswith(".") and not entry.startswith("highscore"):
            os.symlink(os.path.abspath(os.path.join(DATA, entry)), os.path.join(work, entry))
    return work


def in_small_view(script):
    """The script with the game drawing into SMALL_VIEW from frame 1, but for the frames that
    take a screenshot, which have the whole window; a pointer motion lands as far from the
    centre of the view it meets as it would from the whole window's. A turn puts the pointer
    back at the centre, which the window reports as a motion some time later: that motion must
    meet a view of the same size, so the size changes only SETTLE_FRAMES after a motion."""
    lines = [(line, line.split()) for line in script.splitlines()
             if line.strip() and not line.lstrip().startswith("#")]
    motions = [int(w[0]) for _, w in lines if w[1] == "motion"]
    full = set()
    for shot in {int(w[0]) for _, w in lines if w[1] == "screenshot"}:
        start = end = shot
        while any(start - SETTLE_FRAMES <= m < start for m in motions):
            start = min(m for m in motions if start - SETTLE_FRAMES <= m < start)
        while any(end - SETTLE_FRAMES < m <= end for m in motions):
            end = max(m for m in motions if end - SETTLE_FRAMES < m <= end) + SETTLE_FRAMES
        full.update(range(max(start, 1), end + 1))
    size = lambda frame: FULL_VIEW if frame in full else SMALL_VIEW
    changes = {1} | {f for f in full if f - 1 not in full} | {f + 1 for f in full} - full
    out = [(f, "%d reshape %d %d" % ((f,) + size(f))) for f in changes if f > 1 or f not in full]
    for line, w in lines:
        frame = int(w[0])
        if w[1] == "motion":
            x, y = (int(v) + (small - whole) // 2
                    for v, small, whole in zip(w[2:], size(frame), FULL_VIEW))
            line = "%d motion %d %d" % (frame, x, y)
        out.append((frame, line))
    # The game keeps the order of one frame's lines: the reshapes come first.
    return "".join(line + "\n" for _, line in sorted(out, key=lambda e: e[0]))


def run_game(script, args=(), name="tester", step=20, stdin=None, use_xvfb=True, timeout=180,
             env_extra=None, small=False):
    """Plays script; small draws the frames without a screenshot into SMALL_VIEW."""
    parent = tempfile.mkdtemp(prefix="kerb-e2e-")
    try:
        work = make_data_dir(parent)
        script_path = os.path.join(parent, "script.txt")
        trace_path = os.path.join(parent, "trace.jsonl")
        with open(script_path, "w") as f:
            f.write(in_small_view(script) if small else script)
        cmd = [os.path.abspath(GAME), "--windowed", "--data", work, "--script", script_path,
               "--trace", trace_path]
        if step:
            cmd += ["--fixed-step", str(step)]
        if name is not None:
            cmd += ["--name", name]
        cmd += list(args)
        if use_xvfb:
            cmd = ["xvfb-run", "-a", "-s", SCREEN] + cmd
        # The player's table goes below XDG_DATA_HOME: a run of its own, unless a test shares
        # one between runs, so that no test ever touches the real home directory's table.
        env = dict(os.environ, SDL_AUDIODRIVER="dummy", XDG_DATA_HOME=os.path.join(parent, "xdg"))
        if env_extra:
            env.update(env_extra)
        proc = subprocess.run(cmd, input=stdin, stdin=None if stdin is not None else subprocess.DEVNULL,
                              capture_output=True, timeout=timeout, env=env, cwd=parent)
        if step:
            keep_run(script_path, trace_path)
        trace = []
        if os.path.exists(trace_path):
            with open(trace_path) as f:
                trace = [json.loads(line) for line in f if line.strip()]
        return GameRun(proc.returncode, proc.stdout.decode(errors="replace"),
                       proc.stderr.decode(errors="replace"), trace, parent)
    finally:
        shutil.rmtree(parent, ignore_errors=True)


def read_png(path, colour=2):
    """Width, height and rows (bytes) of an 8-bit, non-interlaced PNG of the given colour type:
    2 (RGB: the game's screenshots, the scene previews) or 6 (RGBA: the icons)."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, kind_of_colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert (depth, kind_of_colour, interlace) == (8, colour, 0), path
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, bpp = zlib.decompress(idat), 3 if colour == 2 else 4
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride) if kind else ():
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        prev = line
    return width, height, rows
