"""Firmware server stand-in: static files under <dir>/firmware (v2/<region>/...) on
127.0.0.1:18082, HTTPS or HTTP."""
import functools
import os
from http.server import SimpleHTTPRequestHandler

from common import encrypted


class Handler(SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        self.server.place.log("firmware", {"path": self.path, "tls": encrypted(self)})
        super().do_GET()


def servers(place, make):
    root = os.path.join(place.root, "firmware")
    os.makedirs(root, exist_ok=True)
    return [make(("127.0.0.1", 18082), functools.partial(Handler, directory=root))]
