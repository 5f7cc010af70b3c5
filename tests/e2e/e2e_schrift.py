"""End-to-end tests of the per-mode font dialog."""
import time

from session import expect_equal
from e2e_settings import settings_path, wait_for_setting

SMALL_TABLE = ["Kleine Tabelle", "1=97", "14=99"]
MODE1_FACES = "8ptBraille0|8ptBraille7|8ptBraille8|8ptBraille78"


def open_font_dialog(s, mode):
    """Einstellungen > Modus-Schrift > Modus MODE, by keyboard only; waits for the dialog."""
    s.refocus()
    s.xdotool("key", "alt+e")
    time.sleep(0.5)
    s.xdotool("key", "s")
    time.sleep(0.5)
    s.xdotool("key", str(mode))
    s.wait_for_dialog("the font dialog")
    expect_equal(s.run_probe("foreground"), f"Schriftart für Modus {mode} einstellen", "the dialog's caption")


def wait_for_main(s, what):
    deadline = time.time() + 5
    while not s.foreground_is_main():
        if time.time() > deadline:
            raise AssertionError(f"the font dialog did not close after {what}")
        time.sleep(0.2)
    s.refocus()


def file_bytes(s):
    path = settings_path(s)
    if not path:
        return None
    with open(path, "rb") as ini:
        return ini.read()


def test_font_dialog_size_typed_and_confirmed_is_saved_for_all_four_mode_1_fonts(s):
    """Modus-Schrift > Modus 1, 30 typed over the size, Enter: the settings file holds size 30 for the four faces
    of mode 1, and a chord still types."""
    open_font_dialog(s, 1)
    s.xdotool("type", "--delay", "50", "30")
    s.xdotool("key", "Return")
    wait_for_main(s, "Enter")
    expected = MODE1_FACES + "|30|0|0000|clBlack"
    expect_equal(wait_for_setting(s, "Fonts", "Font1Settings", expected), expected, "the saved mode 1 fonts")
    s.chord(1)
    expect_equal(s.text("a"), "a", "the text after a chord")


def test_font_dialog_cancelled_leaves_the_settings_file_alone_and_chords_type_again(s):
    """Modus-Schrift > Modus 0, 40 typed over the size, Escape: the settings file is as it was, and a chord
    types its letter."""
    before = file_bytes(s)
    open_font_dialog(s, 0)
    s.xdotool("type", "--delay", "50", "40")
    s.xdotool("key", "Escape")
    wait_for_main(s, "Escape")
    time.sleep(1)
    expect_equal(file_bytes(s), before, "the settings file after Escape")
    s.chord(1)
    expect_equal(s.text("a"), "a", "the text after a chord")


TESTS = [
    (test_font_dialog_size_typed_and_confirmed_is_saved_for_all_four_mode_1_fonts, {"Standard.tab": SMALL_TABLE}),
    (test_font_dialog_cancelled_leaves_the_settings_file_alone_and_chords_type_again, {"Standard.tab": SMALL_TABLE}),
]
