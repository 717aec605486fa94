#!/usr/bin/python3
"""Writes the device's artwork as SVG, one file per resource path, into svg/.

The SVGs are the editable sources; the build rasterises them to the PNG and JPEG files the
application loads (tools/render_artwork). One style throughout: accent line drawings,
rgb(50, 227, 233), with round caps on the dark design language; warnings in rgb(204, 0, 0).
Run it again after changing a drawing and commit the SVGs."""
import os

ACCENT = "#32e3e9"
MUTED = "#888a85"
RED = "#cc0000"
DARK = "#181818"
KEY = "#242424"
PANEL = "#303030"
BLACK = "#000000"


def svg(w, h, body, background=None):
    bg = '<rect width="%d" height="%d" fill="%s"/>' % (w, h, background) if background else ""
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
            '%s%s</svg>\n' % (w, h, w, h, bg, body))


def g(body, color=ACCENT, width=4):
    return ('<g fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" '
            'stroke-linejoin="round">%s</g>' % (color, width, body))


def centered(size, glyph, w=None, h=None, scale=1.0):
    """A 48-unit glyph centred on a canvas of w x h."""
    w, h = w or size, h or size
    s = size / 48.0 * scale
    return '<g transform="translate(%g %g) scale(%g)">%s</g>' % ((w - 48 * s) / 2, (h - 48 * s) / 2, s, glyph)


MALE = '<circle cx="20" cy="28" r="11"/><path d="M28 20 L39 9 M30 9 H39 V18"/>'
FEMALE = '<circle cx="24" cy="19" r="11"/><path d="M24 30 V43 M18 37 H30"/>'

