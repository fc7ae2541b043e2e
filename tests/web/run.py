#!/usr/bin/env python3
"""The browser build against the desktop game: the same fixed-step scripts played by
build/kerbrunner under Xvfb and by the page in headless Chromium must give the same trace
(but for the wall-clock field) and the same pictures within small limits; and the top-five
table a game writes in the browser must still be there when the page is loaded again on the
same browser profile. Prints one line per check with its figures; exits 1 when any fails.

    tests/web/run.py [--web-dir build-web] [--keep DIR]

Depends on: tests/e2e/gamerun.py (the desktop runs), webpage.py (the server and the browser),
compare.py, walk.txt and whole_game.txt; build/kerbrunner and build-web/ built."""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import compare  # noqa: E402  (puts tests/e2e on the path)
import webpage  # noqa: E402
from gamerun import GAME, in_small_view, run_game  # noqa: E402

ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
WALK_STEP, WALK_NAME = 16, "webtest"
GAME_STEP, FIRST_PLAYER, SECOND_PLAYER = 1001, "first", "second"
BROWSER_PICTURES = "/run/pictures"
# The pictures compared (the game's own menu, first play frame and fist, the script's street)
# and the two frames, ten apart, that must fail the street's limits.
PICTURES = (("menu.png", compare.MENU_LIMITS), ("play-2-30.png", compare.STREET_LIMITS),
            ("street.png", compare.STREET_LIMITS), ("fist.png", compare.STREET_LIMITS))
CONTROL = ("street.png", "street-later.png")
PAGE_TIMEOUT = 240                 # a page load takes 10 to 50 s on two busy cores
WEB_FILES = ("index.html", "kerbrunner.js", "kerbrunner.wasm", "kerbrunner.data")
IMAGES = {}
OUTPUT_TAIL_LINES = 15
WEBGL_ERROR = re.compile(r"GL_INVALID_|GL_OUT_OF_MEMORY|CONTEXT_LOST")
DIFFERENCE_SHOWN = "1%"            # a difference picture marks pixels apart by more than 2.5


def script(name, pictures=""):
    """A script of this folder; a whole game is drawn into a corner of the window (no picture
    is taken), which brings its time down to the game's own."""
    with open(os.path.join(HERE, name)) as f:
        text = f.read().replace("{pictures}", pictures)
    return in_small_view(text) if name == "whole_game.txt" else text


class Results:
    def __init__(self):
        self.failed = 0

    def check(self, ok, what, detail=""):
        self.failed += not ok
        print("  %s  %s%s" % ("ok  " if ok else "FAIL", what, (": " + detail) if detail else ""),
              flush=True)
        return ok


def desktop_runs(work, out):
    """The walk and, beside it, two whole games sharing one player's table, on the desktop."""
    start = time.monotonic()
    player = {"XDG_DATA_HOME": os.path.join(work, "desktop-xdg")}
    games = threading.Thread(target=lambda: out.update(games=[
        run_game(script("whole_game.txt"), name=name, step=GAME_STEP, env_extra=player)
        for name in (FIRST_PLAYER, SECOND_PLAYER)]))
    games.start()
    pictures = os.path.join(work, "desktop-pictures")
    os.makedirs(pictures)
    try:
        out["walk"] = run_game(script("walk.txt", pictures), args=["--pictures", pictures],
                               name=WALK_NAME, step=WALK_STEP)
        out["pictures"] = pictures
        # Read while the browser still plays: the PNG reader is slow on filtered rows.
        for name in [name for name, _ in PICTURES] + list(CONTROL):
            picture(os.path.join(pictures, name))
    finally:
        games.join()
    out["seconds"] = time.monotonic() - start


def picture(path):
    """A picture's width, height and RGB rows, read once; the error when it cannot be read."""
    if path not in IMAGES:
        try:
            IMAGES[path] = compare.load_rgb(path)
        except compare.PICTURE_ERRORS as e:
            IMAGES[path] = e
    return IMAGES[path]


