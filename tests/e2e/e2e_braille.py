"""End-to-end tests of the braille files and the embosser: BRF and PEF export, opening them again, the page
dialog and the raw job to an embossing queue."""
import os
import subprocess
import tempfile
import time
import xml.etree.ElementTree as ET

from session import ROOT, expect_equal
from e2e_settings import wait_for_setting

PEF = "{http://www.daisy.org/ns/2008/pef}"
EMBOSSER = "KorvalinPraegen"
EMBOSSER_FILE = os.path.join(tempfile.gettempdir(), "korvalin-praegen", "job.brf")


def braille_ascii():
    """Standard.tab as {dot pattern: Braille ASCII byte}, letters in upper case, the first line of a cell."""
    table = {}
    with open(os.path.join(ROOT, "data", "Tabellen", "Standard.tab"), encoding="latin-1") as lines:
        for line in list(lines)[1:]:
            key, _, value = line.strip().partition("=")
            if "|" not in value and key not in table and key != "4567":
                table[key] = chr(int(value)).upper()
    table["456"] = table.get("456", "_")
    return table


def cell_char(pattern):
    """The Unicode braille character of a dot pattern such as "1456"."""
    return chr(0x2800 + sum(1 << (int(dot) - 1) for dot in pattern if dot != "0"))


def read_bytes(s, name, seconds=5):
    """The bytes of a file in the test's folder once it exists."""
    path = os.path.join(s.folder, name)
    deadline = time.time() + seconds
    while not os.path.exists(path) and time.time() < deadline:
        time.sleep(0.2)
    time.sleep(0.3)
    with open(path, "rb") as written:
        return written.read()


def export(s, item_key, name):
    """Datei > an export item by its accelerator, the file name typed into the save dialog."""
    s.menu_command("d", item_key)
    s.wait_for_dialog("the export dialog")
    s.enter_file_name(s.wine_path(name))
    return read_bytes(s, name)


def open_file(s, name):
    s.xdotool("key", "ctrl+o")
    s.wait_for_dialog("the open dialog")
    s.enter_file_name(s.wine_path(name))


# "ich schaue auf das buch." in the German table: "ch", "sch" and "au" are one cell each.
GERMAN_SENTENCE = [["24", "1456"], ["156", "16", "15"], ["16", "124"], ["145", "1", "234"], ["12", "136", "1456", "3"]]


def test_german_sentence_typed_in_mode_5_exports_as_the_braille_ascii_of_its_cells(s):
    """Mode 5 with Deutsch.tab: "ich schaue auf das buch." typed as chords, exported as BRF: one line of the
    upper-case Braille ASCII of its 16 cells, CR LF, a form feed."""
    s.xdotool("key", "ctrl+shift+2")
    expect_equal(wait_for_setting(s, "Tabellen", "Tab1Filename", "Deutsch.tab"), "Deutsch.tab", "the German table")
    s.xdotool("key", "ctrl+5")
    for number, word in enumerate(GERMAN_SENTENCE):
        if number:
            s.xdotool("key", "space")
        for pattern in word:
            s.chord(*[int(dot) for dot in pattern])
    expect_equal(s.text("ich schaue auf das buch."), "ich schaue auf das buch.", "the typed sentence")
    ascii_of = braille_ascii()
    line = " ".join("".join(ascii_of[pattern] for pattern in word) for word in GERMAN_SENTENCE)
    expect_equal(export(s, "a", "Satz.brf"), (line + "\r\n\f").encode("ascii"), "the BRF file")


def two_page_brf():
    """A BRF file in the export's form as another program writes it: every cell of Standard.tab, two pages."""
    chars = sorted(set(braille_ascii().values()) - {" "})
    lines = ["".join(chars[i:i + 20]) for i in range(0, len(chars), 20)]
    return ("\r\n".join(lines[:2]) + "\r\n\f" + "A B\r\n\r\n" + "\r\n".join(lines[2:]) + "\r\n\f").encode("ascii")


def test_brf_file_of_another_program_opens_as_cells_and_saves_to_the_same_bytes(s):
    """A two-page BRF file opens as Unicode braille with the form feed at the end of each page; exported again it
    gives the same bytes; a cell typed in front and Strg+S write BRF again into the same file, not RTF."""
    original = two_page_brf()
    with open(os.path.join(s.folder, "Fremd.brf"), "wb") as brf:
        brf.write(original)
    open_file(s, "Fremd.brf")
    cells = {char: pattern for pattern, char in braille_ascii().items()}
    expected = "".join("\r" if c == "\r" else "" if c == "\n" else "\f" if c == "\f" else cell_char(cells[c])
                       for c in original.decode("ascii").replace("\f\r\n", "\f"))
    text = s.text(expected.replace("\r", "\r\n"))
    expect_equal(text.rstrip("\r\n"), expected.replace("\r", "\r\n").rstrip("\r\n"), "the opened cells")
    expect_equal(export(s, "a", "Kopie.brf"), original, "the exported copy")

    s.refocus()
    s.xdotool("key", "ctrl+Home")
    s.xdotool("key", "ctrl+2")
    s.chord(1)
    s.xdotool("key", "ctrl+s")
    time.sleep(1.5)
    expect_equal(read_bytes(s, "Fremd.brf"), b"A" + original, "the saved file")


