#!/usr/bin/env python3
"""Makes the demo series' help in both forms the launcher opens: SorvelL.htm,
and SorvelL.chm compiled from it with chmcmd (Free Pascal's HTML Help
compiler). The sources are UTF-8; what is shipped is Shift-JIS (CP932), as
the pages say, with CR LF line ends.

The compiler stamps each CHM with the time of day it ran; the two stamps are
cleared so that the same sources give the same file, and the release zip
built again is the same byte for byte.

usage: make_demo_help.py SOURCE_DIR OUT_DIR CHMCMD
"""
import os
import struct
import subprocess
import sys
import tempfile

SOURCES = ["SorvelL.hhp", "SorvelL.hhc", "SorvelL.htm"]
PROJECT = "SorvelL.hhp"
CHM = "SorvelL.chm"
PAGE = "SorvelL.htm"
# The ITSF header's timestamp, and the #SYSTEM file's record of code 10.
HEADER_TIMESTAMP = 0x10
SYSTEM_TIMESTAMP_CODE = 10


def encint(data, at):
    """A CHM directory's variable-length number and the position after it."""
    value = 0
    while True:
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, at


def entry_offset(data, wanted):
    """Where the uncompressed file `wanted` (b"/#SYSTEM") starts in the CHM."""
    directory, length = struct.unpack_from("<QQ", data, 0x48)
    content = struct.unpack_from("<Q", data, 0x58)[0]
    header_length = struct.unpack_from("<I", data, directory + 8)[0]
    chunk_size = struct.unpack_from("<I", data, directory + 0x10)[0]
    chunk = directory + header_length
    while chunk < directory + length:
        if data[chunk:chunk + 4] == b"PMGL":
            end = chunk + chunk_size - struct.unpack_from("<I", data, chunk + 4)[0]
            at = chunk + 20
            while at < end:
                size, at = encint(data, at)
                name = data[at:at + size]
                section, at = encint(data, at + size)
                offset, at = encint(data, at)
                _, at = encint(data, at)
                if name == wanted and section == 0:
                    return content + offset
        chunk += chunk_size
    sys.exit(f"make_demo_help.py: no {wanted.decode()} in the compiled help")


def without_timestamps(data):
    data = bytearray(data)
    if data[:4] != b"ITSF":
        sys.exit("make_demo_help.py: chmcmd wrote no CHM")
    data[HEADER_TIMESTAMP:HEADER_TIMESTAMP + 4] = bytes(4)
    system = entry_offset(data, b"/#SYSTEM")
    record = system + 4  # after the file's version
    while True:
        code, size = struct.unpack_from("<HH", data, record)
        if code == SYSTEM_TIMESTAMP_CODE:
            data[record + 4:record + 4 + size] = bytes(size)
            return bytes(data)
        record += 4 + size


def main(source, out, chmcmd):
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name in SOURCES:
            with open(os.path.join(source, name), encoding="utf-8") as f:
                text = f.read()
            with open(os.path.join(work, name), "wb") as f:
                f.write(text.replace("\n", "\r\n").encode("cp932"))
        done = subprocess.run([chmcmd, "--no-html-scan", PROJECT], cwd=work,
                              capture_output=True, text=True)
        if done.returncode != 0 or not os.path.exists(os.path.join(work, CHM)):
            sys.exit(f"make_demo_help.py: {chmcmd} failed (exit code {done.returncode}):\n"
                     + done.stdout + done.stderr)
        with open(os.path.join(work, CHM), "rb") as f:
            chm = without_timestamps(f.read())
        with open(os.path.join(work, PAGE), "rb") as f:
            page = f.read()
    for name, data in ((CHM, chm), (PAGE, page)):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:4])
