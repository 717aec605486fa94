#!/usr/bin/python3
"""Starts and stops every local stand-in of the simulator's servers.

  launcher.py start --dir D   start them in the background, return once all listen
  launcher.py stop --dir D    stop them
  launcher.py run --dir D     run them in the foreground until SIGINT/SIGTERM
  --board B                   the virtual board they serve: its device reaches them only
                              while its Wi-Fi is associated (without it, always)

D holds control/ (knobs, one file per value), log/ (one JSON line per request and service),
firmware/ (the files the firmware server serves) and tls/ (the authority made at start,
ca.pem, and the certificate every stand-in serves). The HTTP stand-ins answer HTTPS and plain
HTTP on the same ports."""
import argparse
import os
import signal
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import analysis  # noqa: E402
import firmware  # noqa: E402
import mail  # noqa: E402
import printing  # noqa: E402
import sntp  # noqa: E402
from common import Place, Server, make_authority  # noqa: E402

HTTP_SERVICES = [analysis, printing, firmware]


def run(place):
    tls = make_authority(os.path.join(place.root, "tls"))
    make = lambda address, handler: Server(address, handler, place, tls)  # noqa: E731
    http = [s for module in HTTP_SERVICES for s in module.servers(place, make)]
    responder = sntp.Responder(place)
    for server in http:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    responder.start()
    mailers = mail.start(place, tls)
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    with open(os.path.join(place.root, "ready"), "w") as f:
        f.write(str(os.getpid()))
    print("stand-ins ready: analysis 127.0.0.1-4:15000, print 127.0.0.1:18081, "
          "firmware 127.0.0.1:18082 (HTTPS and HTTP), sntp 127.0.0.1:10123/udp, "
          "smtp 127.0.0.1:10465 (TLS) and 10025 (STARTTLS)", flush=True)
    stop.wait()
    for controller in mailers:
        controller.stop()
    # The servers run on daemon threads: they end with the process.
    os.remove(os.path.join(place.root, "ready"))


def pid_of(place):
    try:
        with open(os.path.join(place.root, "launcher.pid")) as f:
            return int(f.read())
    except (OSError, ValueError):
        return None


def stop(place):
    pid = pid_of(place)
    if pid is None:
        return
    try:
        os.kill(pid, signal.SIGTERM)
        for _ in range(100):
            os.kill(pid, 0)
            time.sleep(0.05)
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    for name in ("launcher.pid", "ready"):
        try:
            os.remove(os.path.join(place.root, name))
        except OSError:
            pass


def start(place):
    stop(place)  # a launcher left over from an earlier run holds the ports
    log = open(os.path.join(place.log_dir, "launcher.log"), "a")
    board = ["--board", place.board] if place.board else []
    child = subprocess.Popen([sys.executable, os.path.abspath(__file__), "run", "--dir", place.root]
                             + board,
                             stdout=log, stderr=log, stdin=subprocess.DEVNULL,
                             start_new_session=True)
    with open(os.path.join(place.root, "launcher.pid"), "w") as f:
        f.write(str(child.pid))
    for _ in range(200):
        if os.path.exists(os.path.join(place.root, "ready")):
            print("stand-ins started (pid %d) in %s" % (child.pid, place.root))
            return 0
        if child.poll() is not None:
            break
        time.sleep(0.05)
    print("stand-ins failed to start; see %s" % os.path.join(place.log_dir, "launcher.log"))
    stop(place)
    return 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("command", choices=["start", "stop", "run"])
    parser.add_argument("--dir", required=True)
    parser.add_argument("--board")
    args = parser.parse_args()
    place = Place(args.dir, args.board)
    if args.command == "run":
        run(place)
        return 0
    if args.command == "stop":
        stop(place)
        return 0
    return start(place)


if __name__ == "__main__":
    sys.exit(main())
