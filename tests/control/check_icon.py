"""Tavlin's icon holds the sizes Windows asks for: 16, 20, 24, 32, 40, 48,
64 pixels as 32-bit bitmaps and 256 as PNG; and the script makes it from its
source picture with those sizes (a changed picture is not left unmade).
    python3 check_icon.py ICON [MADE_BY_THE_SCRIPT]"""
import struct
import sys

WANTED = [256, 64, 48, 40, 32, 24, 20, 16]


def entries(path):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if reserved != 0 or kind != 1:
        sys.exit(f"{path}: not an icon file")
    found = []
    for i in range(count):
        w, h, _, _, _, bits, size, offset = struct.unpack("<BBBBHHII", data[6 + 16 * i : 22 + 16 * i])
        w, h = w or 256, h or 256
        png = data[offset : offset + 8] == b"\x89PNG\r\n\x1a\n"
        found.append((w, h, bits, png))
    return found


failures = []
for path in sys.argv[1:]:
    got = entries(path)
    sizes = [w for w, h, _, _ in got]
    if sorted(sizes, reverse=True) != WANTED:
        failures.append(f"{path}: sizes {sizes}, want {WANTED}")
    for w, h, bits, png in got:
        if w != h or bits != 32:
            failures.append(f"{path}: {w}x{h} at {bits} bits")
        if png != (w == 256):
            failures.append(f"{path}: {w}x{w} {'is' if png else 'is not'} PNG")
if len(sys.argv) == 3 and entries(sys.argv[1]) != entries(sys.argv[2]):
    failures.append("the committed icon is not what scripts/make-icon.sh makes")
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
