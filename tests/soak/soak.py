"""A long game of seeded random input under Xvfb, and the checks every frame of it must pass.

    python3 tests/soak/soak.py [--seed N] [--frames N] [--step MS] [--resize] [--keep DIR]

writes a script of random keys, pointer motion (extreme values included) and clicks, with Enter
only at the start and Escape only at the end, plays it with --fixed-step, and checks every
line of its trace. tests/e2e/test_soak.py runs it briefly in ./check;
tests/soak/run_long.sh runs it as long as you like.
"""
import argparse
import json
import math
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from gamerun import DATA, GAME, keep_run, make_data_dir  # noqa: E402

# The eye's play area (player/camera.h) and its height: it walks on the ground plane.
PLAY_AREA_X = (-18.0, 18.0)
PLAY_AREA_Z = (-220.0, -38.0)
EYE_HEIGHT = (0.0, 10.0)
# The passers-by's walking box (characters/character_step.h).
WALK_BOX_X = (-18.0, 11.0)
WALK_BOX_Z = (-220.0, -38.0)
# Steps per frame, in roster order (kind table: instances, speed). A step that leaves the box
# is undone and one more taken backwards, so a character ends one step behind where it
# started: when it started within a step of another border it is outside that border by at
# most its own speed, and the next frame (turned about) brings it back.
KIND_SPEEDS = [(4, 0.028), (4, 0.02), (4, 0.05), (4, 0.08), (4, 0.04), (1, 0.3), (4, 0.08),
               (4, 0.08), (4, 0.2), (4, 0.2), (4, 0.2), (4, 0.09), (4, 0.09)]
CHARACTER_SPEEDS = [speed for count, speed in KIND_SPEEDS for _ in range(count)]
FLOAT_SLACK = 1e-4
SCORE_RANGE = (0, 999)

KEYS = "wasd"
INT_MIN, INT_MAX = -2 ** 31, 2 ** 31 - 1
EXTREME_VALUES = [INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX, -100000, 100000]
# Window sizes a resize run picks from, zero heights and widths included (llvmpipe's time goes
# with the area drawn: the big ones are rare).
RESIZES = [(0, 0), (640, 0), (0, 480), (1, 1), (320, 200), (64, 48), (2, 300), (300, 2),
           (0, 1), (1, 0)]
BIG_RESIZES = [(1024, 768), (1920, 1080)]
# The soak draws into a small corner of the window: llvmpipe's time goes with the area drawn,
# and the soak is about the game's state over many frames, not about pixels.
SMALL_VIEW = (32, 24)


def make_script(seed, frames, resize=False, small_view=True):
    """Enter at frame 2; from frame 3 to frames, random play; Escape at frames + 1."""
    rng = random.Random(seed)
    lines = ["# soak, seed %d" % seed, "2 keydown enter"]
    if small_view:
        lines.append("1 reshape %d %d" % SMALL_VIEW)
    held = set()
    for frame in range(3, frames + 1):
        for _ in range(rng.choice((0, 0, 1, 1, 2, 3))):
            kind = rng.random()
            if kind < 0.3:
                key = rng.choice(KEYS)
                lines.append("%d %s %s" % (frame, "keyup" if key in held else "keydown", key))
                held.symmetric_difference_update(key)
            elif kind < 0.75:
                # Mostly near the window's centre, now and then anywhere an int reaches.
                if rng.random() < 0.05:
                    x, y = rng.choice(EXTREME_VALUES), rng.choice(EXTREME_VALUES)
                else:
                    x, y = 512 + rng.randint(-300, 300), 384 + rng.randint(-200, 200)
                lines.append("%d motion %d %d" % (frame, x, y))
            elif kind < 0.95:
                button = rng.choice(("left", "left", "left", "right", "middle"))
                lines.append("%d mousedown %s" % (frame, button))
                lines.append("%d mouseup %s" % (frame, button))
            elif resize:
                size = rng.choice(BIG_RESIZES if rng.random() < 0.02 else RESIZES)
                lines.append("%d reshape %d %d" % ((frame,) + size))
    lines.append("%d keydown escape" % (frames + 1))
    return "\n".join(lines) + "\n"


def box_excess(value, low, high):
    return max(low - value, value - high, 0.0)


