#!/usr/bin/env python3
"""End-to-end tests: the real Korvalin.exe of an install tree under Wine in an
X display, driven by real X key events (xdotool), its state read back by the
probe program.

  e2e.py --tree DIR --probe PROBE.EXE --junit OUT.XML [--keep-screenshots DIR]

Uses DISPLAY when it is set, otherwise starts Xvfb itself. Wine comes from
tools/wine-env.sh (WINEARCH, the wine loader) with a prefix of its own beside
the probe, so that its wineserver, and with it the global keyboard hook, is
shared with no other Wine program. Every test removes the program's settings,
copies the install tree into a fresh folder, so that it can replace table
files, and ends the program afterwards.
"""
import argparse
import os
import pwd
import shutil
import subprocess
import sys
import time
import xml.etree.ElementTree as ET

from session import DOTS, TITLE, Session, expect_equal, wine_environment
import e2e_instance
import e2e_find
import e2e_settings
import e2e_width
import e2e_backfont
import e2e_hilfe
import e2e_tabdlg
import e2e_schrift
import e2e_keys
import e2e_braille


# ---- the tests: each is what a user did and what the user must observe ----

def test_chord_inserts_one_cell_whatever_the_release_order(s):
    """F+J released F first, then released J first: two "c" (cell 1-4), no letters f or j."""
    s.chord(1, 4, release=[1, 4])
    expect_equal(s.text("c"), "c", "after the first chord")
    s.chord(1, 4, release=[4, 1])
    expect_equal(s.text("cc"), "cc", "after the second chord")


def test_keys_pressed_one_after_the_other_give_two_cells(s):
    """F down, F up, J down, J up: "a" then "@" (cells 1 and 4), no letters f or j."""
    s.chord(1)
    s.chord(4)
    expect_equal(s.text("a@"), "a@", "text")


def test_other_key_in_the_middle_of_a_chord_abandons_it(s):
    """F down, G down and up, F up: only the letter g arrives."""
    s.xdotool("keydown", "f")
    s.xdotool("key", "g")
    s.xdotool("keyup", "f")
    time.sleep(0.3)
    expect_equal(s.text("g"), "g", "text")


def test_modified_dot_keys_pass_to_the_editor(s):
    """Chords "ab", then Ctrl+A selects all and chord 1-2-4 replaces everything with "f"."""
    s.chord(1)
    s.chord(1, 2)
    expect_equal(s.text("ab"), "ab", "before Ctrl+A")
    s.xdotool("key", "ctrl+a")
    s.chord(1, 2, 4)
    expect_equal(s.text("f"), "f", "after Ctrl+A and a chord")


def test_ctrl_z_takes_back_one_chord_at_a_time_and_ctrl_y_brings_one_back(s):
    """Chords 1, 1-2, 1-4: Ctrl+Z three times empties the document, Ctrl+Y brings back the "a"."""
    s.chord(1)
    s.chord(1, 2)
    s.chord(1, 4)
    expect_equal(s.text("abc"), "abc", "after three chords")
    for left in ("ab", "a", ""):
        s.xdotool("key", "ctrl+z")
        expect_equal(s.text(left), left, "after Ctrl+Z")
    s.xdotool("key", "ctrl+y")
    expect_equal(s.text("a"), "a", "after Ctrl+Y")


def test_chord_missing_from_the_table_inserts_nothing(s):
    """With a table lacking cell 1-2, chord 1-2 inserts nothing; chord 1 still works."""
    s.chord(1, 2)
    s.chord(1)
    expect_equal(s.text("a"), "a", "text")


def test_chord_replaces_the_selection(s):
    """Text "xyz" with "y" selected: chord 1 gives "xaz" with the caret after the "a"."""
    s.run_probe("settext", "78", "79", "7A")
    s.run_probe("select", "1", "2")
    s.chord(1)
    expect_equal(s.text("xaz"), "xaz", "text")
    expect_equal(s.run_probe("sel"), "2 2", "selection")


