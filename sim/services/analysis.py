"""Analysis server stand-in, one per region on 127.0.0.1 to 127.0.0.4, port 15000.

Checks the multipart upload (field student_info = 0__0__0__0, file part pupil_video sent as
video/mpeg) and the AVI itself with ffprobe, logs what it received, and answers with the
comma-separated values of the knob analysis_reply or a default. Knob analysis_fail: "500"
answers with that status, "close" drops the connection without a reply. Knob
analysis_delay_ms: the analysis takes that long (at most a minute), as a real one does. Knob
analysis_interim: that many "100 Continue" interim replies (at most 100000) go before the
answer, as a broken or hostile server may send."""
import email.parser
import email.policy
import json
import os
import subprocess
import tempfile
import time
from http.server import BaseHTTPRequestHandler

from common import encrypted, read_body, send_text
import knobs

REGIONS = {"127.0.0.1": ("us", "/production/"), "127.0.0.2": ("india", "/production/"),
           "127.0.0.3": ("china", "/upload_pupil_images/"),
           "127.0.0.4": ("philippines", "/production/")}
DEFAULT_REPLY = "ok,-1.25,-0.75,-0.50,-0.25,62.5,175,10"


def probe(data):
    with tempfile.NamedTemporaryFile(suffix=".avi") as f:
        f.write(data)
        f.flush()
        out = subprocess.run(["ffprobe", "-v", "error", "-show_entries",
                              "format=format_name:stream=codec_name,width,height",
                              "-of", "json", f.name], capture_output=True, text=True)
    if out.returncode != 0:
        return None
    return json.loads(out.stdout)


class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, status, text):
        send_text(self, status, text, "text/plain")

    def do_POST(self):
        place = self.server.place
        host = self.server.server_address[0]
        region, path = REGIONS[host]
        body = read_body(self)
        fail = place.knob(knobs.ANALYSIS_FAIL)
        record = {"host": host, "region": region, "path": self.path, "bytes": len(body),
                  "content_type": self.headers.get("Content-Type", ""), "tls": encrypted(self)}
        if fail == "close":
            place.log("analysis", dict(record, outcome="closed"))
            self.close_connection = True
            self.connection.close()
            return
        if fail and fail.isdigit():
            place.log("analysis", dict(record, outcome="status " + fail))
            return self.reply(int(fail), "server error")
        problem = self.check(body, path, record)
        delay = place.knob(knobs.ANALYSIS_DELAY_MS, "0")
        time.sleep(min(int(delay), 60000) / 1000 if delay.isdigit() else 0)
        place.log("analysis", dict(record, outcome=problem or "ok"))
        if problem:
            return self.reply(400, problem)
        interim = place.knob(knobs.ANALYSIS_INTERIM, "0")
        if interim.isdigit() and int(interim) > 0:
            self.wfile.write(b"HTTP/1.1 100 Continue\r\n\r\n" * min(int(interim), 100000))
        self.reply(200, place.knob(knobs.ANALYSIS_REPLY, DEFAULT_REPLY))

    def check(self, body, path, record):
        if not self.path.startswith(path):
            return "unknown path " + self.path
        record["identity"] = self.path[len(path):]
        message = email.parser.BytesParser(policy=email.policy.HTTP).parsebytes(
            b"Content-Type: " + self.headers.get("Content-Type", "").encode() + b"\r\n\r\n" + body)
        if not message.is_multipart() or message.get_content_subtype() != "form-data":
            return "not multipart/form-data"
        parts = {}
        for part in message.iter_parts():
            name = part.get_param("name", header="content-disposition")
            parts[name] = part
            record.setdefault("parts", []).append({
                "name": name, "filename": part.get_filename(),
                "content_type": part.get_content_type(), "bytes": len(part.get_payload(decode=True) or b"")})
        info = parts.get("student_info")
        if info is None or info.get_payload(decode=True) != b"0__0__0__0":
            return "student_info missing or wrong"
        video = parts.get("pupil_video")
        if video is None or video.get_content_type() != "video/mpeg" or not video.get_filename():
            return "pupil_video missing or not video/mpeg"
        data = video.get_payload(decode=True) or b""
        facts = probe(data)
        record["probe"] = facts
        if not facts or "avi" not in facts.get("format", {}).get("format_name", ""):
            return "pupil_video is not an AVI file"
        if not any(s.get("codec_name") == "h264" for s in facts.get("streams", [])):
            return "pupil_video has no H.264 stream"
        return None


def servers(place, make):
    return [make((host, 15000), Handler) for host in REGIONS]