def check_line(line, problems, stats=None):
    """Appends what is wrong with one trace line to problems; notes extremes in stats."""
    frame = line["frame"]

    def bad(text):
        if len(problems) < 20:
            problems.append("frame %d: %s" % (frame, text))

    eye, view = line["position"], line["view"]
    if None in eye or None in view or not all(math.isfinite(v) for v in eye + view):
        bad("camera not finite: %s %s" % (eye, view))
        return line["score"]
    if line["menuMode"]:
        return line["score"]
    x, y, z = eye
    if not (PLAY_AREA_X[0] <= x <= PLAY_AREA_X[1] and PLAY_AREA_Z[0] <= z <= PLAY_AREA_Z[1]):
        bad("eye outside the play area: %s" % eye)
    if not (EYE_HEIGHT[0] < y < EYE_HEIGHT[1]):
        bad("eye height %s" % y)
    for i, c in enumerate(line["characters"]):
        cx, _, cz = c["position"]
        slack = CHARACTER_SPEEDS[i] + FLOAT_SLACK
        if stats is not None:
            excess = max(box_excess(cx, *WALK_BOX_X), box_excess(cz, *WALK_BOX_Z))
            stats["outside"] = max(stats.get("outside", 0.0), excess / CHARACTER_SPEEDS[i])
        if not (WALK_BOX_X[0] - slack <= cx <= WALK_BOX_X[1] + slack and
                WALK_BOX_Z[0] - slack <= cz <= WALK_BOX_Z[1] + slack):
            bad("passer-by %d outside its walking box by more than its step: %s"
                % (i, c["position"]))
    if not (SCORE_RANGE[0] <= line["score"] <= SCORE_RANGE[1]):
        bad("score %s" % line["score"])
    if stats is not None:
        stats["score"] = line["score"]
        stats["gameOver"] = line["gameOver"]
        stats["bumps"] = stats.get("bumps", 0) + line["sounds"].count("audio/rempl.wav")
        stats["flyers"] = stats.get("flyers", 0) + line["sounds"].count("audio/powerup.wav")
    return line["score"]


class SoakResult:
    def __init__(self, code, checked, played, problems, seconds, err, stats):
        self.code, self.checked, self.played, self.problems = code, checked, played, problems
        self.seconds, self.err, self.stats = seconds, err, stats

    def summary(self):
        s = self.stats
        return ("%d frames checked (%d of play) in %.1f s, exit %d; game over %s, score %s, "
                "%d bumps, %d flyers, passers-by at most %.2f of a step outside their box"
                % (self.checked, self.played, self.seconds, self.code, s.get("gameOver"),
                   s.get("score"), s.get("bumps", 0), s.get("flyers", 0), s.get("outside", 0)))


def run_soak(seed, frames, step, resize=False, game=GAME, keep=None, timeout=None,
             extra_env=None):
    """Plays the script and checks its whole trace."""
    parent = tempfile.mkdtemp(prefix="kerb-soak-")
    try:
        work = make_data_dir(parent)
        table = os.path.join(work, "highscore.txt")
        if os.path.lexists(table):
            os.unlink(table)
        script = os.path.join(parent, "soak.txt")
        with open(script, "w") as f:
            f.write(make_script(seed, frames, resize))
        trace = os.path.join(parent, "soak.jsonl")
        cmd = ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", os.path.abspath(game),
               "--windowed", "--data", work, "--name", "soak", "--fixed-step", str(step),
               "--script", script, "--trace", trace]
        env = dict(os.environ, SDL_AUDIODRIVER="dummy", XDG_DATA_HOME=os.path.join(parent, "xdg"),
                   HOME=parent)
        env.update(extra_env or {})
        started = time.monotonic()
        err_path = os.path.join(parent, "stderr.txt")
        with open(err_path, "wb") as err:
            code = subprocess.run(cmd, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                  stderr=err, env=env, cwd=parent, timeout=timeout).returncode
        played_seconds = time.monotonic() - started
        keep_run(script, trace)
        # Read line by line: a long soak's trace is far larger than what is worth holding.
        problems, checked, played, last_frame, stats = [], 0, 0, 0, {}
        with open(trace) as lines:
            for text in lines:
                line = json.loads(text)
                if line["frame"] != last_frame + 1:
                    problems.append("frame %d follows %d" % (line["frame"], last_frame))
                last_frame = line["frame"]
                check_line(line, problems, stats)
                checked += 1
                played += 0 if line["menuMode"] else 1
        seconds = played_seconds
        with open(err_path, "rb") as f:
            err_tail = f.read()[-3000:].decode(errors="replace")
        if keep:
            os.makedirs(keep, exist_ok=True)
            shutil.copy(script, keep)
            shutil.copy(err_path, keep)
        return SoakResult(code, checked, played, problems, seconds, err_tail, stats)
    finally:
        shutil.rmtree(parent, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--frames", type=int, default=21000)
    parser.add_argument("--step", type=float, default=7)
    parser.add_argument("--resize", action="store_true")
    parser.add_argument("--game", default=GAME)
    parser.add_argument("--keep", help="directory to keep the script and stderr in")
    args = parser.parse_args()
    result = run_soak(args.seed, args.frames, args.step, args.resize, args.game, args.keep)
    print("seed %d: %s" % (args.seed, result.summary()))
    for p in result.problems:
        print("  " + p)
    if result.code != 0:
        print(result.err)
    ok = result.code == 0 and not result.problems and result.checked == args.frames
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
