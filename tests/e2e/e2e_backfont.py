"""End-to-end tests of the font and background dialog."""
import time

from session import expect_equal
from e2e_settings import quit_program, read_settings, restart, settings_path, wait_for_setting

CAPTION = "Schrifteinstellungen"


def open_dialog(s):
    """Ansicht > Schrifteinstellungen..., by the keyboard."""
    s.refocus()
    s.xdotool("key", "alt+a")
    time.sleep(0.5)
    s.xdotool("key", "s")
    s.wait_for_dialog("the font and background dialog")
    expect_equal(s.run_probe("foreground"), CAPTION, "the dialog's caption")


def wait_until_closed(s):
    deadline = time.time() + 5
    while not s.foreground_is_main():
        if time.time() > deadline:
            raise AssertionError("the font and background dialog did not close")
        time.sleep(0.2)
    s.refocus()


def test_silber_background_is_stored_as_13_and_read_back_as_17(s):
    """Tab to the background list, End and Up pick "Silber (Hintergrund)", Enter: the file says 13 at once;
    after a new start and Alt+F4 it says 17, the entry of the same colour that the repair step keeps."""
    open_dialog(s)
    for _ in range(4):  # face list, size, bold, font colour, background colour
        s.xdotool("key", "Tab")
    expect_equal(s.probe_until("*Weiß (Hintergrund)", "focustext"), "*Weiß (Hintergrund)", "the background list")
    s.xdotool("key", "End")
    s.xdotool("key", "Up")
    expect_equal(s.probe_until("Silber (Hintergrund)", "focustext"), "Silber (Hintergrund)", "the chosen row")
    s.xdotool("key", "Return")
    wait_until_closed(s)
    expect_equal(wait_for_setting(s, "Einstellungen", "Schrifthintergrund", "13"), "13", "the stored number")
    expect_equal(read_settings(s)["Einstellungen"]["Schriftart"], "Arial|12|0|0000|clBlack", "the font")
    quit_program(s)

    again = restart(s)
    try:
        quit_program(again)  # the close writes what the program holds after the repair
        expect_equal(read_settings(again)["Einstellungen"]["Schrifthintergrund"], "17", "the number after a start")
    finally:
        again.close()


def test_cancel_changes_nothing_and_chords_type_again(s):
    """A chord, the dialog with a new size and background typed in, Escape: no settings file is written and the
    next chord types into the document again."""
    s.chord(1)
    expect_equal(s.text("a"), "a", "the chord before the dialog")
    open_dialog(s)
    s.xdotool("key", "Tab")
    s.xdotool("type", "--delay", "50", "30")
    for _ in range(3):
        s.xdotool("key", "Tab")
    s.xdotool("key", "End")
    s.xdotool("key", "Escape")
    wait_until_closed(s)
    time.sleep(0.5)
    if settings_path(s):
        raise AssertionError(f"a settings file was written: {read_settings(s)}")
    s.chord(1)
    expect_equal(s.text("aa"), "aa", "the chord after the dialog")


TESTS = [
    (test_silber_background_is_stored_as_13_and_read_back_as_17, None),
    (test_cancel_changes_nothing_and_chords_type_again, None),
]
