"""Plays the browser build in headless Chromium and collects what its page reports.

A local HTTP server on 127.0.0.1 (a port of its own) serves the page's static files
(build-web/: index.html, kerbrunner.js, kerbrunner.wasm, kerbrunner.data), the scripts a test
hands it, and takes the page's reports: with `?report=URL` the page POSTs, once the program
has exited, its trace to URL/trace, each picture to URL/pictures/NAME, the program's output to
URL/log and its exit status to URL/done. The browser is then closed through its DevTools pipe.
Depends on: python3's standard library and /usr/bin/chromium-headless-shell (WebGL through
SwiftShader)."""
import http.server
import os
import re
import signal
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

CHROMIUM = os.environ.get("KERB_CHROMIUM", "/usr/bin/chromium-headless-shell")
# More switches for the browser, space-separated (the frame benchmark lifts the frame rate cap).
EXTRA_FLAGS = os.environ.get("KERB_CHROMIUM_FLAGS", "").split()
WINDOW = "1024,768"
MAX_REPORT_BYTES = 128 << 20       # a game on the wall clock traces some 60 MB
MAX_STATIC_BYTES = 256 << 20
BROWSER_STOP_SECONDS = 10          # for a profile's storage to reach the disk
LOG_TAIL_CHARS = 6000
BROWSER_TAIL_LINES = 10
# What the headless browser says about devices a container lacks.
NOISE = re.compile(r"dbus|bluez|vaapi|sandbox_linux")
CONTENT_TYPES = {".html": "text/html; charset=utf-8", ".js": "text/javascript",
                 ".wasm": "application/wasm", ".data": "application/octet-stream",
                 ".txt": "text/plain; charset=utf-8", ".json": "application/json"}
SAFE_NAME = re.compile(r"^[A-Za-z0-9][A-Za-z0-9._-]{0,99}$")


class PageReport:
    """What one page load sent back."""

    def __init__(self):
        self.trace = None
        self.pictures = {}
        self.log = ""
        self.status = None
        self.done = threading.Event()
        self.console = ""              # the browser's own output
        self.seconds = 0.0             # from the browser's start to the report


class PageServer(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, web_dir):
        super().__init__(("127.0.0.1", 0), _Handler)
        self.web_dir = os.path.abspath(web_dir)
        self.scripts = {}
        self.reports = {}
        self.lock = threading.Lock()
        threading.Thread(target=self.serve_forever, daemon=True).start()

    @property
    def origin(self):
        return "http://127.0.0.1:%d" % self.server_address[1]

    def add_script(self, name, text):
        assert SAFE_NAME.match(name), name
        self.scripts[name] = text.encode()
        return "/scripts/" + name

    def handle_error(self, request, client_address):
        # A browser closed in the middle of an answer is no fault of the page's.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)

    def new_report(self, run):
        assert SAFE_NAME.match(run), run
        with self.lock:
            self.reports[run] = PageReport()
            return self.reports[run]


class _Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def _answer(self, code, body=b"", kind="text/plain"):
        self.send_response(code)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def do_GET(self):
        path = urllib.parse.urlsplit(self.path).path
        if path.startswith("/scripts/"):
            text = self.server.scripts.get(path[len("/scripts/"):])
            return self._answer(200, text, CONTENT_TYPES[".txt"]) if text is not None \
                else self._answer(404)
        name = "index.html" if path == "/" else path.lstrip("/")
        file = os.path.join(self.server.web_dir, name)
        if not SAFE_NAME.match(name) or not os.path.isfile(file) or \
                os.path.getsize(file) > MAX_STATIC_BYTES:
            return self._answer(404)
        with open(file, "rb") as f:
            body = f.read(MAX_STATIC_BYTES)
        self._answer(200, body, CONTENT_TYPES.get(os.path.splitext(name)[1],
                                                  "application/octet-stream"))

    do_HEAD = do_GET

    def do_POST(self):
        parts = [urllib.parse.unquote(part)
                 for part in urllib.parse.urlsplit(self.path).path.strip("/").split("/")]
        try:
            length = int(self.headers.get("Content-Length") or -1)
        except ValueError:
            length = -1
        with self.server.lock:
            report = self.server.reports.get(parts[1]) if len(parts) >= 3 else None
        if report is None or parts[0] != "report" or not 0 <= length <= MAX_REPORT_BYTES:
            return self._answer(400, b"unknown report or bad length")
        body = self.rfile.read(length)
        kind = parts[2:]
        if kind == ["trace"]:
            report.trace = body
        elif len(kind) == 2 and kind[0] == "pictures" and SAFE_NAME.match(kind[1]):
            report.pictures[kind[1]] = body
        elif kind == ["log"]:
            report.log = body.decode(errors="replace")
        elif kind == ["done"]:
            report.status = body.decode(errors="replace").strip()
            report.done.set()
        else:
            return self._answer(400, b"unknown report")
        self._answer(200)