def save_report(report, work, run):
    """The page's trace, log and console into work, its pictures into work/RUN-pictures."""
    for kind, data in (("trace.jsonl", report.trace or b""), ("log.txt", report.log.encode()),
                       ("console.txt", report.console.encode())):
        with open(os.path.join(work, "%s.%s" % (run, kind)), "wb") as f:
            f.write(data)
    directory = os.path.join(work, run + "-pictures")
    os.makedirs(directory)
    for name, data in report.pictures.items():
        with open(os.path.join(directory, name), "wb") as f:
            f.write(data)


def outputs(desktop, browser):
    """The last lines each side wrote, for a run that did not end well."""
    tail = lambda text: "\n".join(text.splitlines()[-OUTPUT_TAIL_LINES:])
    return "--- desktop ---\n%s\n--- browser ---\n%s" % (tail(desktop.stdout + desktop.stderr),
                                                         tail(browser.log))


def browser_trace(report):
    """The frames the page sent; ValueError when a line is not a JSON object."""
    frames = compare.trace_lines((report.trace or b"").decode(errors="replace"))
    if not all(isinstance(frame, dict) for frame in frames):
        raise ValueError("a line that is not an object")
    return frames


def trace_difference(desktop_run, report):
    """None when the browser traced the desktop run's frames, else what differs."""
    try:
        return compare.trace_difference(desktop_run.trace, browser_trace(report))
    except ValueError as e:
        return "the browser's trace cannot be read: %s" % e


def browser_walk(server, work):
    url = server.add_script("walk.txt", script("walk.txt", BROWSER_PICTURES))
    walk = webpage.play_page(server, "walk", {"name": WALK_NAME, "step": WALK_STEP,
                                              "script": url, "trace": 1, "pictures": 1},
                             os.path.join(work, "profile-walk"), PAGE_TIMEOUT)
    save_report(walk, work, "walk")
    return walk


def browser_games(server, work, out):
    """The two whole games, one page load after the other on one profile."""
    try:
        url = server.add_script("whole_game.txt", script("whole_game.txt"))
        profile = os.path.join(work, "profile-table")
        out["games"] = []
        for name in (FIRST_PLAYER, SECOND_PLAYER):
            out["games"].append(webpage.play_page(
                server, "game-" + name, {"name": name, "step": GAME_STEP, "script": url,
                                         "trace": 1}, profile, PAGE_TIMEOUT))
            save_report(out["games"][-1], work, "game-" + name)
    except webpage.PageTimeout as e:
        out["timeout"] = e


def browser_runs(server, work):
    """The walk and, in a second browser beside it, the two games: the games spend most of
    their time waiting for the display's next frame."""
    out = {}
    games = threading.Thread(target=browser_games, args=(server, work, out))
    games.start()
    try:
        walk = browser_walk(server, work)
    finally:
        games.join()
    if "timeout" in out:
        raise out["timeout"]
    return walk, out["games"]


def compare_walk(results, desktop, browser, work):
    print("The walk (--fixed-step %d), desktop against browser:" % WALK_STEP)
    run = desktop["walk"]
    ok = run.returncode == 0 and browser.status == "0"
    results.check(ok, "both runs exit 0", "desktop %s, browser %s%s" % (
        run.returncode, browser.status, "" if ok else "\n" + outputs(run, browser)))
    difference = trace_difference(run, browser)
    results.check(difference is None and len(run.trace) > 0,
                  "the trace (%d lines) is the desktop's but for %s" % (
                      len(run.trace), compare.WALL_CLOCK_FIELD), difference or "")
    shown = os.path.join(work, "walk-pictures")
    for name, limits in PICTURES:
        d = picture_difference(results, name, os.path.join(desktop["pictures"], name),
                               os.path.join(shown, name))
        if d and not results.check(d.passes(limits), "%-13s %s (limits: %s)" % (
                name, d.figures(), limits.describe())):
            show_difference(os.path.join(desktop["pictures"], name), os.path.join(shown, name),
                            os.path.join(work, "difference-" + name))
    for side, folder in (("desktop", desktop["pictures"]), ("browser", shown)):
        d = picture_difference(results, "control on the " + side,
                               *(os.path.join(folder, n) for n in CONTROL))
        if d:
            results.check(not d.passes(compare.STREET_LIMITS), "control: the %s's %s against its "
                          "%s, ten frames later, fails the limits" % ((side,) + CONTROL),
                          d.figures())


