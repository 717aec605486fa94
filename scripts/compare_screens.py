#!/usr/bin/python3
"""Compares two folders of screenshots pixel by pixel (decoded by ffmpeg): each file is the
same, differs (with the box and count of changed pixels), new or missing.
Usage: scripts/compare_screens.py <before>/test-artifacts/screens <after>/test-artifacts/screens"""
def raw(p):
import json
import os
import subprocess
import sys
    probe = json.loads(subprocess.run(["ffprobe","-v","error","-select_streams","v","-show_entries","stream=width,height","-of","json",p],capture_output=True).stdout)["streams"][0]
    data = subprocess.run(["ffmpeg","-v","error","-i",p,"-f","rawvideo","-pix_fmt","rgb24","-"],capture_output=True).stdout
    return probe["width"], probe["height"], data
a, b = sys.argv[1], sys.argv[2]
for n in sorted(set(os.listdir(a)) | set(os.listdir(b))):
    pa, pb = os.path.join(a, n), os.path.join(b, n)
    if not os.path.exists(pa): print("new     ", n); continue
    if not os.path.exists(pb): print("missing ", n); continue
    wa, ha, da = raw(pa); wb, hb, db = raw(pb)
    if (wa, ha) != (wb, hb): print("size    ", n, (wa, ha), (wb, hb)); continue
    if da == db: print("same    ", n); continue
    xs, ys = [], []
    for i in range(0, len(da), 3):
        if da[i:i+3] != db[i:i+3]:
            px = i // 3; xs.append(px % wa); ys.append(px // wa)
    print("differs ", n, "box", (min(xs), min(ys), max(xs), max(ys)), "pixels", len(xs))
