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
ICON_GROUP, VERSION = "14", "16"  # resource types; a group comes out as an icon file
FIXED_INFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def resource(exe, kind, *options):
    return subprocess.run(["wrestool", "-x", "--type=" + kind, *options, exe], check=True,
                          capture_output=True).stdout


def icon_pictures(ico):
    """{side: PNG bytes} of an icon file whose images are PNGs."""
    count = struct.unpack_from("<HHH", ico)[2] if len(ico) >= 6 else 0
    pictures = {}
    for index in range(count):
        _, _, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * index)
        picture = ico[offset:offset + size]
        pictures[struct.unpack(">I", picture[16:20])[0]] = picture  # the PNG header's width
    return pictures


def string_field(raw, key):
    """A value of the version resource's string table: the key, its end, padding to 32 bits."""
    start = raw.find(key.encode("utf-16-le") + b"\0\0")
    if start < 0:
        return None
    start += 2 * len(key) + 2
    start += -start % 4
    end = start
    while raw[end:end + 2] not in (b"\0\0", b""):
        end += 2
    return raw[start:end].decode("utf-16-le")


def version_fields(raw, keys):
    """The string table's fields, and the fixed part's file and product versions."""
    fields = {key: string_field(raw, key) for key in keys}
    fixed = raw.find(FIXED_INFO_SIGNATURE)
    if fixed >= 0:
        numbers = struct.unpack_from("<6I", raw, fixed)[2:]
        for name, high, low in (("fixed FileVersion", *numbers[0:2]),
                                ("fixed ProductVersion", *numbers[2:4])):
            fields[name] = f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"
    return fields


def main(exe, icon_dir):
    with open(os.path.join(TOP, "CMakeLists.txt")) as cmake:
        version = re.search(r"project\(\w+ VERSION ([0-9.]+)", cmake.read()).group(1)
    with open(os.path.join(TOP, "LICENSE")) as licence:
        lines = licence.read().splitlines()
    expected = {"ProductName": "HALVREN", "FileDescription": "HALVREN",
                "ProductVersion": version, "FileVersion": version,
                "fixed FileVersion": version + ".0", "fixed ProductVersion": version + ".0",
                "LegalCopyright": next(line for line in lines if line.startswith("Copyright")),
                "Comments": lines[0] + ": see LICENSE.txt"}
    faults = []
    read = version_fields(resource(exe, VERSION, "--raw"), expected)
    for key, value in expected.items():
        print(f"version resource: {key} = {read.get(key)!r}")
        if read.get(key) != value:
            faults.append(f"{key} is {read.get(key)!r}, not {value!r}")

    linux = {}
    for path in glob.glob(os.path.join(icon_dir, "*x*", "apps", "*.png")):
        with open(path, "rb") as picture:
            linux[int(path.split(os.sep)[-3].split("x")[0])] = picture.read()
    pictures = icon_pictures(resource(exe, ICON_GROUP))
    print(f"icon: {sorted(pictures)} pixels; the Linux icon's: {sorted(linux)}")
    if not linux:
        faults.append(f"no Linux icon under {icon_dir}")
    faults += [f"the icon's {side} x {side} picture is not the Linux icon's"
               for side in sorted(set(linux) | set(pictures))
               if pictures.get(side) != linux.get(side)]
    for fault in faults:
        print("FAIL: " + fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