# 48 x 48 line glyphs
GLYPHS = {
    "home": g('<path d="M8 24 L24 9 L40 24"/><path d="M13 21 V39 H35 V21"/><path d="M21 39 V29 H27 V39"/>'),
    "setup": g('<circle cx="24" cy="24" r="6"/><path d="M24 6 V12 M24 36 V42 M6 24 H12 M36 24 H42 '
               'M11 11 L15 15 M33 33 L37 37 M37 11 L33 15 M15 33 L11 37"/><circle cx="24" cy="24" r="13"/>'),
    "history": g('<circle cx="24" cy="25" r="15"/><path d="M24 16 V25 L31 29"/><path d="M7 12 L10 17 L15 14"/>'),
    "camera": g('<rect x="6" y="15" width="36" height="24" rx="4"/><path d="M17 15 L20 9 H28 L31 15"/>'
                '<circle cx="24" cy="27" r="7"/>'),
    "power": g('<path d="M17 13 A14 14 0 1 0 31 13"/><path d="M24 7 V24"/>'),
    "back": g('<path d="M28 12 L16 24 L28 36"/>', width=5),
    "return": g('<path d="M20 14 L10 23 L20 32"/><path d="M10 23 H30 A9 9 0 0 1 30 41 H22"/>'),
    "photo": g('<circle cx="24" cy="24" r="16"/>') + '<circle cx="24" cy="24" r="10" fill="%s"/>' % ACCENT,
    "flash_on": g('<path d="M27 6 L13 27 H23 L20 42 L35 20 H25 Z"/>'),
    "flash_off": g('<path d="M27 6 L13 27 H23 L20 42 L35 20 H25 Z"/>', MUTED) + g('<path d="M9 9 L39 39"/>', RED),
    "delete": g('<path d="M10 14 H38 M19 14 V9 H29 V14 M14 14 L16 40 H32 L34 14 M21 20 V34 M27 20 V34"/>'),
    "export": g('<rect x="7" y="12" width="34" height="25" rx="3"/><path d="M7 14 L24 27 L41 14"/>'),
    "rescreen": g('<rect x="6" y="15" width="36" height="24" rx="4"/><circle cx="24" cy="27" r="7"/>'
                  '<path d="M17 15 L20 9 H28 L31 15"/><path d="M36 6 A6 6 0 1 1 30 10"/>'),
    "globe": g('<circle cx="24" cy="24" r="16"/><path d="M8 24 H40 M24 8 C16 16 16 32 24 40 C32 32 32 16 24 8"/>'),
    "language": g('<path d="M8 10 H40 V32 H22 L13 40 V32 H8 Z"/><path d="M18 27 L24 14 L30 27 M20 23 H28"/>'),
    "restore": g('<path d="M12 16 A15 15 0 1 1 10 28"/><path d="M12 8 V16 H20"/>'),
    "clock": g('<circle cx="24" cy="24" r="16"/><path d="M24 14 V24 H32"/>'),
    "wifi": g('<path d="M8 20 A23 23 0 0 1 40 20 M14 27 A14 14 0 0 1 34 27 M20 33 A6 6 0 0 1 28 33"/>')
            + '<circle cx="24" cy="38" r="2.5" fill="%s"/>' % ACCENT,
    "referral": g('<rect x="11" y="8" width="26" height="33" rx="3"/><path d="M17 17 H31 M17 24 H31 M17 31 H25"/>'),
    "zone": g('<circle cx="24" cy="24" r="16"/><path d="M8 24 H40 M24 8 V40"/><path d="M12 14 Q24 20 36 14 M12 34 Q24 28 36 34"/>'),
    "update": g('<path d="M24 33 V10 M15 19 L24 10 L33 19"/><path d="M9 30 V38 H39 V30"/>'),
    "machine": g('<rect x="8" y="8" width="13" height="13"/><rect x="27" y="8" width="13" height="13"/>'
                 '<rect x="8" y="27" width="13" height="13"/><path d="M27 27 H33 V33 M40 27 V40 H33 M27 34 V40"/>'),
    "parameter": g('<path d="M10 14 H38 M10 24 H38 M10 34 H38"/>') + '<g fill="%s"><circle cx="17" cy="14" r="4"/>'
                 '<circle cx="31" cy="24" r="4"/><circle cx="21" cy="34" r="4"/></g>' % ACCENT,
    "calendar": g('<rect x="8" y="11" width="32" height="29" rx="3"/><path d="M8 19 H40 M16 7 V14 M32 7 V14"/>'),
    "name": g('<circle cx="24" cy="17" r="8"/><path d="M9 41 C11 30 37 30 39 41"/>'),
    "male": g(MALE),
    "female": g(FEMALE),
    "print": g('<path d="M14 18 V8 H34 V18"/><rect x="7" y="18" width="34" height="15" rx="3"/><path d="M14 28 H34 V41 H14 Z"/>'),
    "mail": g('<rect x="6" y="12" width="36" height="25" rx="3"/><path d="M6 14 L24 27 L42 14"/>'),
    "eye": g('<path d="M5 24 C13 12 35 12 43 24 C35 36 13 36 5 24 Z"/><circle cx="24" cy="24" r="6"/>'),
    "eye_off": g('<path d="M5 24 C13 12 35 12 43 24 C35 36 13 36 5 24 Z"/><circle cx="24" cy="24" r="6"/>', MUTED)
               + g('<path d="M9 9 L39 39"/>'),
    "lock": g('<rect x="12" y="21" width="24" height="19" rx="3"/><path d="M17 21 V15 A7 7 0 0 1 31 15 V21"/>'),
    "tick": g('<path d="M10 25 L20 35 L38 14"/>', width=5),
    "close": g('<path d="M14 14 L34 34 M34 14 L14 34"/>', MUTED, 4),
    "backspace": g('<path d="M17 12 H40 V36 H17 L6 24 Z M23 18 L33 30 M33 18 L23 30"/>', MUTED, 3),
    "shift": g('<path d="M24 8 L40 26 H31 V40 H17 V26 H8 Z"/>', MUTED, 3),
}


def box(checked):
    body = g('<rect x="8" y="8" width="32" height="32" rx="6"/>', ACCENT if checked else MUTED, 3)
    if checked:
        body += '<rect x="8" y="8" width="32" height="32" rx="6" fill="%s"/>' % ACCENT
        body += g('<path d="M15 24 L21 30 L33 17"/>', DARK, 5)
    return body


def bars(n):
    out = ""
    for i in range(4):
        h = 8 + i * 8
        color = ACCENT if i < n else "#3a3a3a"
        out += '<rect x="%d" y="%d" width="7" height="%d" rx="2" fill="%s"/>' % (8 + i * 9, 40 - h, h, color)
    return out


