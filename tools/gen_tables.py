#!/usr/bin/env python3
"""Writes the shipped translation tables into data/Tabellen from the one
mapping below. Deterministic: running it again gives the same files.

- Standard.tab: the 64 six-dot cells in North American Braille ASCII, the
  character set of BRF files, letters in lower case. Cell 4-5-6 is written
  twice: under "4567", where modes 1, 3 and 4 look it up, and under "456",
  its key in mode 5 and in combinations.
- Brl2UniBrl.tab: the empty cell and all 255 eight-dot patterns to the
  Unicode braille patterns U+2800 + mask.
- Deutsch.tab: German basic braille, with combinations (cells joined by "|")
  for digits (number sign 3-4-5-6) and capitals (capital sign 4-6).
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "data", "Tabellen")

LETTERS = {
    "a": "1", "b": "12", "c": "14", "d": "145", "e": "15", "f": "124", "g": "1245", "h": "125",
    "i": "24", "j": "245", "k": "13", "l": "123", "m": "134", "n": "1345", "o": "135", "p": "1234",
    "q": "12345", "r": "1235", "s": "234", "t": "2345", "u": "136", "v": "1236", "w": "2456",
    "x": "1346", "y": "13456", "z": "1356",
}

BRAILLE_ASCII = dict(LETTERS, **{
    " ": "0", "!": "2346", '"': "5", "#": "3456", "$": "1246", "%": "146", "&": "12346", "'": "3",
    "(": "12356", ")": "23456", "*": "16", "+": "346", ",": "6", "-": "36", ".": "46", "/": "34",
    "0": "356", "1": "2", "2": "23", "3": "25", "4": "256", "5": "26", "6": "235", "7": "2356",
    "8": "236", "9": "35", ":": "156", ";": "56", "<": "126", "=": "123456", ">": "345", "?": "1456",
    "@": "4", "[": "246", "\\": "1256", "]": "12456", "^": "45", "_": "456",
})

GERMAN_CELLS = dict(LETTERS, **{
    "ä": "345", "ö": "246", "ü": "1256", "ß": "2346",
    "au": "16", "eu": "126", "ei": "146", "ch": "1456", "sch": "156", "st": "23456", "äu": "34", "ie": "346",
    " ": "0", ".": "3", ",": "2", ";": "23", ":": "25", "?": "26", "!": "235", "-": "36", "(": "2356",
    "\u201e": "236", "\u201c": "356", "'": "6",
})
NUMBER_SIGN = "3456"
CAPITAL_SIGN = "46"


def value(text):
    return "|".join(str(ord(c)) for c in text)


def pattern(mask):
    return "".join(str(dot + 1) for dot in range(8) if mask & (1 << dot)) or "0"


def write(name, title, entries):
    names = [n for n, _ in entries]
    assert len(names) == len(set(names)), name
    lines = [title] + [f"{n}={v}" for n, v in entries]
    with open(os.path.join(OUT, name), "w", encoding="ascii", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


def standard():
    cells = {cell: char for char, cell in BRAILLE_ASCII.items()}
    assert len(cells) == 64 and "4567" not in cells
    cells["4567"] = cells["456"]
    order = sorted(cells, key=lambda c: (c != "0", len(c), c))
    return [(cell, value(cells[cell])) for cell in order]


def unicode_braille():
    return [(pattern(mask), str(0x2800 + mask)) for mask in range(256)]


def german():
    entries = [(cell, value(text)) for text, cell in GERMAN_CELLS.items()]
    digits = "1234567890"
    entries += [(f"{NUMBER_SIGN}|{LETTERS[letter]}", value(digit)) for letter, digit in zip("abcdefghij", digits)]
    capitals = dict(LETTERS, **{umlaut: GERMAN_CELLS[umlaut] for umlaut in "äöü"})
    entries += [(f"{CAPITAL_SIGN}|{cell}", value(letter.upper())) for letter, cell in capitals.items()]
    return entries


def main():
    os.makedirs(OUT, exist_ok=True)
    write("Standard.tab", "Standard (Braille-ASCII)", standard())
    write("Brl2UniBrl.tab", "Braille 8-Punkt zu Unicode-Braille", unicode_braille())
    write("Deutsch.tab", "Deutsche Basisschrift", german())


if __name__ == "__main__":
    main()