def test_dots_7_and_8_alone_give_the_unicode_braille_cell(s):
    """In the start mode, chord A+Ö (dots 7 and 8) inserts U+28C0."""
    s.chord(7, 8)
    expect_equal(s.text("\u28c0"), "\u28c0", "text")


def test_value_above_ffff_puts_the_caret_after_both_units(s):
    """A table value 128512: chord 1 inserts one emoji and the caret stands at 2."""
    s.chord(1)
    expect_equal(s.text("\U0001F600"), "\U0001F600", "text")
    expect_equal(s.run_probe("sel"), "2 2", "selection")


def test_ctrl_2_from_mode_3_switches_to_mode_2_and_ctrl_3_twice_changes_nothing(s):
    """Ctrl+3, Ctrl+3: panel 1 reads "Mod: 3 Brl6+"; Ctrl+2: "Mod: 2 Brl8-" and chord 1 comes from the 8-dot table."""
    s.xdotool("key", "ctrl+3")
    expect_equal(s.panel(1, "Mod: 3 Brl6+"), "Mod: 3 Brl6+", "panel 1 in mode 3")
    s.xdotool("key", "ctrl+3")
    expect_equal(s.panel(1), "Mod: 3 Brl6+", "panel 1 after Ctrl+3 again")
    s.xdotool("key", "ctrl+2")
    expect_equal(s.panel(1, "Mod: 2 Brl8-"), "Mod: 2 Brl8-", "panel 1 in mode 2")
    s.chord(1)
    expect_equal(s.text("\u2801"), "\u2801", "chord 1 in mode 2")


def test_combination_of_two_cells_is_looked_up_as_one_key(s):
    """F9, chords 1-2-5 and 1-4, F9: nothing while collecting, then the text of "125|14"."""
    s.xdotool("key", "F9")
    expect_equal(s.panel(2, "Zko: Ein"), "Zko: Ein", "panel 2 while collecting")
    s.chord(1, 2, 5)
    s.chord(1, 4)
    time.sleep(0.3)
    expect_equal(s.text(), "", "text while collecting")
    s.xdotool("key", "F9")
    expect_equal(s.text("x"), "x", "text after F9")
    expect_equal(s.panel(2, "Zko: Aus"), "Zko: Aus", "panel 2 afterwards")


def test_combination_ended_by_enter_is_inserted_before_the_line_break(s):
    """F9, chord 1, Enter: the text of "1", then the new line."""
    s.xdotool("key", "F9")
    s.chord(1)
    s.xdotool("key", "Return")
    expect_equal(s.text("a\r\n"), "a\r\n", "text")


def test_one_hand_entry_completes_the_chord_with_shift(s):
    """F2, then F and J one after the other, then Shift: one cell 1-4."""
    s.xdotool("key", "F2")
    expect_equal(s.panel(4, "Eha: Ein"), "Eha: Ein", "panel 4")
    s.chord(1)
    s.chord(4)
    time.sleep(0.3)
    expect_equal(s.text(), "", "text before Shift")
    s.xdotool("key", "shift")
    expect_equal(s.text("c"), "c", "text after Shift")


def test_dot_key_with_shift_types_the_letter(s):
    """Shift+F and Shift+J type "FJ" instead of a cell."""
    s.xdotool("key", "shift+f", "shift+j")
    expect_equal(s.text("FJ"), "FJ", "text")


def test_mode_0_types_letters_until_a_combination_is_started(s):
    """Ctrl+0, F D types "fd"; F9, chord 1, F9 adds the combination's text; then F types "f" again."""
    s.xdotool("key", "ctrl+0")
    s.xdotool("key", "f", "d")
    expect_equal(s.text("fd"), "fd", "typed in mode 0")
    s.xdotool("key", "F9")
    s.chord(1)
    s.xdotool("key", "F9")
    expect_equal(s.text("fda"), "fda", "after the combination")
    s.xdotool("key", "f")
    expect_equal(s.text("fdaf"), "fdaf", "typed again")


