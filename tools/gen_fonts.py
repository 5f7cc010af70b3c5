#!/usr/bin/env python3
"""Writes the shipped fonts into data/Fonts. Deterministic: running it again
gives the same files.

- BRL0.ttf, BRL7.ttf, BRL8.ttf, BRL78.ttf (faces "8ptBraille0",
  "8ptBraille7", "8ptBraille8", "8ptBraille78"): eight-dot cells, four rows of
  two dots. Every character of Tabellen/Standard.tab shows the cell the table
  gives it, with dot 7, dot 8 or both added in the three variants. Unraised
  positions are not drawn.
- BLISTA6P.ttf ("blistabraille6+"): six-dot cells, raised dots as filled
  circles, unraised positions as small rings. BLISTA6.ttf ("blistabraille"):
  the raised dots only.
- Every braille font also has the 256 Unicode braille patterns U+2800 to
  U+28FF (bit k of the offset is dot k+1; dots 7 and 8 sit in a fourth row
  in the six-dot fonts too) and the space as an empty cell.
- CharisSIL-R.ttf: Debian's Charis SIL regular, copied unchanged, with its
  licence as OFL.txt.

Needs fontTools (Debian package python3-fonttools) and the Charis SIL font
(fonts-sil-charis).
"""
import math
import os
import shutil
import sys


def _import_fonttools():
    try:
        import fontTools  # noqa: F401
    except ImportError:
        # The Debian package installs into the system interpreter only.
        system = "/usr/bin/python3"
        if os.path.exists(system) and os.path.realpath(sys.executable) != os.path.realpath(system):
            os.execv(system, [system] + sys.argv)
        raise


_import_fonttools()

from fontTools.fontBuilder import FontBuilder  # noqa: E402
from fontTools.pens.ttGlyphPen import TTGlyphPen  # noqa: E402
from fontTools.ttLib import newTable  # noqa: E402
from fontTools.ttLib.tables import ttProgram  # noqa: E402
from fontTools.ttLib.tables.O_S_2f_2 import Panose  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")
OUT = os.path.join(DATA, "Fonts")
STANDARD_TAB = os.path.join(DATA, "Tabellen", "Standard.tab")

CHARIS_SOURCE = "/usr/share/fonts/truetype/charis/CharisSIL-Regular.ttf"
CHARIS_COPYRIGHT = "/usr/share/doc/fonts-sil-charis/copyright"

# file, face, dots added to every table character, rings at the unraised
# positions of dots 1 to 6
BRAILLE_FONTS = [
    ("BRL0.ttf", "8ptBraille0", 0x00, False),
    ("BRL7.ttf", "8ptBraille7", 0x40, False),
    ("BRL8.ttf", "8ptBraille8", 0x80, False),
    ("BRL78.ttf", "8ptBraille78", 0xC0, False),
    ("BLISTA6P.ttf", "blistabraille6+", 0x00, True),
    ("BLISTA6.ttf", "blistabraille", 0x00, False),
]

# Font units; the em box runs from DESCENT to ASCENT and is divided into four
# rows of equal height and two columns of half the advance each.
UNITS_PER_EM = 1000
ASCENT = 880
DESCENT = -120
ADVANCE = 600
COLUMN_X = (170, 430)
ROW_Y = (740, 500, 260, 20)
DOT_RADIUS = 75
RING_OUTER = 42
RING_INNER = 28
# Dot k (1..8) at (column, row).
DOT_PLACE = {1: (0, 0), 2: (0, 1), 3: (0, 2), 4: (1, 0), 5: (1, 1), 6: (1, 2), 7: (0, 3), 8: (1, 3)}

# 2026-01-01 00:00:00 UTC in seconds since 1904-01-01, the font's own epoch.
TIMESTAMP = 2082844800 + 1767225600
VERSION = "Version 1.000"
VENDOR = "KRVL"


