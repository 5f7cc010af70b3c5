#!/usr/bin/env python3
"""Checks the shipped fonts in DATA/Fonts against DATA/Tabellen/Standard.tab.

The raised dots of a glyph are read back from its outlines: every outer
contour must lie wholly inside one box of a two-column, four-row grid laid
over the cell (advance width by ascent to descent), a contour without a hole
is a raised dot, one with a hole of opposite winding is a ring (an unraised
position). Each character of the table must show exactly its cell (plus dots
7 and 8 in the variants), each of U+2800..U+28FF its own pattern.

  fonts_test.py --data DATA --junit OUT.xml

Prints one line per check and "N passed, N failed" last; exits 1 on any
failure.
"""
import argparse
import os
import sys
import time
import xml.etree.ElementTree as ET


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

from fontTools.ttLib import TTFont  # noqa: E402

# file, face, dots every table character gets in addition, rings drawn
BRAILLE_FONTS = [
    ("BRL0.ttf", "8ptBraille0", (), False),
    ("BRL7.ttf", "8ptBraille7", (7,), False),
    ("BRL8.ttf", "8ptBraille8", (8,), False),
    ("BRL78.ttf", "8ptBraille78", (7, 8), False),
    ("BLISTA6P.ttf", "blistabraille6+", (), True),
    ("BLISTA6.ttf", "blistabraille", (), False),
]
# (column, row) of the grid box -> dot
DOT_AT = {(0, 0): 1, (0, 1): 2, (0, 2): 3, (1, 0): 4, (1, 1): 5, (1, 2): 6, (0, 3): 7, (1, 3): 8}
SIX_DOTS = frozenset(range(1, 7))
MAX_REPORTED = 8


class CheckFailed(Exception):
    pass


def read_table(path):
    """{code point: frozenset of dots} of a six-dot table file. Digits 7 and 8
    of a key are no part of a six-dot cell (cell 4-5-6 is keyed both "456"
    and "4567"), so a character listed twice must have the same cell."""
    with open(path, "rb") as source:
        lines = source.read().decode("ascii").splitlines()
    cells = {}
    for line in lines[1:]:
        if not line.strip():
            continue
        key, _, value = line.partition("=")
        if not key.isdigit() or not value.isdigit():
            raise CheckFailed(f"unreadable table line {line!r}")
        dots = frozenset(int(d) for d in key if d in "123456")
        if cells.setdefault(int(value), dots) != dots:
            raise CheckFailed(f"character {value} under two cells: {line!r}")
    return cells


def dots_of(code):
    return frozenset(bit + 1 for bit in range(8) if (code - 0x2800) & (1 << bit))


def show(dots):
    return "".join(str(d) for d in sorted(dots)) or "none"


