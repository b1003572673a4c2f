#!/usr/bin/python3
"""A fake update server for the tests.

Bound to 127.0.0.1 on a port the system picks; writes "PORT PID" to the port file once it listens
and removes the file when it stops (SIGTERM, or the lifetime running out). Answers
/update/check and /update/report as told on the command line and appends every request line
with its headers, then a blank line, to the log file before it answers.
"""
import argparse
import hashlib
import http.server
import os
import signal
import sys
import threading


def reply(code):
    return (code + hashlib.md5(code.encode("ascii")).hexdigest().upper()).encode("ascii")


# Each answer: status, body (or None to drop the connection without a reply).
ANSWERS = {
    "newer": (200, reply("[1001]")),
    "same": (200, reply("[1000]")),
    "lower": (200, reply("[0999]")),
    "crlf": (200, reply("[1001]") + b"\r\n"),
    "lowercase": (200, b"[1001]" + reply("[1001]")[6:].lower()),
    "empty": (200, b""),
    "notfound": (404, reply("[1001]")),
    "error": (500, reply("[1001]")),
    "redirect": (302, b""),
    "long": (200, reply("[1001]") + b" " * 219),
    "drop": (None, None),
    "ok": (200, b"OK"),
    "okpage": (200, b"<html>" + b"thanks " * 100 + b"</html>"),
    "created": (201, b"created"),
    "nocontent": (204, b""),
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--check", choices=ANSWERS, required=True)
    parser.add_argument("--report", choices=ANSWERS, default="ok")
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--log-file", required=True)
    parser.add_argument("--lifetime", type=float, default=300)
    args = parser.parse_args()

    # The test runner may read this process's output through a pipe: let go of it.
    quiet = os.open(os.devnull, os.O_RDWR)
    for fd in (0, 1, 2):
        os.dup2(quiet, fd)

    log_lock = threading.Lock()
    log = open(args.log_file, "ab", buffering=0)

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            with log_lock:
                log.write(self.requestline.encode("latin-1") + b"\n" + bytes(self.headers).rstrip(b"\r\n").replace(b"\r\n", b"\n") + b"\n\n")
            path = self.path.split("?", 1)[0]
            answer = {"/update/check": args.check, "/update/report": args.report,
                      "/update/redirected": "newer"}.get(path)
            if answer is None:
                self.send_error(404)
                return
            status, body = ANSWERS[answer]
            if status is None:
                self.close_connection = True
                return
            self.send_response(status)
            if status == 302:
                self.send_header("Location", "/update/redirected" + self.path[len(path):])
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *_):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)

    def stop(*_):
        try:
            os.remove(args.port_file)
        finally:
            os._exit(0)

    signal.signal(signal.SIGTERM, stop)
    threading.Timer(args.lifetime, stop).start()
    temporary = args.port_file + ".new"
    with open(temporary, "w") as f:
        f.write("%d %d\n" % (server.server_address[1], os.getpid()))
    os.replace(temporary, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
