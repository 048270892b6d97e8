#!/usr/bin/env python3
"""Makes a package's summary information depend on its contents alone.

wixl stamps a Windows Installer package with the time it ran (created,
last saved) and a random package code (the revision number), so two builds
of one commit would differ there. This sets both times to SOURCE_DATE_EPOCH
and the package code to a name-based UUID of NAMESPACE and the package's
bytes with those fields blanked: a package that differs in anything gets
another code, as Windows Installer wants, and the same package the same.
The fields are rewritten in place, at their own lengths.

    msi_summary.py MSI EPOCH NAMESPACE_UUID
"""
import hashlib
import os
import re
import struct
import sys
import uuid

VT_LPSTR = b"\x1e\x00\x00\x00"
VT_FILETIME = b"\x40\x00\x00\x00"
FILETIME_UNIX = 11644473600  # seconds from 1601 to 1970
TICKS = 10_000_000


def filetime(seconds):
    return struct.pack("<Q", (seconds + FILETIME_UNIX) * TICKS)


def main(path, epoch, namespace):
    data = bytearray(open(path, "rb").read())
    written = os.path.getmtime(path)
    # The stamps are this run's: within a day of the file's own time.
    times = []
    for m in re.finditer(re.escape(VT_FILETIME) + b"(.{8})", data, re.S):
        seconds = struct.unpack("<Q", m.group(1))[0] / TICKS - FILETIME_UNIX
        if abs(seconds - written) < 86400:
            times.append(m.start(1))
    codes = [m.start(1) for m in re.finditer(
        re.escape(VT_LPSTR) + rb"\x27\x00\x00\x00(\{[0-9A-F-]{36}\})\x00", data)]
    if len(times) != 2 or len(codes) != 1:
        sys.exit(f"{path}: found {len(times)} time stamps and {len(codes)} package codes, want 2 and 1")
    for at in times:
        data[at : at + 8] = filetime(epoch)
    data[codes[0] : codes[0] + 38] = b"{" + b"0" * 36 + b"}"
    digest = hashlib.sha256(data).hexdigest()
    code = str(uuid.uuid5(uuid.UUID(namespace), f"package/{digest}")).upper()
    data[codes[0] : codes[0] + 38] = f"{{{code}}}".encode("ascii")
    open(path, "wb").write(data)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(sys.argv[1], int(sys.argv[2]), sys.argv[3])
