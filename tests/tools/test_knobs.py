#!/usr/bin/python3
"""README.md's two knob tables list exactly the knobs that sim/board/knobs.h names (the
board's, then the stand-ins'), and sim/services/knobs.py names the same stand-in knobs."""
import re
import sys

root = sys.argv[1]
header = open(f"{root}/sim/board/knobs.h", encoding="utf-8").read()
sys.path.insert(0, f"{root}/sim/services")
import knobs  # noqa: E402


def names(namespace):
    body = re.search(r"namespace %s \{(.*?)\n\}" % namespace, header, re.S).group(1)
    return re.findall(r'constexpr const char\* k\w+ = "([a-z0-9_]+)";', body)


tables, current = [], None
for line in open(f"{root}/README.md", encoding="utf-8"):
    if line.startswith("| knob |"):
        current = []
        tables.append(current)
    elif current is not None and line.startswith("| `"):
        current += re.findall(r"`([a-z0-9_]+)`", line.split("|")[1])
    elif not line.startswith("|"):
        current = None

faults = []
if len(tables) != 2:
    faults.append(f"README.md has {len(tables)} knob tables, not 2")
else:
    for what, listed, named in (("board", tables[0], names("knobs")),
                                ("stand-in", tables[1], names("serviceKnobs"))):
        if sorted(listed) != sorted(named):
            faults.append(f"{what} knobs: README lists {sorted(set(listed) - set(named))} "
                          f"that knobs.h lacks, and lacks {sorted(set(named) - set(listed))}")
if sorted(knobs.ALL) != sorted(names("serviceKnobs")):
    faults.append("sim/services/knobs.py and sim/board/knobs.h name different stand-in knobs")
for fault in faults:
    print("knobs:", fault)
print(f"{0 if faults else 1} passed, {len(faults)} failed")
sys.exit(1 if faults else 0)
