#!/usr/bin/env python3
"""Reads the icon and the version resource back from halvren.exe with wrestool (icoutils):
    exe_resources_test.py HALVREN_EXE ICON_DIR
The icon must hold the pictures the Linux build installs (ICON_DIR is its hicolor tree), size
for size and byte for byte; the version resource must name the product, the version of the
top-level CMakeLists.txt, and the copyright line and the licence of LICENSE."""
import glob
import os
import re
import struct
import subprocess
import sys

TOP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def resource(kind, *options):  # a group icon comes out as an icon file, the rest --raw
    return subprocess.run(["wrestool", "-x", "--type=" + kind, *options, sys.argv[1]],
                          check=True, capture_output=True).stdout


def string_field(raw, key):
    """A string of the version resource: the key, its end, padding to 32 bits, the value."""
    start = raw.find(key.encode("utf-16-le") + b"\0\0")
    if start < 0:
        return None
    start += 2 * len(key) + 2
    text = raw[start + (-start % 4):].decode("utf-16-le", "replace")
    return text[:text.find("\0")]


def main(icon_dir):
    version = re.search(r"project\(\w+ VERSION ([0-9.]+)",
                        open(os.path.join(TOP, "CMakeLists.txt")).read()).group(1)
    licence = open(os.path.join(TOP, "LICENSE")).read().splitlines()
    expected = {"ProductName": "HALVREN", "FileDescription": "HALVREN",
                "ProductVersion": version, "FileVersion": version, "fixed version": version + ".0",
                "LegalCopyright": next(line for line in licence if line.startswith("Copyright")),
                "Comments": licence[0] + ": see LICENSE.txt"}
    raw = resource("16", "--raw")
    read = {key: string_field(raw, key) for key in expected}
    fixed = raw.find(struct.pack("<I", 0xFEEF04BD))  # the file version as numbers follows
    high, low = struct.unpack_from("<II", raw, fixed + 8) if fixed >= 0 else (0, 0)
    read["fixed version"] = f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"

    ico = resource("14")
    count = struct.unpack_from("<H", ico, 4)[0] if len(ico) >= 6 else 0
    entries = [struct.unpack_from("<II", ico, 14 + 16 * index) for index in range(count)]
    pictures = {struct.unpack(">I", ico[at + 16:at + 20])[0]: ico[at:at + size]
                for size, at in entries}  # a PNG's side, from its header
    linux = {int(path.split(os.sep)[-3].split("x")[0]): open(path, "rb").read()
             for path in glob.glob(os.path.join(icon_dir, "*x*", "apps", "*.png"))}
    read["icon sides"] = sorted(side for side in pictures if pictures[side] == linux.get(side))
    expected["icon sides"] = sorted(linux) or "the Linux icon (none found)"

    print("\n".join(f"halvren.exe: {key} = {read[key]!r}" for key in expected))
    faults = [f"{key} is {read[key]!r}, not {value!r}" for key, value in expected.items()
              if read[key] != value]
    for fault in faults:
        print("FAIL: " + fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[2]) if len(sys.argv) == 3 else __doc__)