class Cell:
    """The grid of a braille font and the reading of its glyphs."""

    def __init__(self, font):
        self.font = font
        self.glyf = font["glyf"]
        self.cmap = font.getBestCmap()
        self.advance = font["hmtx"][".notdef"][0]
        self.top = font["hhea"].ascent
        self.bottom = font["hhea"].descent
        self.column_width = self.advance / 2
        self.row_height = (self.top - self.bottom) / 4

    def read(self, code):
        """(raised dots, ring positions) of the glyph of a character."""
        name = self.cmap.get(code)
        if name is None:
            raise CheckFailed("no glyph")
        glyph = self.glyf[name]
        if glyph.isComposite():
            coordinates, ends, _ = glyph.getCoordinates(self.glyf)
        elif glyph.numberOfContours == 0:
            return frozenset(), frozenset()
        else:
            coordinates, ends = glyph.coordinates, glyph.endPtsOfContours
        contours, start = [], 0
        for end in ends:
            contours.append([tuple(p) for p in coordinates[start:end + 1]])
            start = end + 1
        boxes = [box(points) for points in contours]
        areas = [signed_area(points) for points in contours]
        parents = []
        for i, inner in enumerate(boxes):
            outers = [j for j, outer in enumerate(boxes) if j != i and inside(inner, outer)]
            if len(outers) > 1:
                raise CheckFailed("contour nested more than one deep")
            parents.append(outers[0] if outers else None)
        raised, rings = set(), set()
        for i, parent in enumerate(parents):
            if parent is not None:
                continue
            holes = [j for j, p in enumerate(parents) if p == i]
            dot = self.dot_for(boxes[i])
            if dot in raised or dot in rings:
                raise CheckFailed(f"two shapes at dot {dot}")
            if not holes:
                x0, y0, x1, y1 = boxes[i]
                if abs((x1 - x0) - (y1 - y0)) > 0.1 * (x1 - x0) or (x1 - x0) < 0.2 * self.column_width:
                    raise CheckFailed(f"shape at dot {dot} is no round dot")
                raised.add(dot)
            elif len(holes) == 1 and (areas[holes[0]] > 0) != (areas[i] > 0):
                rings.add(dot)
            else:
                raise CheckFailed(f"shape at dot {dot} is neither a dot nor a ring")
        return frozenset(raised), frozenset(rings)

    def dot_for(self, bounds):
        x0, y0, x1, y1 = bounds
        column = int(x0 // self.column_width)
        row = int((self.top - y1) // self.row_height)
        left, right = column * self.column_width, (column + 1) * self.column_width
        upper, lower = self.top - row * self.row_height, self.top - (row + 1) * self.row_height
        if (column, row) not in DOT_AT or not (left <= x0 and x1 <= right and lower <= y0 and y1 <= upper):
            raise CheckFailed(f"shape {bounds} outside the dot grid")
        return DOT_AT[(column, row)]


def box(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return min(xs), min(ys), max(xs), max(ys)


def inside(inner, outer):
    return outer[0] < inner[0] and outer[1] < inner[1] and inner[2] < outer[2] and inner[3] < outer[3]


def signed_area(points):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1])) / 2


def compare_glyphs(cell, expected, rings):
    """expected: {code: raised dots}; rings: whether unraised dots 1..6 are
    drawn as rings."""
    problems = []
    for code, dots in sorted(expected.items()):
        want_rings = (SIX_DOTS - dots) if rings else frozenset()
        try:
            raised, ringed = cell.read(code)
        except CheckFailed as error:
            problems.append(f"U+{code:04X}: {error}")
            continue
        if raised != dots or ringed != want_rings:
            text = f"U+{code:04X} {chr(code)!r}: raised {show(raised)}, expected {show(dots)}"
            if rings or ringed:
                text += f"; rings {show(ringed)}, expected {show(want_rings)}"
            problems.append(text)
    if problems:
        more = f" (and {len(problems) - MAX_REPORTED} more)" if len(problems) > MAX_REPORTED else ""
        raise CheckFailed(f"{len(problems)} of {len(expected)} glyphs wrong: "
                          + "; ".join(problems[:MAX_REPORTED]) + more)


def windows_name(font, name_id):
    record = font["name"].getName(name_id, 3, 1, 0x409)
    return record.toUnicode() if record else None


def check_names(font, family):
    found = {nid: windows_name(font, nid) for nid in (1, 2, 4, 6)}
    wanted = {1: family, 2: "Regular"}
    wrong = [f"name {nid} is {found[nid]!r}, expected {value!r}" for nid, value in wanted.items()
             if found[nid] != value]
    if not found[4]:
        wrong.append("no full name")
    if not found[6] or any(c in found[6] for c in " []{}()<>/%"):
        wrong.append(f"bad PostScript name {found[6]!r}")
    if wrong:
        raise CheckFailed("; ".join(wrong))


