#!/usr/bin/env python3
"""Frame times of the browser version in headless Chromium (WebGL on SwiftShader) against the
desktop game under Xvfb (llvmpipe), one after the other in one run: the same fixed-step walk
down the street at 1024 x 768 with every passer-by drawn, no picture taken. The browser's
frame rate cap is lifted so that its frames take what they cost. Not a test: it measures and
prints each side's mean frameWallMs over the walk (its total time over its frames: the
browser's GPU process works behind the page, so single frames there may take 5 ms or several
seconds while it catches up), with the median and 95th percentile beside it.

    bench/web_frames.py [FRAMES]     (after scripts/build.sh and scripts/build-web.sh)"""
import os
import statistics
import sys
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
os.environ.setdefault("KERB_CHROMIUM_FLAGS", "--disable-frame-rate-limit --disable-gpu-vsync")
import compare  # noqa: E402  (puts tests/e2e on the path)
import webpage  # noqa: E402
from gamerun import run_game  # noqa: E402

STEP = 16
SETTLE = 30          # frames after the start that are not counted (the first upload, shaders)
PAGE_TIMEOUT = 600


def walk_script(frames):
    """Enter on the menu, then walk forward, turning a little now and then."""
    last = SETTLE + frames
    lines = ["2 keydown enter", "4 keydown w"]
    lines += ["%d motion %d 384" % (f, 512 + (40 if f % 200 < 100 else -40))
              for f in range(50, last, 50)]
    lines += ["%d keyup w" % last, "%d quit" % (last + 2)]
    return "\n".join(lines) + "\n"


def summary(label, trace):
    times = sorted(float(frame["frameWallMs"]) for frame in trace[SETTLE:])
    if not times:
        return "%-8s no frames traced" % label, None
    p95 = times[min(len(times) - 1, int(0.95 * len(times)))]
    mean = statistics.fmean(times)
    return ("%-8s %5d frames  mean %7.2f ms  median %7.2f ms  p95 %8.2f ms"
            % (label, len(times), mean, statistics.median(times), p95)), mean


def main():
    frames = int(sys.argv[1]) if len(sys.argv) > 1 else 600
    text = walk_script(frames)
    desktop = run_game(text, name="bench", step=STEP)
    if desktop.returncode != 0:
        sys.exit("the desktop game failed:\n" + desktop.stderr)
    server = webpage.PageServer(os.path.join(ROOT, "build-web"))
    try:
        url = server.add_script("walk.txt", text)
        with tempfile.TemporaryDirectory() as profile:
            report = webpage.play_page(server, "bench", {"name": "bench", "step": STEP,
                                                         "script": url, "trace": 1},
                                       profile, PAGE_TIMEOUT)
    finally:
        server.shutdown()
    if report.status != "0":
        sys.exit("the page's game failed:\n" + report.log)
    page = compare.trace_lines((report.trace or b"").decode(errors="replace"))
    line, desktop_mean = summary("desktop", desktop.trace)
    print(line)
    line, page_mean = summary("browser", page)
    print(line)
    if desktop_mean and page_mean:
        print("browser / desktop, mean frame time: %.2f" % (page_mean / desktop_mean))


if __name__ == "__main__":
    main()