def wifi_level(level):
    """Status-bar Wi-Fi arcs: level 4 strongest."""
    arcs = ['M20 33 A6 6 0 0 1 28 33', 'M14 27 A14 14 0 0 1 34 27', 'M8 20 A23 23 0 0 1 40 20']
    body = '<circle cx="24" cy="38" r="2.5" fill="%s"/>' % ACCENT
    for i, d in enumerate(arcs):
        body += g('<path d="%s"/>' % d, ACCENT if i < level - 1 else "#3a3a3a")
    return body


# The status bar's icons are "@2x" files, which Qt shows at half their pixel size: they are
# drawn at twice the 40 x 50 of their labels.
def battery(fill, warn=False):
    color = RED if warn else ACCENT
    body = g('<rect x="6" y="14" width="32" height="20" rx="3"/><path d="M41 20 V28"/>', MUTED, 3)
    if fill:
        body += '<rect x="10" y="18" width="%g" height="12" rx="1.5" fill="%s"/>' % (24 * fill, color)
    return body


def number_mark(n):
    return ('<circle cx="24" cy="24" r="17" fill="%s"/><text x="24" y="32" font-family="DejaVu Sans" '
            'font-weight="bold" font-size="22" text-anchor="middle" fill="%s">%d</text>' % (ACCENT, DARK, n))


def start_screen():
    w, h = 1024, 600
    body = ('<defs><radialGradient id="glow" cx="50%%" cy="42%%" r="60%%"><stop offset="0" stop-color="#0b2c2e"/>'
            '<stop offset="1" stop-color="#030102"/></radialGradient></defs>'
            '<rect width="%d" height="%d" fill="url(#glow)"/>' % (w, h))
    # An eye, drawn as the product mark, above the version label.
    body += g('<path d="M392 105 C452 45 572 45 632 105 C572 165 452 165 392 105 Z"/>', ACCENT, 6)
    body += '<circle cx="512" cy="105" r="36" fill="none" stroke="%s" stroke-width="6"/>' % ACCENT
    body += '<circle cx="512" cy="105" r="16" fill="%s"/>' % ACCENT
    body += '<circle cx="524" cy="95" r="5" fill="#030102"/>'
    body += ('<text x="512" y="330" font-family="DejaVu Sans" font-size="64" font-weight="bold" '
             'letter-spacing="12" text-anchor="middle" fill="%s">VISTREL</text>' % ACCENT)
    body += ('<text x="512" y="378" font-family="DejaVu Sans" font-size="24" letter-spacing="4" '
             'text-anchor="middle" fill="%s">VISION SCREENING FOR CHILDREN</text>' % MUTED)
    return svg(w, h, body)


def icon(size, glyph, w=None, h=None, background=None, scale=1.0):
    return svg(w or size, h or size, centered(size, GLYPHS[glyph] if glyph in GLYPHS else glyph, w, h, scale),
               background)


def selected(body):
    """A chosen option: the glyph dark on an accent tile."""
    tile = '<rect x="2" y="2" width="76" height="76" rx="12" fill="%s"/>' % ACCENT
    return svg(80, 80, tile + centered(80, g(body, DARK), scale=0.8))