def test_status_bar_shows_the_caret_the_chord_being_built_and_the_combination(s):
    """At start "Ze 1 | Sp 1"; held dot keys and one-hand dots show their digits in the last panel until the
    cell is done; during F9 entry it shows the collected cells."""
    expect_equal(s.panel(0, "Ze 1 | Sp 1"), "Ze 1 | Sp 1", "panel 0 at start")
    s.xdotool("keydown", "f")
    s.xdotool("keydown", "d")
    expect_equal(s.panel(5, "12", seconds=1), "12", "panel 5 while dots 1 and 2 are held")
    s.xdotool("keyup", "d")
    s.xdotool("keyup", "f")
    expect_equal(s.panel(0, "Ze 1 | Sp 2"), "Ze 1 | Sp 2", "panel 0 after the cell")

    s.xdotool("key", "F2")
    s.xdotool("key", "f")
    s.xdotool("key", "j")
    expect_equal(s.panel(5, "14", seconds=1), "14", "panel 5 during one-hand entry")
    s.xdotool("key", "shift")
    expect_equal(s.panel(0, "Ze 1 | Sp 3"), "Ze 1 | Sp 3", "panel 0 after Shift completed the cell")
    if s.panel(5) == "14":
        raise AssertionError("the dots stayed in panel 5 after the cell was completed")
    s.xdotool("key", "F2")

    s.xdotool("key", "F9")
    s.chord(1, 2, 5)
    s.chord(1, 4)
    expect_equal(s.panel(5, "125|14", seconds=1), "125|14", "panel 5 during the combination")
    s.xdotool("key", "Escape")


def test_opening_a_menu_clears_a_half_built_chord(s):
    """F down, a click opens the "Modus" menu, F up, Escape twice, chord J: only cell 4."""
    s.xdotool("keydown", "f")
    s.xdotool("mousemove", "--window", s.window, "140", "10", "click", "1")
    time.sleep(0.5)
    s.xdotool("keyup", "f")
    s.xdotool("key", "Escape")
    s.xdotool("key", "Escape")
    time.sleep(0.3)
    s.refocus()
    s.chord(4)
    expect_equal(s.text("@"), "@", "text")


def test_dot_keys_type_letters_into_a_modal_dialog(s):
    """Text selected, Ctrl+T opens the font dialog: F D S J type letters there; Escape, chord 1 replaces the text."""
    s.run_probe("settext", "78", "79")
    s.xdotool("key", "ctrl+a")
    s.xdotool("key", "ctrl+t")
    s.wait_for_dialog("the font dialog")
    s.xdotool("key", "f", "d", "s", "j")
    time.sleep(0.3)
    typed = s.run_probe("focustext")
    if "fdsj" not in typed:
        raise AssertionError(f"the dialog field holds {typed!r}, not the typed letters")
    s.xdotool("key", "Escape")
    time.sleep(0.5)
    s.refocus()
    s.chord(1)
    expect_equal(s.text("a"), "a", "text after the dialog")


def test_keyboard_check_shows_the_dot_keys_held_and_escape_returns_to_chords(s):
    """Hilfe > Tastaturtest: F D S J K L held show dots 1 to 6, released none; Escape, chord 1 types "a"."""
    s.xdotool("key", "alt+h")
    time.sleep(0.5)
    s.xdotool("key", "t")
    s.wait_for_dialog("the keyboard check")
    expect_equal(s.run_probe("foreground"), "Tastaturtest", "the dialog's caption")
    for dot in range(1, 7):
        s.xdotool("keydown", DOTS[dot])
    time.sleep(0.5)  # auto-repeat changes nothing
    expect_equal(s.probe_until("Gedrückt: Punkte 1 2 3 4 5 6", "focustext"), "Gedrückt: Punkte 1 2 3 4 5 6",
                 "the field with six keys held")
    for dot in range(1, 7):
        s.xdotool("keyup", DOTS[dot])
    expect_equal(s.probe_until("Gedrückt: keine", "focustext"), "Gedrückt: keine", "the field after release")
    s.xdotool("key", "Escape")
    time.sleep(0.5)
    s.refocus()
    s.chord(1)
    expect_equal(s.text("a"), "a", "text after the dialog")