def read_standard_table(path):
    """Returns {code point: dot mask} of the single-character entries of a
    six-dot table: the first line is the title, every further line
    pattern=codepoint. Digits 7 and 8 of a key are not part of a six-dot cell
    (cell 4-5-6 is keyed both "456" and "4567"); a character may be listed
    again only with the same cell."""
    with open(path, "rb") as source:
        lines = source.read().decode("ascii").splitlines()
    cells = {}
    for number, line in enumerate(lines[1:], start=2):
        if not line.strip():
            continue
        key, separator, value = line.partition("=")
        if not separator or not key or not value.isdigit():
            raise ValueError(f"{path}:{number}: not pattern=codepoint: {line!r}")
        mask = 0
        for digit in key:
            if digit not in "012345678" or (digit == "0" and key != "0"):
                raise ValueError(f"{path}:{number}: bad dot pattern {key!r}")
            if digit in "123456":
                mask |= 1 << (int(digit) - 1)
        code = int(value)
        if cells.get(code, mask) != mask:
            raise ValueError(f"{path}:{number}: character {code} listed under two cells")
        if 0x2800 <= code <= 0x28FF:
            raise ValueError(f"{path}:{number}: braille pattern {code:#x} cannot be redrawn")
        cells[code] = mask
    return cells


def circle(pen, cx, cy, radius, clockwise):
    """A closed contour of eight off-curve points; the implied on-curve
    points lie on the circle."""
    reach = radius / math.cos(math.pi / 8)
    step = -1 if clockwise else 1
    points = []
    for k in range(8):
        angle = math.pi / 8 + step * k * math.pi / 4
        points.append((round(cx + reach * math.cos(angle)), round(cy + reach * math.sin(angle))))
    pen.qCurveTo(*points, None)
    pen.closePath()


def cell_glyph(mask, rings):
    pen = TTGlyphPen(None)
    for dot in range(1, 9):
        column, row = DOT_PLACE[dot]
        cx, cy = COLUMN_X[column], ROW_Y[row]
        if mask & (1 << (dot - 1)):
            circle(pen, cx, cy, DOT_RADIUS, clockwise=True)
        elif rings and dot <= 6:
            circle(pen, cx, cy, RING_OUTER, clockwise=True)
            circle(pen, cx, cy, RING_INNER, clockwise=False)
    return pen.glyph()


def notdef_glyph():
    pen = TTGlyphPen(None)
    outer = [(50, DESCENT + 30), (50, ASCENT - 30), (ADVANCE - 50, ASCENT - 30), (ADVANCE - 50, DESCENT + 30)]
    inner = [(100, DESCENT + 80), (ADVANCE - 100, DESCENT + 80), (ADVANCE - 100, ASCENT - 80), (100, ASCENT - 80)]
    for contour in (outer, inner):
        pen.moveTo(contour[0])
        for point in contour[1:]:
            pen.lineTo(point)
        pen.closePath()
    return pen.glyph()


def glyph_name(mask):
    return f"uni{0x2800 + mask:04X}"


