#!/usr/bin/env python3
"""Small HTTP server for the updater's tests, bound to 127.0.0.1.

Serves the files of the folder given as the first argument. Special paths:
  /status/<code>      answers with that status and a short error page
  /stall              sends the headers and part of a body, then sends nothing more
  /stall-headers      accepts the request and never answers
  /redirect/<path>    302 to /<path>
  /log                the request log (method, path, selected headers), one request a line
Prints the chosen port on the first line of stdout, then serves until killed.
"""
import http.server
import os
import socketserver
import sys
import threading
import time

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else ".")
LOG = []
LOG_LOCK = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        pass

    def record(self):
        with LOG_LOCK:
            LOG.append("%s %s ua=%s cache=%s pragma=%s" % (
                self.command, self.path, self.headers.get("User-Agent", ""),
                self.headers.get("Cache-Control", ""), self.headers.get("Pragma", "")))

    def send_body(self, code, body, head):
        self.send_response(code)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if not head:
            self.wfile.write(body)

    def answer(self, head):
        path = self.path.split("?", 1)[0]
        if path == "/log":
            with LOG_LOCK:
                body = ("\n".join(LOG) + "\n").encode()
            return self.send_body(200, body, head)
        self.record()
        if path.startswith("/status/"):
            code = int(path[len("/status/"):])
            return self.send_body(code, b"<html><body>error page</body></html>", head)
        if path.startswith("/redirect/"):
            self.send_response(302)
            self.send_header("Location", "/" + path[len("/redirect/"):])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if path == "/stall-headers":
            time.sleep(600)
            return
        if path == "/stall":
            self.send_response(200)
            self.send_header("Content-Length", "100000")
            self.end_headers()
            self.wfile.write(b"x")
            self.wfile.flush()
            time.sleep(600)
            return
        local = os.path.normpath(os.path.join(ROOT, path.lstrip("/")))
        if not local.startswith(ROOT) or not os.path.isfile(local):
            return self.send_body(404, b"<html><body>not found</body></html>", head)
        with open(local, "rb") as f:
            body = f.read()
        self.send_body(200, body, head)

    def do_GET(self):
        self.answer(False)

    def do_HEAD(self):
        self.answer(True)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    server = Server(("127.0.0.1", 0), Handler)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
