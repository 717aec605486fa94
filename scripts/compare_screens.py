#!/usr/bin/python3
"""Compares two folders of screenshots pixel by pixel (decoded by ffmpeg): each file is the
same, differs (with the box and the count of changed pixels), new or missing.

Usage: scripts/compare_screens.py <before>/test-artifacts/screens <after>/test-artifacts/screens
"""
import json
import os
import subprocess
import sys


def pixels(path):
    probe = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v", "-show_entries",
                            "stream=width,height", "-of", "json", path],
                           capture_output=True, check=True).stdout
    stream = json.loads(probe)["streams"][0]
    data = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt",
                           "rgb24", "-"], capture_output=True, check=True).stdout
    return stream["width"], stream["height"], data


def compare(before, after):
    for name in sorted(set(os.listdir(before)) | set(os.listdir(after))):
        a, b = os.path.join(before, name), os.path.join(after, name)
        if not os.path.exists(a):
            print("new      " + name)
            continue
        if not os.path.exists(b):
            print("missing  " + name)
            continue
        wa, ha, da = pixels(a)
        wb, hb, db = pixels(b)
        if (wa, ha) != (wb, hb):
            print("size     %s %dx%d -> %dx%d" % (name, wa, ha, wb, hb))
            continue
        changed = [i // 3 for i in range(0, len(da), 3) if da[i:i + 3] != db[i:i + 3]]
        if not changed:
            print("same     " + name)
            continue
        xs, ys = [p % wa for p in changed], [p // wa for p in changed]
        print("differs  %s in (%d, %d)-(%d, %d), %d pixels"
              % (name, min(xs), min(ys), max(xs), max(ys), len(changed)))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    compare(sys.argv[1], sys.argv[2])
