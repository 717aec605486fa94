"""Shared plumbing of the local stand-ins: knobs, request logs, threaded servers, and the
certificate authority they create as they start (tls/ca.pem, which the simulator trusts)."""
import importlib.machinery
import importlib.util
import json
import os
import socket
import ssl
import subprocess
import threading
import time
from http.server import ThreadingHTTPServer

# Every loopback address a stand-in listens on.
SERVER_NAMES = "IP:127.0.0.1,IP:127.0.0.2,IP:127.0.0.3,IP:127.0.0.4,DNS:localhost"


def make_authority(folder):
    """A fresh authority and a server certificate it signed for the stand-ins' addresses;
    the server's SSL context. New at every start: nothing is trusted across runs."""
    os.makedirs(folder, exist_ok=True)
    ca, ca_key = os.path.join(folder, "ca.pem"), os.path.join(folder, "ca.key")
    cert, key = os.path.join(folder, "server.pem"), os.path.join(folder, "server.key")
    csr, ext = os.path.join(folder, "server.csr"), os.path.join(folder, "server.ext")
    run = lambda *args: subprocess.run(["openssl", *args], check=True, capture_output=True)  # noqa: E731
    run("req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
        "-days", "30", "-subj", "/CN=vistrel simulator stand-ins CA", "-keyout", ca_key, "-out", ca)
    run("req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
        "-subj", "/CN=127.0.0.1", "-keyout", key, "-out", csr)
    with open(ext, "w") as f:
        f.write("subjectAltName=%s\nbasicConstraints=critical,CA:FALSE\n"
                "extendedKeyUsage=serverAuth\n" % SERVER_NAMES)
    run("x509", "-req", "-in", csr, "-CA", ca, "-CAkey", ca_key, "-CAcreateserial", "-days", "30",
        "-extfile", ext, "-out", cert)
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert, key)
    return context


class Place:
    """The stand-ins' folder: control/ holds knobs, log/ one JSON line per request."""

    def __init__(self, root, board=None):
        self.root = os.path.abspath(root)
        self.board = os.path.abspath(board) if board else None
        self._wpa = None
        self.control = os.path.join(self.root, "control")
        self.log_dir = os.path.join(self.root, "log")
        os.makedirs(self.control, exist_ok=True)
        os.makedirs(self.log_dir, exist_ok=True)
        self._lock = threading.Lock()
        self._wpa_lock = threading.Lock()

    def device_online(self):
        """Whether the device can reach the stand-ins: always, unless they serve a virtual
        board (--board), whose Wi-Fi must then be associated, as a real network needs."""
        if self.board is None:
            return True
        wpa = self._board_wpa()
        return wpa.association(wpa.load())[2] == "COMPLETED"

    def _board_wpa(self):
        # Loaded once, under a lock: the stand-ins ask at once when the device starts (the
        # mail server's readiness probe, the first time request, the update check), and a
        # module seen half loaded would fail the request that saw it.
        with self._wpa_lock:
            if self._wpa is None:
                # The board's wpa_cli is a Python program without the .py ending.
                path = os.path.join(self.board, "bin", "wpa_cli")
                loader = importlib.machinery.SourceFileLoader("board_wpa_cli", path)
                module = importlib.util.module_from_spec(
                    importlib.util.spec_from_loader("board_wpa_cli", loader))
                loader.exec_module(module)
                self._wpa = module
            return self._wpa

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
    """Answers HTTPS and plain HTTP on the same port: a connection that opens with a TLS
    handshake record (0x16) is wrapped, any other is served as it is."""
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, address, handler, place, tls_context=None):
        self.place = place
        self.tls_context = tls_context
        super().__init__(address, handler)

    def finish_request(self, request, client_address):
        # On the request's own thread, so a slow client holds up nobody else.
        if not self.place.device_online():
            self.place.log("unreachable", {"port": self.server_address[1]})
            return  # closed unanswered: the device has no network
        if self.tls_context is not None:
            request.settimeout(10)
            try:
                first = request.recv(1, socket.MSG_PEEK)
                if first == b"\x16":
                    request = self.tls_context.wrap_socket(request, server_side=True)
            except (OSError, ssl.SSLError) as e:
                self.place.log("tls", {"client": client_address[0], "error": str(e)})
                return
            request.settimeout(None)
        super().finish_request(request, client_address)


def encrypted(handler):
    """Whether the request came over TLS."""
    return isinstance(handler.connection, ssl.SSLSocket)


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