def test_window_fits_a_small_screen_and_keeps_its_minimum(s):
    """On a 1024 x 600 screen the window starts 1024 x 600 and cannot be made smaller than 1000 x 600."""
    expect_equal(s.run_probe("rect"), "1024 600", "start size")
    s.run_probe("resize", "500", "300")
    expect_equal(s.run_probe("rect"), "1000 600", "size after asking for 500 x 300")


def test_document_saved_as_rtf_opens_again_and_unsaved_changes_are_asked_about(s):
    """Cells in modes 1 to 5, Ctrl+U saves as RTF, Ctrl+F4 closes; Ctrl+O reopens the text; after a change
    Ctrl+O asks "Änderungen in ... speichern?" after the file dialog and Cancel keeps everything."""
    for mode in range(1, 6):
        s.xdotool("key", f"ctrl+{mode}")
        s.chord(1, 2)
    typed = s.text()
    if len(typed) != 5:
        raise AssertionError(f"five cells expected, got {typed!r}")
    path = s.wine_path("Brief.rtf")
    s.xdotool("key", "ctrl+u")
    s.wait_for_dialog("the save dialog")
    s.enter_file_name(path)
    deadline = time.time() + 10
    while not s.run_probe("caption").startswith("Brief.rtf - "):
        if time.time() > deadline:
            raise AssertionError("the document was not saved under its name")
        time.sleep(0.2)
    with open(os.path.join(s.folder, "Brief.rtf"), "rb") as saved:
        if not saved.read(5) == b"{\\rtf":
            raise AssertionError("the saved file is not RTF")
    expect_equal(libreoffice_text(os.path.join(s.folder, "Brief.rtf"), s.folder), typed, "the text LibreOffice reads")
    s.xdotool("key", "ctrl+F4")
    expect_equal(s.text(""), "", "text after closing")
    s.xdotool("key", "ctrl+o")
    s.wait_for_dialog("the open dialog")
    s.enter_file_name(path)
    expect_equal(s.text(typed + "\r\n").rstrip("\r\n"), typed, "text after reopening")

    s.refocus()
    s.chord(1)
    changed = s.text(typed + "a", 3)
    s.xdotool("key", "ctrl+o")
    s.wait_for_dialog("the open dialog")
    s.enter_file_name(path)
    expect_equal(s.run_probe("foreground"), TITLE, "the save question after the file dialog")
    s.xdotool("key", "Escape")
    time.sleep(0.5)
    expect_equal(s.text(), changed, "text after Cancel")


def libreoffice_convert(path, target, folder):
    """Converts a document with LibreOffice into the format TARGET (an
    extension with an optional filter); returns the new file's path."""
    profile = "file://" + os.path.join(folder, "libreoffice-profile")
    subprocess.run(["timeout", "120", "soffice", f"-env:UserInstallation={profile}", "--headless", "--convert-to",
                    target, "--outdir", os.path.join(folder, "converted"), path], check=True, capture_output=True)
    name = os.path.splitext(os.path.basename(path))[0] + "." + target.split(":")[0]
    return os.path.join(folder, "converted", name)


def libreoffice_text(path, folder):
    """The text of a document as LibreOffice reads it, lines joined by LF."""
    with open(libreoffice_convert(path, "txt:Text (encoded):UTF8", folder), encoding="utf-8-sig") as text:
        return text.read().rstrip("\n")


def test_rtf_written_by_libreoffice_opens_with_its_text(s):
    """LibreOffice writes an RTF with umlauts and braille cells; Ctrl+O opens it with that text."""
    lines = ["Grüße aus Köln", "\u2803\u2809 und ß", "Ende"]
    with open(os.path.join(s.folder, "Gruss.txt"), "w", encoding="utf-8") as text:
        text.write("\n".join(lines) + "\n")
    rtf = libreoffice_convert(os.path.join(s.folder, "Gruss.txt"), "rtf", s.folder)
    s.xdotool("key", "ctrl+o")
    s.wait_for_dialog("the open dialog")
    s.enter_file_name("Z:" + rtf.replace("/", "\\"))
    expected = "\r\n".join(lines)
    opened = s.text(expected + "\r\n").rstrip("\r\n")
    expect_equal(opened, expected, "text of the LibreOffice document")
    expect_equal(s.run_probe("caption"), f"Gruss.rtf - {TITLE}", "caption")


