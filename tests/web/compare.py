"""Compares a desktop run with a browser run of the same fixed-step script: trace lines, with
the wall-clock field left out, and pictures by their per-pixel channel differences.
Depends on: the end-to-end tests' PNG reader (tests/e2e/gamerun.py)."""
import json
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from gamerun import read_png  # noqa: E402

WALL_CLOCK_FIELD = "frameWallMs"
SHOWN_CHARS = 300
RGB, RGBA = 2, 6
COLOUR_TYPE_OFFSET = 25            # the IHDR's colour byte: 8 signature + 8 chunk head + 9
# What reading a damaged or truncated PNG raises.
PICTURE_ERRORS = (OSError, ValueError, AssertionError, IndexError, struct.error, zlib.error)


class Limits:
    """A picture passes when at least min_within of its pixels differ by at most `within` in
    every channel, and the mean channel difference is at most max_mean."""

    def __init__(self, within, min_within, max_mean=255.0):
        self.within, self.min_within, self.max_mean = within, min_within, max_mean

    def describe(self):
        text = ">= %.1f %% of pixels within %d" % (100 * self.min_within, self.within)
        return text + (", mean <= %g" % self.max_mean if self.max_mean < 255 else "")


MENU_LIMITS = Limits(within=2, min_within=0.999)
STREET_LIMITS = Limits(within=8, min_within=0.99, max_mean=1.0)


def trace_lines(text):
    """The frames of a trace file's text; ValueError names a line that is not JSON."""
    frames = []
    for number, line in enumerate(text.splitlines(), 1):
        try:
            if line.strip():
                frames.append(json.loads(line))
        except ValueError as e:
            raise ValueError("line %d: %s" % (number, e))
    return frames


def trace_difference(desktop, browser):
    """None when the two lists of frames match but for the wall-clock time, else what differs
    first."""
    a, b = ([{k: v for k, v in frame.items() if k != WALL_CLOCK_FIELD} for frame in frames]
            for frames in (desktop, browser))
    for number, (da, db) in enumerate(zip(a, b), 1):
        if da != db:
            keys = sorted(k for k in set(da) | set(db) if da.get(k) != db.get(k))
            shown = "; ".join("%s: desktop %s, browser %s" % (
                k, json.dumps(da.get(k))[:SHOWN_CHARS], json.dumps(db.get(k))[:SHOWN_CHARS])
                for k in keys[:4])
            return "line %d (frame %s) differs in %s: %s" % (number, da.get("frame"), keys, shown)
    if len(a) != len(b):
        return "the desktop trace has %d lines, the browser's %d" % (len(a), len(b))
    return None


def load_rgb(path):
    """Width, height and RGB rows of a PNG file (RGB or RGBA, 8 bits)."""
    with open(path, "rb") as f:
        head = f.read(COLOUR_TYPE_OFFSET + 1)
    if len(head) <= COLOUR_TYPE_OFFSET:
        raise ValueError("%s: not a PNG (%d bytes)" % (path, len(head)))
    colour = head[COLOUR_TYPE_OFFSET]
    width, height, rows = read_png(path, RGBA if colour == RGBA else RGB)
    if colour == RGBA:
        stripped = []
        for row in rows:
            rgb = bytearray(3 * width)
            for channel in range(3):
                rgb[channel::3] = row[channel::4]
            stripped.append(bytes(rgb))
        rows = stripped
    return width, height, rows


class Difference:
    """Per-pixel figures of two equally large pictures."""

    def __init__(self, a, b):
        (wa, ha, rows_a), (wb, hb, rows_b) = a, b
        if (wa, ha) != (wb, hb):
            raise ValueError("sizes differ: %d x %d and %d x %d" % (wa, ha, wb, hb))
        self.pixels = wa * ha
        self.histogram = [0] * 256       # pixels by their largest channel difference
        total = 0
        for ra, rb in zip(rows_a, rows_b):
            if ra == rb:
                self.histogram[0] += wa
                continue
            for i in range(0, 3 * wa, 3):
                d0 = abs(ra[i] - rb[i])
                d1 = abs(ra[i + 1] - rb[i + 1])
                d2 = abs(ra[i + 2] - rb[i + 2])
                total += d0 + d1 + d2
                self.histogram[max(d0, d1, d2)] += 1
        self.mean = total / (3.0 * self.pixels)

    def within(self, limit):
        return sum(self.histogram[:limit + 1]) / float(self.pixels)

    def passes(self, limits):
        return self.within(limits.within) >= limits.min_within and self.mean <= limits.max_mean

    def figures(self):
        return "identical %7.3f %%, within 2 %7.3f %%, within 8 %7.3f %%, mean %.3f" % (
            100 * self.within(0), 100 * self.within(2), 100 * self.within(8), self.mean)