def build_braille_font(path, face, extra, rings, table):
    order = [".notdef"] + [glyph_name(mask) for mask in range(256)]
    glyphs = {".notdef": notdef_glyph()}
    for mask in range(256):
        glyphs[glyph_name(mask)] = cell_glyph(mask, rings)

    cmap = {0x2800 + mask: glyph_name(mask) for mask in range(256)}
    for code, mask in table.items():
        cmap[code] = glyph_name(mask | extra)
    cmap[0x20] = glyph_name(0)

    builder = FontBuilder(UNITS_PER_EM, isTTF=True)
    builder.updateHead(created=TIMESTAMP, modified=TIMESTAMP, fontRevision=1.0, lowestRecPPEM=6)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap(cmap)
    builder.setupGlyf(glyphs)
    glyf = builder.font["glyf"]
    builder.setupHorizontalMetrics({name: (ADVANCE, getattr(glyf[name], "xMin", 0)) for name in order})
    builder.setupHorizontalHeader(ascent=ASCENT, descent=DESCENT, lineGap=0)
    ps_name = face.replace("+", "plus")
    builder.setupNameTable({
        "copyright": "Copyright (c) 2026, the Korvalin developers",
        "familyName": face,
        "styleName": "Regular",
        "uniqueFontIdentifier": f"{VENDOR}: {face}: 2026",
        "fullName": face,
        "version": VERSION,
        "psName": ps_name,
    })
    builder.setupOS2(
        version=4,
        xAvgCharWidth=ADVANCE,
        usWeightClass=400,
        usWidthClass=5,
        fsType=0,
        ySubscriptXSize=650, ySubscriptYSize=600, ySubscriptXOffset=0, ySubscriptYOffset=75,
        ySuperscriptXSize=650, ySuperscriptYSize=600, ySuperscriptXOffset=0, ySuperscriptYOffset=350,
        yStrikeoutSize=50, yStrikeoutPosition=300,
        sFamilyClass=0,
        panose=_panose(),
        ulUnicodeRange1=1 << 0,      # Basic Latin
        ulUnicodeRange2=0,
        ulUnicodeRange3=1 << (82 - 64),  # Braille Patterns
        ulUnicodeRange4=0,
        achVendID=VENDOR,
        fsSelection=0x0040,          # regular
        sTypoAscender=ASCENT, sTypoDescender=DESCENT, sTypoLineGap=0,
        usWinAscent=ASCENT, usWinDescent=-DESCENT,
        ulCodePageRange1=1 << 0,     # Latin 1, so that ANSI_CHARSET finds the face
        ulCodePageRange2=0,
        sxHeight=ROW_Y[1] + DOT_RADIUS, sCapHeight=ROW_Y[0] + DOT_RADIUS,
        usDefaultChar=0, usBreakChar=0x20, usMaxContext=0,
    )
    builder.setupPost(isFixedPitch=1, underlinePosition=DESCENT + 40, underlineThickness=50)
    # Dropout control, so that small dots do not vanish at small sizes.
    prep = builder.font["prep"] = newTable("prep")
    prep.program = ttProgram.Program()
    prep.program.fromAssembly(["PUSHW[ ]", "511", "SCANCTRL[ ]", "PUSHB[ ]", "4", "SCANTYPE[ ]"])
    builder.font["maxp"].maxStackElements = 1
    builder.save(path)


def _panose():
    panose = Panose()
    for field, value in (("bFamilyType", 2), ("bSerifStyle", 0), ("bWeight", 5), ("bProportion", 9),
                         ("bContrast", 0), ("bStrokeVariation", 0), ("bArmStyle", 0), ("bLetterForm", 0),
                         ("bMidline", 0), ("bXHeight", 0)):
        setattr(panose, field, value)
    return panose


def licence_from_copyright(path):
    """The OFL text of a Debian copyright file: the paragraph "License:
    OFL-1.1-RFN" that carries a text, unfolded (one leading space removed, a
    line "." is an empty line)."""
    with open(path, encoding="utf-8") as source:
        paragraphs = source.read().split("\n\n")
    for paragraph in paragraphs:
        lines = paragraph.strip("\n").split("\n")
        if lines[0].startswith("License: OFL") and len(lines) > 1:
            body = [("" if line == " ." else line[1:]) for line in lines[1:]]
            return "\n".join(body).rstrip("\n") + "\n"
    raise ValueError(f"{path}: no licence text")


def main():
    os.makedirs(OUT, exist_ok=True)
    table = read_standard_table(STANDARD_TAB)
    for file, face, extra, rings in BRAILLE_FONTS:
        build_braille_font(os.path.join(OUT, file), face, extra, rings, table)
    shutil.copyfile(CHARIS_SOURCE, os.path.join(OUT, "CharisSIL-R.ttf"))
    with open(os.path.join(OUT, "OFL.txt"), "w", encoding="utf-8", newline="\r\n") as out:
        out.write(licence_from_copyright(CHARIS_COPYRIGHT))


if __name__ == "__main__":
    main()