def pdf_folder():
    """Where the CUPS PDF printer puts the jobs of this user."""
    return os.path.join(pwd.getpwuid(os.getuid()).pw_dir, "PDF")


def test_print_reaches_the_pdf_printer_with_text_braille_and_job_name(s):
    """Mode 0 types "Hallo", mode 1 chord 1-2: Ctrl+P, Enter; the PDF holds the text and the cell and is titled
    "Drucke Dokument - Korvalin V1.21"."""
    started = time.time() - 1
    s.xdotool("key", "ctrl+0")
    s.xdotool("type", "Hallo ")
    s.xdotool("key", "ctrl+1")
    s.chord(1, 2)
    expect_equal(s.text("Hallo b"), "Hallo b", "text")
    s.xdotool("key", "ctrl+p")
    s.wait_for_dialog("the print dialog")
    s.xdotool("key", "Return")
    newest = newest_pdf(started)
    text = subprocess.run(["pdftotext", newest, "-"], capture_output=True, text=True).stdout
    if "Hallo" not in text or "\u2803" not in text:
        raise AssertionError(f"the PDF holds {text!r}")
    info = subprocess.run(["pdfinfo", newest], capture_output=True, text=True).stdout
    if "Drucke Dokument - Korvalin V1.21" not in info:
        raise AssertionError(f"the PDF's title is wrong: {info!r}")


def newest_pdf(started):
    """The PDF of the newest print job since STARTED, once the queue is empty."""
    deadline = time.time() + 40
    while time.time() < deadline:
        pdfs = [os.path.join(pdf_folder(), name) for name in os.listdir(pdf_folder())] if os.path.isdir(pdf_folder()) else []
        pdfs = [path for path in pdfs if os.path.getmtime(path) >= started]
        queue = subprocess.run(["lpstat", "-o"], capture_output=True, text=True).stdout.strip()
        if pdfs and not queue:
            time.sleep(0.5)
            return max(pdfs, key=os.path.getmtime)
        time.sleep(0.5)
    raise AssertionError("no PDF appeared")


def test_print_of_several_pages_in_two_copies_gives_both_copies_whole(s):
    """A document of 150 lines, Ctrl+P, two copies in the print dialog, Enter: the PDF holds the document twice,
    page for page, and its last page ends with the last line."""
    with open(os.path.join(s.folder, "Lang.txt"), "w", newline="\r\n") as out:
        out.write("\n".join(f"Zeile {n}" for n in range(1, 151)) + "\n")
    s.start_again(s.wine_path("Lang.txt"))
    expect_equal(s.run_probe("caption"), f"Lang.txt - {TITLE}", "caption")
    started = time.time() - 1
    s.xdotool("key", "ctrl+p")
    s.wait_for_dialog("the print dialog")
    s.xdotool("key", "alt+c")
    s.xdotool("type", "2")
    s.xdotool("key", "Return")
    pages = subprocess.run(["pdftotext", "-layout", newest_pdf(started), "-"], capture_output=True,
                           text=True).stdout.split("\f")[:-1]
    half = len(pages) // 2
    collated = pages[:half] == pages[half:]
    uncollated = pages[0::2] == pages[1::2]
    if half < 2 or len(pages) % 2 or not (collated or uncollated):
        raise AssertionError(f"{len(pages)} pages, not two copies of several: {[p[:20] for p in pages]!r}")
    if "Zeile 1\n" not in pages[0] or "Zeile 150" not in pages[-1]:
        raise AssertionError(f"first page {pages[0][:40]!r}, last page {pages[-1][-40:]!r}")


