"""Shared plumbing of the local stand-ins: knobs, request logs, threaded servers."""
import json
import os
import threading
import time
from http.server import ThreadingHTTPServer


class Place:
    """The stand-ins' folder: control/ holds knobs, log/ one JSON line per request."""

    def __init__(self, root):
        self.root = os.path.abspath(root)
        self.control = os.path.join(self.root, "control")
        self.log_dir = os.path.join(self.root, "log")
        os.makedirs(self.control, exist_ok=True)
        os.makedirs(self.log_dir, exist_ok=True)
        self._lock = threading.Lock()

    def knob(self, name, default=None):
        try:
            with open(os.path.join(self.control, name), encoding="utf-8") as f:
                return f.read().strip()
        except OSError:
            return default

    def log(self, service, record):
        record = dict(record, time=time.time())
        with self._lock, open(os.path.join(self.log_dir, service + ".jsonl"), "a",
                              encoding="utf-8") as f:
            f.write(json.dumps(record, ensure_ascii=False) + "\n")


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, address, handler, place):
        self.place = place
        super().__init__(address, handler)


def read_body(handler):
    """The request body, with or without chunked transfer encoding."""
    if handler.headers.get("Transfer-Encoding", "").lower() == "chunked":
        body = b""
        while True:
            size = int(handler.rfile.readline().strip(), 16)
            if size == 0:
                handler.rfile.readline()
                return body
            body += handler.rfile.read(size)
            handler.rfile.readline()
    return handler.rfile.read(int(handler.headers.get("Content-Length", "0")))


def send_text(handler, status, text, content_type="text/plain"):
    data = text.encode()
    handler.send_response(status)
    handler.send_header("Content-Type", content_type)
    handler.send_header("Content-Length", str(len(data)))
    handler.end_headers()
    handler.wfile.write(data)
