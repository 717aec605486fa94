#!/usr/bin/python3
"""The stand-ins serving a virtual board (launcher.py --board) reach the device only while
the board's own wpa_cli model (installed as bin/wpa_cli, without the .py ending) reports an
association; without a board they are always reachable."""
import os
import shutil
import sys
import tempfile
import threading

root = sys.argv[1]
sys.path.insert(0, f"{root}/sim/services")
from common import Place  # noqa: E402

STAFF = "Clinic-Staff\t-56\twpa2\tstaff-pass-2024\t02:00:5e:10:00:02\n"
with tempfile.TemporaryDirectory() as tmp:
    board, services = os.path.join(tmp, "board"), os.path.join(tmp, "services")
    for sub in ("bin", "control", "run"):
        os.makedirs(os.path.join(board, sub))
    shutil.copy(f"{root}/sim/board/bin/wpa_cli.py", os.path.join(board, "bin", "wpa_cli"))
    air = os.path.join(board, "control", "air")
    open(air, "w").write(STAFF)
    cases = []
    cases.append(("no board", Place(services).device_online(), True))
    place = Place(services, board)
    cases.append(("no network configured", place.device_online(), False))
    open(os.path.join(board, "run", "wpa_supplicant.json"), "w").write(
        '{"networks": [{"id": 0, "ssid": "Clinic-Staff", "psk": "staff-pass-2024"}], '
        '"next_id": 1, "selected": 0}')
    cases.append(("associated", place.device_online(), True))
    open(air, "w").write("")
    cases.append(("the network left the air", place.device_online(), False))
    # Stand-ins ask a fresh place at the same moment, as they do when the device starts:
    # every one gets an answer, none sees the board's model half loaded. (The loader before
    # the lock failed 46 of 50 such rounds.)
    answers = []
    for round_ in range(10):
        fresh, gate = Place(os.path.join(tmp, "fresh%d" % round_), board), threading.Barrier(8)

        def ask(place=fresh, gate=gate):
            gate.wait()
            try:
                answers.append(place.device_online())
            except Exception as e:  # noqa: BLE001
                answers.append(repr(e))
        askers = [threading.Thread(target=ask) for _ in range(8)]
        for t in askers:
            t.start()
        for t in askers:
            t.join()
    cases.append(("eight at once, ten times", sorted(set(map(str, answers))), ["False"]))
    failed = [c for c in cases if c[1] != c[2]]
    for name, got, want in cases:
        print("%-28s %s %s" % (name, got, "ok" if got == want else "FAIL (want %s)" % want))
    sys.exit(1 if failed else 0)
