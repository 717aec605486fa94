#!/usr/bin/python3
"""Independent checks of what the mail code wrote, with Python's email, quopri and base64.

  mime_check.py message FILE   the delivered message as JSON (headers, structure, parts)
  mime_check.py qp FILE        quoted-printable text decoded, as hex
  mime_check.py b64 FILE       Base64 text decoded, as hex
  mime_check.py csv FILE NAME OUT   the attachment NAME saved to OUT and read by Python's csv
  mime_check.py sheet CSV      CSV as a spreadsheet program reads it (LibreOffice headless)"""
import base64
import csv
import email
import email.policy
import email.utils
import json
import html.parser
import io
import os
import quopri
import shutil
import subprocess
import sys
import tempfile


def message(path):
    raw = open(path, "rb").read()
    msg = email.message_from_bytes(raw, policy=email.policy.default)
    date = msg["Date"]
    parts = []
    for part in msg.iter_parts() if msg.is_multipart() else []:
        parts.append({"type": part.get_content_type(), "charset": part.get_content_charset(),
                      "cte": part["Content-Transfer-Encoding"], "text": part.get_content(),
                      "filename": part.get_filename(),
                      "disposition": part.get_content_disposition()})
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


def attachment(path, name, out):
    msg = email.message_from_bytes(open(path, "rb").read(), policy=email.policy.default)
    found = [p for p in msg.iter_attachments() if p.get_filename() == name]
    if len(found) != 1:
        return {"found": len(found)}
    raw = found[0].get_payload(decode=True)
    open(out, "wb").write(raw)
    text = raw.decode("utf-8-sig")
    return {"found": 1, "bom": raw.startswith(b"\xef\xbb\xbf"),
            "crlf_only": b"\n" not in raw.replace(b"\r\n", b"") and raw.endswith(b"\r\n"),
            "rows": list(csv.reader(io.StringIO(text, newline=""), strict=True))}


class _Cells(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.rows, self.cell = [], None

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.rows.append([])
        elif tag == "td":
            self.cell = ""

    def handle_endtag(self, tag):
        if tag == "td" and self.cell is not None:
            self.rows[-1].append(self.cell.strip())
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def sheet(path):
    """Opens the file in a spreadsheet program as its import dialog offers it for a file
    with a UTF-8 byte order mark (comma separated, '"' quoted, UTF-8), and reads the cells
    of the table it made. Headless, the program asks nothing and would take the locale's
    8-bit character set."""
    office = shutil.which("soffice")
    if not office:
        return {"missing": True}
    with tempfile.TemporaryDirectory() as home:
        subprocess.run([office, "-env:UserInstallation=file://" + home, "--headless",
                        "--infilter=CSV:44,34,76,1", "--convert-to", "html", "--outdir", home, path],
                       check=True, capture_output=True, timeout=120)
        name = os.path.splitext(os.path.basename(path))[0] + ".html"
        cells = _Cells()
        cells.feed(open(os.path.join(home, name), encoding="utf-8").read())
    return {"missing": False, "rows": [r for r in cells.rows if r]}


def main():
    kind, path = sys.argv[1], sys.argv[2]
    if kind == "message":
        json.dump(message(path), sys.stdout, ensure_ascii=False)
    elif kind == "qp":
        sys.stdout.write(quopri.decodestring(open(path, "rb").read()).hex())
    elif kind == "b64":
        sys.stdout.write(base64.b64decode(open(path, "rb").read()).hex())
    elif kind == "csv":
        json.dump(attachment(path, sys.argv[3], sys.argv[4]), sys.stdout, ensure_ascii=False)
    elif kind == "sheet":
        json.dump(sheet(path), sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