def set_page_through_dialog(s, cells, lines):
    """Einstellungen > Braille-Seitenformat..., both numbers typed over the old ones, Enter."""
    s.refocus()
    s.menu_command("e", "f")
    s.wait_for_dialog("the page dialog")
    expect_equal(s.run_probe("foreground"), "Braille-Seitenformat", "the dialog's caption")
    s.xdotool("type", "--delay", "50", str(cells))
    s.xdotool("key", "Tab")
    s.xdotool("type", "--delay", "50", str(lines))
    s.xdotool("key", "Return")
    deadline = time.time() + 5
    while not s.foreground_is_main():
        if time.time() > deadline:
            raise AssertionError("the page dialog did not close")
        time.sleep(0.2)
    s.refocus()


def test_pef_export_is_pef_xml_with_the_pages_and_rows_of_the_page_setting(s):
    """Page setting 10 cells, 2 lines; five lines of cells, the first 14 cells long: the PEF holds one volume of
    10 columns and 2 rows, three pages of 2, 2 and 2 rows; opened again it shows the rows, pages ended by form
    feeds."""
    set_page_through_dialog(s, 10, 2)
    expect_equal(wait_for_setting(s, "Braille", "ZeichenProZeile", "10"), "10", "the stored cells per line")
    expect_equal(wait_for_setting(s, "Braille", "ZeilenProSeite", "2"), "2", "the stored lines per page")
    first = "\u2801" * 6 + "\u2800" + "\u2803" * 7
    lines = [first, "\u2809", "\u2819", "\u2811", "\u28ff"]
    s.run_probe("settext", *[f"{ord(c):04X}" for c in "\r".join(lines)])
    pef = export(s, "e", "Seiten.pef")
    root = ET.fromstring(pef)
    expect_equal(root.tag, PEF + "pef", "the root element")
    expect_equal(root.find(f"{PEF}head/{PEF}meta/{{http://purl.org/dc/elements/1.1/}}format").text, "application/x-pef+xml",
                 "the format")
    volumes = root.findall(f"{PEF}body/{PEF}volume")
    expect_equal([(v.get("cols"), v.get("rows"), v.get("rowgap"), v.get("duplex")) for v in volumes],
                 [("10", "2", "0", "false")], "the volume")
    pages = volumes[0].findall(f"{PEF}section/{PEF}page")
    rows = [[row.text or "" for row in page.findall(f"{PEF}row")] for page in pages]
    wrapped = ["\u2801" * 6, "\u2803" * 7] + lines[1:]
    expect_equal(rows, [wrapped[0:2], wrapped[2:4], wrapped[4:6]], "the rows of the pages")

    s.refocus()
    open_file(s, "Seiten.pef")
    expected = "\f".join("\r\n".join(page) + "\r\n" for page in rows) + "\f"
    expect_equal(s.text(expected).rstrip("\r\n"), expected.rstrip("\r\n"), "the opened PEF")


def add_embosser():
    """The raw queue that writes each job to a file, made the default so that the print dialog offers it."""
    script = f'source "{ROOT}/tools/printer.sh"; printer_raw_queue {EMBOSSER} "{EMBOSSER_FILE}" && lpadmin -d {EMBOSSER}'
    subprocess.run(["bash", "-c", script], check=True, capture_output=True)


def remove_embosser():
    subprocess.run(["lpadmin", "-x", EMBOSSER], capture_output=True)
    subprocess.run(["lpadmin", "-d", "PDF"], capture_output=True)


def test_emboss_sends_exactly_the_brf_bytes_as_a_raw_job(s):
    """Cells on two lines, Datei > Prägen..., Enter in the print dialog: the embosser queue's file holds exactly the
    bytes that the BRF export writes."""
    try:
        s.run_probe("settext", *[f"{ord(c):04X}" for c in "\u2801\u2803\u2800\u2809\r\u283f\u2812"])
        expected = export(s, "a", "Praegen.brf")
        s.refocus()
        s.menu_command("d", "p")
        s.wait_for_dialog("the print dialog")
        s.xdotool("key", "Return")
        deadline = time.time() + 30
        while time.time() < deadline:
            queue = subprocess.run(["lpstat", "-o", EMBOSSER], capture_output=True, text=True).stdout.strip()
            if os.path.getsize(EMBOSSER_FILE) and not queue:
                break
            time.sleep(0.5)
        time.sleep(0.5)
        with open(EMBOSSER_FILE, "rb") as job:
            expect_equal(job.read(), expected, "the embossed bytes")
    finally:
        remove_embosser()


test_emboss_sends_exactly_the_brf_bytes_as_a_raw_job.before = add_embosser

TESTS = [
    (test_german_sentence_typed_in_mode_5_exports_as_the_braille_ascii_of_its_cells, None),
    (test_brf_file_of_another_program_opens_as_cells_and_saves_to_the_same_bytes, None),
    (test_pef_export_is_pef_xml_with_the_pages_and_rows_of_the_page_setting, None),
    (test_emboss_sends_exactly_the_brf_bytes_as_a_raw_job, None),
]
