#!/usr/bin/python3
"""Writes the fonts the device embeds for the scripts its own font lacks: subsets of
Debian's Noto Sans Devanagari and Noto Sans CJK SC that hold exactly the characters the
translations and the forms use (with the glyphs their shaping needs), so the image stays
small.

  subset_fonts.py OUT_DIR TEXT_FILE...   writes OUT_DIR/NotoSansDevanagari-subset.ttf and
                                         OUT_DIR/NotoSansSC-subset.otf"""
import html
import os
import sys

from fontTools import subset

DEVANAGARI = "/usr/share/fonts/truetype/noto/NotoSansDevanagari-Regular.ttf"
CJK = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
CJK_SC = 2  # the collection's Simplified Chinese face


def characters(paths):
    chars = set()
    for path in paths:
        text = html.unescape(open(path, encoding="utf-8").read())
        chars.update(c for c in text if ord(c) > 0x7F)
    return chars


def write(font_file, number, text, out):
    options = subset.Options()
    options.layout_features = ["*"]  # conjuncts and vowel signs need the shaping tables
    options.name_IDs = ["*"]
    options.font_number = number
    options.notdef_outline = True
    font = subset.load_font(font_file, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    subset.save_font(font, out, options)


def main():
    out, texts = sys.argv[1], sys.argv[2:]
    os.makedirs(out, exist_ok=True)
    chars = characters(texts)
    devanagari = "".join(sorted(c for c in chars if 0x0900 <= ord(c) <= 0x097F or c in "\u200c\u200d"))
    # Chinese: the ideographs and the full-width punctuation the translations use.
    cjk = "".join(sorted(c for c in chars if ord(c) >= 0x2E80 or 0x2000 <= ord(c) <= 0x206F))
    write(DEVANAGARI, 0, devanagari + " ", os.path.join(out, "NotoSansDevanagari-subset.ttf"))
    write(CJK, CJK_SC, cjk + " ", os.path.join(out, "NotoSansSC-subset.otf"))


if __name__ == "__main__":
    main()