def test_a_screen_reader_library_loads_from_the_program_folder_only(s):
    """A document opened from a folder that also holds a library named like the NVDA client, and the same
    library on PATH: the program does not load it; placed beside the program, it is loaded from there."""
    standin = os.path.join(os.path.dirname(os.path.dirname(s.probe)), "win32", "nvdaControllerClient32.dll")
    documents, path = os.path.join(s.folder, "Dokumente"), os.path.join(s.folder, "Pfad")
    for folder in (documents, path):
        os.makedirs(folder)
        shutil.copy(standin, folder)
    with open(os.path.join(documents, "Brief.txt"), "w") as out:
        out.write("Hallo\n")
    s.env = dict(s.env, WINEPATH=s.wine_path("Pfad"))
    s.start_again(s.wine_path("Dokumente\\Brief.txt"), cwd=documents)
    expect_equal(s.run_probe("caption"), f"Brief.txt - {TITLE}", "caption")
    loaded = [m for m in s.run_probe("modules").lower().splitlines() if m.endswith("nvdacontrollerclient32.dll")]
    expect_equal(loaded, [], "libraries of the NVDA client's name")
    shutil.copy(standin, os.path.join(s.folder, "Korvalin"))
    s.start_again(s.wine_path("Dokumente\\Brief.txt"), cwd=documents)
    loaded = [m for m in s.run_probe("modules").lower().splitlines() if m.endswith("nvdacontrollerclient32.dll")]
    expect_equal(loaded, [s.wine_path("Korvalin\\nvdaControllerClient32.dll").lower()], "the library loaded")


def test_print_without_a_printer_says_so(s):
    """Without any printer Ctrl+P shows "Es ist kein Drucker installiert!" and the space bar closes it."""
    s.chord(1)
    s.xdotool("key", "ctrl+p")
    s.wait_for_dialog("the message")
    expect_equal(s.run_probe("foreground"), TITLE, "the message box")
    expect_equal(s.run_probe("boxtext"), "Es ist kein Drucker installiert!", "its text")
    for _ in range(3):  # under Wine the first key after the box opens may not reach it
        s.xdotool("key", "space")
        time.sleep(0.7)
        if s.foreground_is_main():
            return
    raise AssertionError("the message did not close")


def without_printer(run):
    """Runs a test with the default printer removed, and adds it again."""
    def wrapped(s):
        try:
            run(s)
        finally:
            add_printer()
    wrapped.__name__ = run.__name__
    wrapped.before = remove_printer
    return wrapped


def remove_printer():
    subprocess.run(["lpadmin", "-x", "PDF"], capture_output=True)


