"""Runs the real game under its own Xvfb with a script and reads back its trace."""
import json
import os
import shutil
import subprocess
import tempfile

GAME = os.environ.get("KERB_GAME", os.path.join(os.path.dirname(__file__), "../../build/kerbrunner"))
DATA = os.environ.get("KERB_DATA_DIR", os.path.join(os.path.dirname(__file__), "../../build/data"))
SCREEN = "-screen 0 1024x768x24"


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


def make_data_dir(parent):
    """A private working directory that sees the generated data, so a run's files stay apart.
    A top-five table left in the build's data directory is not carried over."""
    work = os.path.join(parent, "data")
    os.mkdir(work)
    for entry in os.listdir(DATA):
        if not entry.startswith(".") and not entry.startswith("highscore"):
            os.symlink(os.path.abspath(os.path.join(DATA, entry)), os.path.join(work, entry))
    return work


def run_game(script, args=(), name="tester", step=20, stdin=None, use_xvfb=True, timeout=180,
             env_extra=None):
    parent = tempfile.mkdtemp(prefix="kerb-e2e-")
    try:
        work = make_data_dir(parent)
        script_path = os.path.join(parent, "script.txt")
        trace_path = os.path.join(parent, "trace.jsonl")
        with open(script_path, "w") as f:
            f.write(script)
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
        trace = []
        if os.path.exists(trace_path):
            with open(trace_path) as f:
                trace = [json.loads(line) for line in f if line.strip()]
        return GameRun(proc.returncode, proc.stdout.decode(errors="replace"),
                       proc.stderr.decode(errors="replace"), trace, parent)
    finally:
        shutil.rmtree(parent, ignore_errors=True)
