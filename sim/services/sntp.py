"""SNTP responder on 127.0.0.1:10123 (UDP): answers every client request with the time of
the knob sntp_time (Unix seconds; the reply's fraction is then half a second) or now; with
the knob sntp_silent at 1 it answers nothing, as a time server out of reach."""
import socket
import struct
import threading
import time
import knobs

NTP_TO_UNIX = 2208988800


def reply_for(request, place):
    """A server reply (mode 4, stratum 1): reference, receive and transmit timestamps all
    the chosen time; the originate timestamp echoes the request's transmit timestamp."""
    knob = place.knob(knobs.SNTP_TIME)
    if knob:
        seconds, fraction = int(knob), 0x80000000
    else:
        now = time.time()
        seconds, fraction = int(now), int((now % 1) * 2 ** 32)
    stamp = struct.pack("!II", (seconds + NTP_TO_UNIX) & 0xFFFFFFFF, fraction)
    origin = request[40:48] if len(request) >= 48 else bytes(8)
    header = struct.pack("!BBbbII4s", 0x1C, 1, 4, -20, 0, 0, b"LOCL")
    return header + stamp + origin + stamp + stamp


class Responder:
    def __init__(self, place, address=("127.0.0.1", 10123)):
        self.place = place
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.sock.bind(address)
        self.thread = threading.Thread(target=self.serve, daemon=True)

    def serve(self):
        # One request's failure is logged and the next is answered: the loop lives as long
        # as the stand-ins do.
        while True:
            try:
                self.answer(*self.sock.recvfrom(512))
            except Exception as e:  # noqa: BLE001 (any fault of one request)
                self.place.log("sntp_error", {"error": repr(e)})

    def answer(self, data, peer):
        sent = struct.unpack("!I", data[40:44])[0] if len(data) >= 44 else None
        self.place.log("sntp", {"peer": peer[0], "bytes": len(data), "first": data[0] if data else None,
                                "transmit_seconds": sent, "hex": data.hex()})
        if self.place.knob(knobs.SNTP_SILENT) == "1" or not self.place.device_online():
            return
        self.sock.sendto(reply_for(data, self.place), peer)

    def start(self):
        self.thread.start()