ART = {
    "pic/start.jpg": start_screen(),
    "pic/checkoff.jpg": svg(40, 40, centered(40, box(False)), BLACK),
    "pic/checkon.jpg": svg(40, 40, centered(40, box(True)), BLACK),
    "pic/keypad_back.jpg": icon(44, "backspace", 71, 44, KEY, 0.8),
    "pic/keypad_close.jpg": icon(44, "close", 71, 44, KEY, 0.8),
    "pic/keypad_little.jpg": icon(44, "shift", 71, 44, KEY, 0.8),
    "pic/mail.jpg": icon(80, "mail", background=PANEL),
    "pic/name.jpg": icon(50, "name", 60, 50, BLACK),
    "pic/print.jpg": icon(33, "print", 86, 33, DARK),
    "pic/pwdhide.jpg": icon(50, "eye_off", background=PANEL),
    "pic/pwdshow.jpg": icon(50, "eye", background=PANEL),
    "pic/referral_sel.jpg": icon(40, "tick", background=DARK),
    "pic/wifi_lock.jpg": icon(40, "lock", background=BLACK),
    "pic/wifi_select.jpg": icon(40, "tick", background=BLACK),
    "pic/wifi_sig0.jpg": svg(40, 40, centered(40, bars(0)), BLACK),
    "pic/wifi_sig1.jpg": svg(40, 40, centered(40, bars(1)), BLACK),
    "pic/wifi_sig2.jpg": svg(40, 40, centered(40, bars(2)), BLACK),
    "pic/wifi_sig3.jpg": svg(40, 40, centered(40, bars(4)), BLACK),
    "png/back@2x.png": icon(100, "back"),
    "png/photo@2x.png": icon(100, "photo"),
    "png/flashon@2x.png": icon(100, "flash_on"),
    "png/flashon_off@2x.png": icon(100, "flash_off"),
    "png/country@2x.png": icon(56, "globe"),
    "png/setrestore@2x.png": icon(56, "restore"),
    "png/setup_language@2x.png": icon(56, "language"),
    "png/setup_time@2x.png": icon(56, "clock"),
    "png/setup_wifi@2x.png": icon(56, "wifi"),
    "png/setup_referral@2x.png": icon(56, "referral"),
    "png/setup_timezone@2x.png": icon(56, "zone"),
    "png/update_new@2x.png": icon(56, "update"),
    "png/machineid@2x.png": icon(56, "machine"),
    "png/parameter@2x.png": icon(56, "parameter"),
    "png/history/1@2x.png": svg(40, 40, centered(40, number_mark(1))),
    "png/history/2@2x.png": svg(40, 40, centered(40, number_mark(2))),
    "png/history/3@2x.png": svg(40, 40, centered(40, number_mark(3))),
    "png/history/battery0@2x.png": svg(80, 100, centered(80, battery(0.08, True), 80, 100, 1.25)),
    "png/history/battery2@2x.png": svg(80, 100, centered(80, battery(0.25), 80, 100, 1.25)),
    "png/history/battery4@2x.png": svg(80, 100, centered(80, battery(0.45), 80, 100, 1.25)),
    "png/history/battery6@2x.png": svg(80, 100, centered(80, battery(0.65), 80, 100, 1.25)),
    "png/history/battery8@2x.png": svg(80, 100, centered(80, battery(0.85), 80, 100, 1.25)),
    "png/history/battery@2x.png": svg(80, 100, centered(80, battery(1.0), 80, 100, 1.25)),
    "png/history/wifi@2x.png": svg(80, 100, centered(80, wifi_level(4), 80, 100, 1.25)),
    "png/history/wifi2@2x.png": svg(80, 100, centered(80, wifi_level(3), 80, 100, 1.25)),
    "png/history/wifi3@2x.png": svg(80, 100, centered(80, wifi_level(2), 80, 100, 1.25)),
    "png/history/wifi4@2x.png": svg(80, 100, centered(80, wifi_level(1), 80, 100, 1.25)),
    "png/history/delete@2x.png": icon(110, "delete", scale=0.7),
    "png/history/derive@2x.png": icon(110, "export", scale=0.7),
    "png/history/hisphoto@2x.png": icon(110, "rescreen", scale=0.7),
    "png/history/return@2x.png": icon(110, "return", scale=0.7),
    "png/mainpage/calendar@2x.png": icon(60, "calendar"),
    "png/mainpage/name@2x.png": icon(60, "name"),
    "png/mainpage/female@2x.png": selected(FEMALE),
    "png/mainpage/female1@2x.png": icon(80, "female", scale=0.8),
    "png/mainpage/male@2x.png": selected(MALE),
    "png/mainpage/male1@2x.png": icon(80, "male", scale=0.8),
    "png/mainpage/history@2x.png": icon(100, "history", scale=0.75),
    "png/mainpage/home@2x.png": icon(100, "home", scale=0.75),
    "png/mainpage/photograph@2x.png": icon(100, "camera", scale=0.75),
    "png/mainpage/reboot@2x.png": icon(100, "power", scale=0.75),
    "png/mainpage/setup@2x.png": icon(100, "setup", scale=0.75),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for path, text in ART.items():
        target = os.path.join(here, "svg", path + ".svg")
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "w") as f:
            f.write(text)
    print("%d drawings written" % len(ART))


if __name__ == "__main__":
    main()
