#!/usr/bin/python3
"""Reads an AVI file as RIFF and prints what it holds as JSON, for the tests to compare.

Written from the RIFF/AVI layout, independently of the writer under test."""
import json
import struct
import sys


def chunks(data, start, end):
    at = start
    while at + 8 <= end:
        tag = data[at:at + 4].decode("latin-1")
        size = struct.unpack_from("<I", data, at + 4)[0]
        yield at, tag, size
        at += 8 + size + (size & 1)


def main(path):
    data = open(path, "rb").read()
    out = {"file_size": len(data), "riff": data[0:4].decode("latin-1"),
           "riff_size": struct.unpack_from("<I", data, 4)[0], "form": data[8:12].decode("latin-1"),
           "top": [], "frames": [], "index": []}
    for at, tag, size in chunks(data, 12, len(data)):
        kind = data[at + 8:at + 12].decode("latin-1") if tag == "LIST" else ""
        out["top"].append({"at": at, "tag": tag, "size": size, "list": kind})
        if tag == "LIST" and kind == "hdrl":
            for a2, t2, s2 in chunks(data, at + 12, at + 8 + size):
                if t2 == "avih":
                    f = struct.unpack_from("<10I", data, a2 + 8)
                    out["avih"] = dict(zip(["us_per_frame", "max_bps", "padding", "flags", "frames",
                                            "initial", "streams", "buffer", "width", "height"], f))
                if t2 == "LIST":
                    for a3, t3, s3 in chunks(data, a2 + 12, a2 + 8 + s2):
                        if t3 == "strh":
                            typ = data[a3 + 8:a3 + 12].decode("latin-1")
                            handler = data[a3 + 12:a3 + 16].decode("latin-1")
                            scale, rate, start, length = struct.unpack_from("<4I", data, a3 + 28)
                            out["strh"] = {"type": typ, "handler": handler, "scale": scale,
                                           "rate": rate, "length": length}
                        if t3 == "strf":
                            bi = struct.unpack_from("<IiiHH4sI", data, a3 + 8)
                            out["strf"] = {"size": bi[0], "width": bi[1], "height": bi[2],
                                           "planes": bi[3], "bits": bi[4],
                                           "compression": bi[5].decode("latin-1"),
                                           "image_size": bi[6]}
        if tag == "LIST" and kind == "movi":
            out["movi_size"] = size
            for a2, t2, s2 in chunks(data, at + 12, at + 8 + size):
                pad = data[a2 + 8 + s2] if s2 & 1 and a2 + 8 + s2 < len(data) else None
                out["frames"].append({"at": a2, "tag": t2, "size": s2, "pad": pad})
        if tag == "idx1":
            for i in range(size // 16):
                t, flags, off, sz = struct.unpack_from("<4sIII", data, at + 8 + 16 * i)
                out["index"].append({"tag": t.decode("latin-1"), "flags": flags, "offset": off,
                                     "size": sz})
    json.dump(out, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