def check_format(font):
    wrong = []
    subtables = {(t.platformID, t.platEncID, t.format) for t in font["cmap"].tables}
    if (3, 1, 4) not in subtables or not any(p == 0 and f == 4 for p, _, f in subtables):
        wrong.append(f"cmap subtables {sorted(subtables)}")
    if font.getGlyphOrder()[0] != ".notdef":
        wrong.append("first glyph is not .notdef")
    advances = {advance for advance, _ in font["hmtx"].metrics.values()}
    if len(advances) != 1 or not font["post"].isFixedPitch:
        wrong.append(f"not monospaced: advances {sorted(advances)}")
    os2 = font["OS/2"]
    if not os2.ulUnicodeRange3 & (1 << (82 - 64)):
        wrong.append("OS/2 lacks the braille Unicode range")
    if not os2.ulCodePageRange1 & 1:
        wrong.append("OS/2 lacks code page 1252")
    if os2.usWinAscent <= 0 or os2.usWinDescent < 0 or font["hhea"].ascent <= 0:
        wrong.append("bad vertical metrics")
    if wrong:
        raise CheckFailed("; ".join(wrong))


def braille_checks(folder, table, file, family, extra, rings):
    path = os.path.join(folder, file)

    def load():
        return TTFont(path)

    def table_cells():
        if table is None:
            raise CheckFailed("Standard.tab unreadable")
        expected = {code: dots | frozenset(extra) for code, dots in table.items() if code != 0x20}
        compare_glyphs(Cell(load()), expected, rings)

    def unicode_patterns():
        compare_glyphs(Cell(load()), {code: dots_of(code) for code in range(0x2800, 0x2900)}, rings)

    def space():
        compare_glyphs(Cell(load()), {0x20: frozenset()}, rings)

    return [
        (file, "face names", lambda: check_names(load(), family)),
        (file, "font format", lambda: check_format(load())),
        (file, "Standard.tab characters show their cells", table_cells),
        (file, "U+2800..U+28FF show their patterns", unicode_patterns),
        (file, "space is the empty cell", space),
    ]


def charis_checks(folder):
    def names():
        check_names(TTFont(os.path.join(folder, "CharisSIL-R.ttf")), "Charis SIL")

    def licence():
        with open(os.path.join(folder, "OFL.txt"), encoding="utf-8") as source:
            text = source.read()
        for needed in ("SIL OPEN FONT LICENSE Version 1.1", "Reserved Font Names \"Charis\""):
            if needed not in text:
                raise CheckFailed(f"OFL.txt lacks {needed!r}")

    return [("CharisSIL-R.ttf", "face names", names), ("CharisSIL-R.ttf", "licence text beside it", licence)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--data", required=True, help="folder with Fonts/ and Tabellen/")
    parser.add_argument("--junit", help="JUnit XML report to write")
    args = parser.parse_args()
    folder = os.path.join(args.data, "Fonts")
    try:
        table = read_table(os.path.join(args.data, "Tabellen", "Standard.tab"))
    except (OSError, UnicodeDecodeError, CheckFailed) as error:
        print(f"Standard.tab: {error}")
        table = None

    checks = []
    for file, family, extra, rings in BRAILLE_FONTS:
        checks += braille_checks(folder, table, file, family, extra, rings)
    checks += charis_checks(folder)

    suite = ET.Element("testsuite", name="fonts")
    passed = failed = 0
    started = time.monotonic()
    for file, name, check in checks:
        begin = time.monotonic()
        case = ET.SubElement(suite, "testcase", classname=f"fonts.{file}", name=name)
        try:
            check()
        except Exception as error:  # every fault of a check is its failure
            message = f"{type(error).__name__}: {error}" if not isinstance(error, CheckFailed) else str(error)
            ET.SubElement(case, "failure", message=message[:200]).text = message
            print(f"FAIL {file}: {name}: {message}")
            failed += 1
        else:
            print(f"ok   {file}: {name}")
            passed += 1
        case.set("time", f"{time.monotonic() - begin:.3f}")
    suite.set("tests", str(passed + failed))
    suite.set("failures", str(failed))
    suite.set("time", f"{time.monotonic() - started:.3f}")
    if args.junit:
        os.makedirs(os.path.dirname(os.path.abspath(args.junit)), exist_ok=True)
        ET.ElementTree(suite).write(args.junit, encoding="utf-8", xml_declaration=True)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
