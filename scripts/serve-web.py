#!/usr/bin/env python3
"""Serves the browser version of Kerb Runner (build-web/) on this machine only.

scripts/serve-web.py [DIR] [--port N] serves DIR (default: build-web/ beside this script's
directory) at http://127.0.0.1:PORT/ on a free port (or N), with .wasm files as
application/wasm as browsers require, prints the address to open and runs until Ctrl-C.
"""
import argparse
import functools
import http.server
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
HOST = "127.0.0.1"
TYPES = {".wasm": "application/wasm", ".data": "application/octet-stream",
         ".js": "text/javascript", ".html": "text/html"}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES)

    def end_headers(self):
        # A rebuilt game is picked up by a reload.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        pass  # one line per file would bury the address


def main():
    parser = argparse.ArgumentParser(description="Serve the browser version of Kerb Runner.")
    parser.add_argument("directory", nargs="?", default=os.path.join(ROOT, "build-web"))
    parser.add_argument("--port", type=int, default=0, help="port (default: a free one)")
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.directory, "index.html")):
        sys.exit("serve-web: no index.html in %s (build it with scripts/build-web.sh)"
                 % args.directory)
    handler = functools.partial(Handler, directory=args.directory)
    try:
        server = http.server.ThreadingHTTPServer((HOST, args.port), handler)
    except OSError as error:
        sys.exit("serve-web: cannot listen on %s:%d: %s" % (HOST, args.port, error.strerror))
    print("Kerb Runner is at http://%s:%d/ - open it in a browser; Ctrl-C stops the server."
          % (HOST, server.server_address[1]), flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        print("\nStopped.")
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
