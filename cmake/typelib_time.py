#!/usr/bin/env python3
"""Sets the time widl writes into a type library to SOURCE_DATE_EPOCH.

widl records when it ran twice, as text ("Created by WIDL version V at
<ctime>\\n") and as a VT_UI4 custom value, and knows no SOURCE_DATE_EPOCH;
the library is embedded in the add-in, so two builds of one commit would
differ there. Run widl with TZ=UTC: the text is then the UTC form of the
number beside it.

    typelib_time.py TLB EPOCH
"""
import calendar
import re
import struct
import sys
import time

VT_UI4 = b"\x13\x00"


def main(path, epoch):
    data = bytearray(open(path, "rb").read())
    found = list(re.finditer(rb"Created by WIDL version [^\n]* at (.{24})\n", data, re.S))
    if len(found) != 1:
        sys.exit(f"{path}: {len(found)} widl creation texts, want exactly one")
    text = found[0]
    written = calendar.timegm(time.strptime(text.group(1).decode("ascii"), "%a %b %d %H:%M:%S %Y"))
    # The number follows the text in the custom data; it is the same second.
    old = VT_UI4 + struct.pack("<I", written)
    at = data.find(old, text.end())
    if at < 0 or data.find(old, at + 1) >= 0:
        sys.exit(f"{path}: no single widl creation time {written} after its text (was widl run with TZ=UTC?)")
    wanted = time.asctime(time.gmtime(epoch)).encode("ascii")
    data[text.start(1) : text.end(1)] = wanted
    data[at : at + len(old)] = VT_UI4 + struct.pack("<I", epoch)
    open(path, "wb").write(data)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], int(sys.argv[2]))
