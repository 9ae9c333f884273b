#!/usr/bin/python3
"""Copies a TrueType face under another family name: every name record that
names the family, the full name, the unique name or the PostScript name is
rewritten; the letters stay as they are. The Windows cross-check uses it to
give Wine's tests a font folder shaped as the runner's is (a stand-in without
bold or italic of its own ahead of a family with them).

    cmake/renamed-face.py SOURCE.ttf DESTINATION.ttf "FAMILY"
"""

import struct
import sys

# Family, unique identifier, full name, PostScript name, typographic family.
RENAMED = {1: "family", 3: "full", 4: "full", 6: "postscript", 16: "family"}


def encoded(text, platform):
    # Macintosh names are one byte a letter; Unicode and Windows ones UTF-16.
    return text.encode("latin-1") if platform == 1 else text.encode("utf-16-be")


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: renamed-face.py SOURCE DESTINATION FAMILY")
    source, destination, family = sys.argv[1:]
    texts = {"family": family, "full": family, "postscript": family.replace(" ", "")}
    face = bytearray(open(source, "rb").read())
    tables = struct.unpack(">H", face[4:6])[0]
    for entry in range(12, 12 + 16 * tables, 16):
        if face[entry:entry + 4] == b"name":
            break
    else:
        sys.exit(f"{source} has no name table")
    offset, length = struct.unpack(">II", face[entry + 8:entry + 16])
    name = face[offset:offset + length]
    _, count, strings = struct.unpack(">HHH", name[:6])
    records, storage = [], bytearray()
    for record in range(count):
        platform, encoding, language, name_id, size, start = struct.unpack(
            ">HHHHHH", name[6 + 12 * record:18 + 12 * record])
        text = name[strings + start:strings + start + size]
        if name_id in RENAMED:
            text = encoded(texts[RENAMED[name_id]], platform)
        records.append(struct.pack(">HHHHHH", platform, encoding, language, name_id, len(text), len(storage)))
        storage += text
    # Format 0 only: the language tags of format 1 are dropped with it.
    table = struct.pack(">HHH", 0, count, 6 + 12 * count) + b"".join(records) + storage
    # The new table goes at the end, on a four-byte boundary; its entry points there.
    face += b"\0" * (-len(face) % 4)
    face[entry + 8:entry + 16] = struct.pack(">II", len(face), len(table))
    face += table + b"\0" * (-len(table) % 4)
    open(destination, "wb").write(face)


if __name__ == "__main__":
    main()