def add_printer():
    subprocess.run(["lpadmin", "-p", "PDF", "-E", "-v", "cups-pdf:/", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"],
                   capture_output=True)
    subprocess.run(["lpadmin", "-d", "PDF"], capture_output=True)


SMALL_TABLE = ["Kleine Tabelle", "1=97", "14=99"]
COMBINATION_TABLE = ["Kombinationen", "1=97", "4=64", "14=99", "125|14=120"]
TESTS = [
    (test_chord_inserts_one_cell_whatever_the_release_order, None),
    (test_keys_pressed_one_after_the_other_give_two_cells, None),
    (test_other_key_in_the_middle_of_a_chord_abandons_it, None),
    (test_modified_dot_keys_pass_to_the_editor, None),
    (test_ctrl_z_takes_back_one_chord_at_a_time_and_ctrl_y_brings_one_back, None),
    (test_chord_missing_from_the_table_inserts_nothing, {"Standard.tab": SMALL_TABLE}),
    (test_chord_replaces_the_selection, None),
    (test_dots_7_and_8_alone_give_the_unicode_braille_cell, None),
    (test_value_above_ffff_puts_the_caret_after_both_units, {"Standard.tab": ["Emoji", "1=128512"]}),
    (test_ctrl_2_from_mode_3_switches_to_mode_2_and_ctrl_3_twice_changes_nothing, None),
    (test_combination_of_two_cells_is_looked_up_as_one_key, {"Standard.tab": COMBINATION_TABLE}),
    (test_combination_ended_by_enter_is_inserted_before_the_line_break, None),
    (test_one_hand_entry_completes_the_chord_with_shift, None),
    (test_dot_key_with_shift_types_the_letter, None),
    (test_mode_0_types_letters_until_a_combination_is_started, None),
    (test_status_bar_shows_the_caret_the_chord_being_built_and_the_combination, None),
    (test_opening_a_menu_clears_a_half_built_chord, None),
    (test_dot_keys_type_letters_into_a_modal_dialog, None),
    (test_keyboard_check_shows_the_dot_keys_held_and_escape_returns_to_chords, None),
    (test_document_saved_as_rtf_opens_again_and_unsaved_changes_are_asked_about, None),
    (test_rtf_written_by_libreoffice_opens_with_its_text, None),
    (test_print_reaches_the_pdf_printer_with_text_braille_and_job_name, None),
    (test_print_of_several_pages_in_two_copies_gives_both_copies_whole, None),
    (without_printer(test_print_without_a_printer_says_so), None),
    (test_window_fits_a_small_screen_and_keeps_its_minimum, None, "1024x600"),
    (test_a_screen_reader_library_loads_from_the_program_folder_only, None),
] + (e2e_instance.TESTS + e2e_settings.TESTS + e2e_find.TESTS + e2e_width.TESTS + e2e_schrift.TESTS
     + e2e_tabdlg.TESTS + e2e_hilfe.TESTS + e2e_backfont.TESTS + e2e_keys.TESTS
     + e2e_braille.TESTS)


def start_display(env, screen=None):
    """Uses the display in env if it works, unless a screen size is asked for;
    otherwise starts Xvfb and sets DISPLAY in env. Returns the server or None."""
    if not screen and env.get("DISPLAY") and subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode == 0:
        return None
    # The server picks a free display number itself and writes it to stdout.
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", f"{screen or '1280x1024'}x24", "-noreset"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    env["DISPLAY"] = ":" + server.stdout.readline().strip()
    for _ in range(100):
        if subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode == 0:
            break
        time.sleep(0.1)
    subprocess.run(["setxkbmap", "us"], env=env)
    return server


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tree", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--junit", required=True)
    parser.add_argument("--keep-screenshots")
    parser.add_argument("--only", help="run only the tests whose name contains this")
    args = parser.parse_args()

    screenshots = args.keep_screenshots or os.path.join(os.path.dirname(os.path.abspath(args.junit)), "screenshots")
    env = dict(os.environ)
    server = start_display(env)
    os.environ["DISPLAY"] = env["DISPLAY"]
    # The dot keys are named by their US keysyms.
    subprocess.run(["setxkbmap", "us"], env=env)
    env = wine_environment(os.path.join(os.path.dirname(os.path.abspath(args.probe)), "wineprefix"))
    selected = [row for row in TESTS if not args.only or args.only in row[0].__name__]
    suite = ET.Element("testsuite", name="e2e")
    failures = 0
    try:
        for test, tables, *screen in selected:
            name = test.__name__
            case = ET.SubElement(suite, "testcase", classname="e2e", name=name)
            started = time.time()
            session = own_display = None
            test_env = env
            try:
                if screen:  # a display of its own; Wine must start afresh on it
                    subprocess.run(["wineserver", "-k"], env=env)
                    test_env = dict(env)
                    own_display = start_display(test_env, screen[0])
                if hasattr(test, "before"):
                    test.before()
                session = Session(test_env, args.tree, args.probe, tables)
                test(session)
                print(f"PASS {name} ({time.time() - started:.1f} s)")
            except Exception as error:  # one failing test must not stop the others
                failures += 1
                ET.SubElement(case, "failure", message=str(error))
                shot = os.path.join(screenshots, name + ".png")
                os.makedirs(screenshots, exist_ok=True)
                subprocess.run(["timeout", "20", "import", "-window", "root", shot], env=test_env)
                print(f"FAIL {name}: {error} (screenshot {shot})")
            finally:
                case.set("time", f"{time.time() - started:.2f}")
                if session:
                    session.close()
                if own_display:
                    subprocess.run(["wineserver", "-k"], env=env)
                    own_display.kill()
    finally:
        subprocess.run(["wineserver", "-k"], env=env)
        if server:
            server.kill()
    suite.set("tests", str(len(selected)))
    suite.set("failures", str(failures))
    ET.ElementTree(suite).write(args.junit, encoding="utf-8", xml_declaration=True)
    print(f"{len(selected) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