class PageTimeout(Exception):
    pass


def browser_command(url, profile, commands, answers):
    """The browser on the page, with its DevTools pipe (file descriptors 3 and 4, which bash
    sets from the two pipe ends given) for closing it as a person would."""
    cmd = [CHROMIUM, "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "--headless",
           "--window-size=" + WINDOW, "--user-data-dir=" + profile, "--remote-debugging-pipe",
           "--enable-logging=stderr", "--v=0"]
    if os.geteuid() == 0:
        cmd.append("--no-sandbox")
    cmd += EXTRA_FLAGS
    return ["/bin/bash", "-c", 'exec "$0" "$@" 3<&%d 4>&%d' % (commands, answers)] + cmd + [url]


class Browser:
    """Headless Chromium on one page and one profile directory."""

    def __init__(self, url, profile, console):
        command_read, self.commands = os.pipe()
        self.answers, answer_write = os.pipe()
        try:
            self.proc = subprocess.Popen(
                browser_command(url, profile, command_read, answer_write),
                stdin=subprocess.DEVNULL, stdout=console, stderr=subprocess.STDOUT,
                pass_fds=(command_read, answer_write), start_new_session=True)
        finally:
            os.close(command_read)
            os.close(answer_write)

    def close(self):
        """Browser.close through the DevTools pipe: a normal shutdown, which writes the
        profile's storage out (a SIGTERM may not); then SIGKILL for the browser and any of its
        processes left in its group."""
        try:
            os.write(self.commands, b'{"id": 1, "method": "Browser.close"}\0')
            self.proc.wait(BROWSER_STOP_SECONDS)
        except (OSError, subprocess.TimeoutExpired):
            pass
        try:
            os.killpg(self.proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.proc.wait()
        os.close(self.commands)
        os.close(self.answers)


def play_page(server, run, options, profile, timeout):
    """Loads the page with the address options (name, step, script, trace, pictures...) in a
    browser on the given profile directory, waits for its report and stops the browser.
    Raises PageTimeout with the page's and the browser's output when no report comes."""
    report = server.new_report(run)
    query = dict(options, report=server.origin + "/report/" + run)
    url = server.origin + "/index.html?" + urllib.parse.urlencode(query)
    with tempfile.TemporaryFile() as console:
        browser = Browser(url, profile, console)
        start = time.monotonic()
        try:
            finished = report.done.wait(timeout)
        finally:
            browser.close()
        report.seconds = time.monotonic() - start
        console.seek(0)
        report.console = console.read().decode(errors="replace")
    if not finished:
        raise PageTimeout("the page %s sent no /done within %d s\n--- the page's log ---\n%s\n"
                          "--- the page's console and the browser's last lines ---\n%s"
                          % (url, timeout, report.log or "(none sent)",
                             page_console(report.console)))
    return report


def page_console(text):
    """The page's console messages and the browser's last lines, without its device noise."""
    lines = text.splitlines()
    page = [line for line in lines if ":CONSOLE" in line]
    rest = [line for line in lines if ":CONSOLE" not in line and not NOISE.search(line)]
    return "\n".join(page + rest[-BROWSER_TAIL_LINES:])[-LOG_TAIL_CHARS:]