def show_difference(path_a, path_b, out):
    """A picture of where two pictures differ, for a person to look at (ImageMagick)."""
    if shutil.which("compare"):
        subprocess.run(["compare", "-fuzz", DIFFERENCE_SHOWN, path_a, path_b, out],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def picture_difference(results, what, path_a, path_b):
    """The figures of two pictures, or None after a failed check saying why there are none."""
    a, b = picture(path_a), picture(path_b)
    try:
        for image in (a, b):
            if isinstance(image, Exception):
                raise image
        return compare.Difference(a, b)
    except compare.PICTURE_ERRORS as e:
        results.check(False, what, "cannot compare: %s: %s" % (type(e).__name__, e))
        return None


def check_webgl_errors(results, reports):
    """A WebGL error means a call the game made was dropped: its drawing may be missing."""
    print("The browser's console over the %d page loads:" % len(reports))
    errors = [line for report in reports for line in report.console.splitlines()
              if ":CONSOLE" in line and WEBGL_ERROR.search(line)]
    results.check(not errors, "no WebGL error on the page's console",
                  "%d, the first: %s" % (len(errors), errors[0][:300]) if errors else "")


def compare_table(results, desktop_games, browser_games):
    print("The top-five table across two page loads on one profile (--fixed-step %d):" % GAME_STEP)
    for name, d, b in zip((FIRST_PLAYER, SECOND_PLAYER), desktop_games, browser_games):
        difference = trace_difference(d, b)
        ok = d.returncode == 0 and b.status == "0"
        results.check(difference is None and ok,
                      "game of %r: the trace (%d lines) is the desktop's, exit %s and %s" % (
                          name, len(d.trace), d.returncode, b.status),
                      (difference or "") + ("" if ok else "\n" + outputs(d, b)))
    try:
        last = browser_trace(browser_games[1])
    except ValueError:
        last = []
    table = (last[-1].get("highscores") if last else None) or []
    names = [str(record)[:7].split("\0")[0] for record in table]
    results.check(names[:2] == [FIRST_PLAYER, SECOND_PLAYER],
                  "the second load ranks its score below the first load's",
                  "its table's names: %s" % names)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--web-dir", default=os.path.join(ROOT, "build-web"))
    parser.add_argument("--keep", help="keep every run's files in this directory")
    args = parser.parse_args()
    missing = [f for f in WEB_FILES if not os.path.isfile(os.path.join(args.web_dir, f))]
    if missing or not os.access(GAME, os.X_OK):
        print("The browser test needs %s and %s (missing: %s): run scripts/build.sh and "
              "scripts/build-web.sh" % (GAME, args.web_dir, ", ".join(missing) or GAME))
        return 1
    start = time.monotonic()
    work = args.keep or tempfile.mkdtemp(prefix="kerb-web-")
    os.makedirs(work, exist_ok=True)
    results = Results()
    # The desktop plays beside the browser: both runs are fixed-step, so neither is disturbed.
    desktop = {}
    worker = threading.Thread(target=desktop_runs, args=(work, desktop))
    worker.start()
    server = webpage.PageServer(args.web_dir)
    try:
        walk, games = browser_runs(server, work)
    except webpage.PageTimeout as e:
        worker.join()
        print("FAIL  " + str(e))
        print("Runs kept in " + work)
        return 1
    finally:
        server.shutdown()
    worker.join()
    if "walk" not in desktop or "games" not in desktop:
        print("FAIL  the desktop runs did not finish (see above)")
        return 1
    compared = time.monotonic()
    compare_walk(results, desktop, walk, work)
    compare_table(results, desktop["games"], games)
    check_webgl_errors(results, [walk] + games)
    end = time.monotonic()
    print("Browser test: %s, %d check%s failed, in %.1f s: page loads %.1f, %.1f and %.1f s; "
          "the desktop's runs beside them %.1f s; comparing %.1f s" % (
              "FAILED" if results.failed else "passed", results.failed,
              "" if results.failed == 1 else "s", end - start, walk.seconds, games[0].seconds,
              games[1].seconds, desktop["seconds"], end - compared))
    if results.failed:
        print("Runs kept in " + work)
    elif not args.keep:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if results.failed else 0


if __name__ == "__main__":
    sys.exit(main())
