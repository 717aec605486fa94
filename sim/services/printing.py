"""Cloud printing stand-in: POST /apisc/sendMsg with a signed form body.

Checks the field names and their order and recomputes the signature with the account the
simulator build is set up with; keeps every receipt; answers {"code":0,...} when the request
is sound (or the knob print_reply). Knob print_fail: "close" drops every connection without
a reply, as an unreachable service would."""
import hashlib
import urllib.parse
from http.server import BaseHTTPRequestHandler

from common import encrypted, read_body, send_text
import knobs

MEMBER_CODE = "5f3c9a1e0b7d42c8a6e19f04d2b83c71"
SIGNING_KEY = "Q7M2K9XA"
FIELDS = ["charset", "reqTime", "memberCode", "deviceID", "token", "securityCode", "msgDetail",
          "msgNo", "reprint", "mode"]


class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, status, text):
        send_text(self, status, text, "application/json")

    def do_POST(self):
        place = self.server.place
        if self.path != "/apisc/sendMsg":
            return self.reply(404, '{"code":404,"msg":"not found"}')
        raw = read_body(self)
        if place.knob(knobs.PRINT_FAIL) == "close":
            place.log("print", {"outcome": "closed"})
            self.close_connection = True
            self.connection.close()
            return
        pairs = urllib.parse.parse_qsl(raw.decode("utf-8", "replace"), keep_blank_values=True)
        names = [k for k, _ in pairs]
        fields = dict(pairs)
        expected = hashlib.md5((MEMBER_CODE + fields.get("deviceID", "") + fields.get("msgNo", "")
                                + fields.get("reqTime", "") + SIGNING_KEY).encode()).hexdigest()
        problems = []
        if names != FIELDS:
            problems.append("fields %s" % names)
        if fields.get("memberCode") != MEMBER_CODE:
            problems.append("unknown member")
        if fields.get("securityCode") != expected:
            problems.append("bad signature")
        if self.headers.get("Content-Type") != "application/x-www-form-urlencoded":
            problems.append("content type " + str(self.headers.get("Content-Type")))
        place.log("print", {"raw": raw.decode("utf-8", "replace"), "names": names,
                            "fields": fields, "signature_ok": "bad signature" not in problems,
                            "problems": problems, "tls": encrypted(self)})
        knob = place.knob(knobs.PRINT_REPLY)
        if knob is not None:
            return self.reply(200, knob)
        if problems:
            return self.reply(200, '{"code":1,"msg":"%s"}' % "; ".join(problems).replace('"', "'"))
        self.reply(200, '{"code":0,"msg":"ok"}')


def servers(place, make):
    return [make(("127.0.0.1", 18081), Handler)]
