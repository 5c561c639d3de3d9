#!/usr/bin/python3
"""Makes the VudedoGreek font from DejaVu Sans.

The word database keeps Greek as Latin keys; this font shows those keys as
Greek letters: lower-case keys as small letters, upper-case keys as capitals,
"V" as final sigma, and "v" as a zero-width acute accent that sits over the
letter before it. Digits and punctuation keep DejaVu's own glyphs.

Usage: make_vudedo_font.py SOURCE.ttf OUTPUT.ttf
"""
import sys
from fontTools.ttLib import TTFont

# Latin key -> Greek small letter, in the order of the Greek alphabet.
KEYS = "abgdezhqiklmnxoprstufcyw"
GREEK_SMALL = "αβγδεζηθικλμνξοπρστυφχψω"


def main(source, output):
    font = TTFont(source)
    cmap_src = font.getBestCmap()

    def glyph_of(ch):
        return cmap_src[ord(ch)]

    mapping = {}
    for key, small in zip(KEYS, GREEK_SMALL):
        mapping[key] = glyph_of(small)
        mapping[key.upper()] = glyph_of(small.upper())
    mapping["V"] = glyph_of("ς")          # final sigma
    mapping["v"] = "acutecomb"            # zero-width combining acute
    for table in font["cmap"].tables:
        if not table.isUnicode():
            continue
        for key, glyph in mapping.items():
            table.cmap[ord(key)] = glyph

    # Without these tables the shaper leaves the accent where the font draws it:
    # over the letter before it. With them it repositions marks unpredictably.
    for tag in ("GPOS", "GSUB", "GDEF", "kern"):
        if tag in font:
            del font[tag]

    names = font["name"]
    style = names.getDebugName(2) or "Book"
    regular = style in ("Book", "Regular")
    full = "VudedoGreek" if regular else "VudedoGreek " + style
    for record in names.names:
        if record.nameID in (1, 16):
            record.string = "VudedoGreek"
        elif record.nameID == 4:
            record.string = full
        elif record.nameID == 6:
            record.string = full.replace(" ", "-")
        elif record.nameID == 3:
            record.string = full + ": generated from DejaVu Sans"
    font.save(output)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
