#!/usr/bin/python3
"""Independent checks of what the mail code wrote, with Python's email, quopri and base64.

  mime_check.py message FILE   the delivered message as JSON (headers, structure, parts)
  mime_check.py qp FILE        quoted-printable text decoded, as hex
  mime_check.py b64 FILE       Base64 text decoded, as hex"""
import base64
import email
import email.policy
import email.utils
import json
import quopri
import sys


def message(path):
    raw = open(path, "rb").read()
    msg = email.message_from_bytes(raw, policy=email.policy.default)
    date = msg["Date"]
    parts = []
    for part in msg.iter_parts() if msg.is_multipart() else []:
        parts.append({"type": part.get_content_type(), "charset": part.get_content_charset(),
                      "cte": part["Content-Transfer-Encoding"], "text": part.get_content()})
    defects = [str(d) for d in msg.defects]
    for part in msg.walk():
        defects += [str(d) for d in part.defects]
    return {
        "from": [a.addr_spec for a in msg["From"].addresses],
        "from_name": [a.display_name for a in msg["From"].addresses],
        "to": [a.addr_spec for a in msg["To"].addresses],
        "subject": str(msg["Subject"]),
        "mime_version": str(msg["MIME-Version"]),
        "date_ok": email.utils.parsedate_to_datetime(str(date)) is not None if date else False,
        "type": msg.get_content_type(),
        "boundary": msg.get_boundary(),
        "parts": parts,
        "defects": defects,
        "crlf_only": b"\n" not in raw.replace(b"\r\n", b""),
        "longest_line": max(len(line) for line in raw.split(b"\r\n")),
    }


def main():
    kind, path = sys.argv[1], sys.argv[2]
    if kind == "message":
        json.dump(message(path), sys.stdout, ensure_ascii=False)
    elif kind == "qp":
        sys.stdout.write(quopri.decodestring(open(path, "rb").read()).hex())
    elif kind == "b64":
        sys.stdout.write(base64.b64decode(open(path, "rb").read()).hex())


if __name__ == "__main__":
    main()
