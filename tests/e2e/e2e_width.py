"""End-to-end tests of the line width limit and its number dialog."""
import time

from session import expect_equal
from e2e_settings import wait_for_setting

WIDTH_TABLE = ["Breite", "1=97|98", "14=99|100|101"]  # dots 1: two characters, dots 1 4: three


def set_text(s, text, caret):
    s.run_probe("settext", *[f"{ord(c):04X}" for c in text])
    s.run_probe("select", str(caret), str(caret))


def set_width_through_dialog(s, digits):
    """Einstellungen > Maximale Zeilenbreite..., the digits typed over the old value, Enter."""
    s.refocus()
    s.xdotool("key", "alt+e")
    time.sleep(0.5)
    s.xdotool("key", "z")
    s.wait_for_dialog("the number dialog")
    expect_equal(s.run_probe("foreground"), "Maximale Zeilenbreite eingeben", "the dialog's caption")
    s.xdotool("type", "--delay", "50", digits)
    s.xdotool("key", "Return")
    deadline = time.time() + 5
    while not s.foreground_is_main():
        if time.time() > deadline:
            raise AssertionError("the number dialog did not close")
        time.sleep(0.2)
    s.refocus()


def test_width_limit_lets_two_chord_characters_in_and_refuses_three(s):
    """Limit 5, "abc" with the caret at its end: a chord of two characters fills the line, one of three is
    refused and changes nothing; the limit is shown in panel 3 and saved at once."""
    set_width_through_dialog(s, "5")
    expect_equal(s.panel(3, "Bte: 5"), "Bte: 5", "panel 3")
    expect_equal(wait_for_setting(s, "Einstellungen", "MaxZeilenbreite", "5"), "5", "the saved width")
    set_text(s, "abc", 3)
    s.refocus()
    s.chord(1, 4)
    time.sleep(1)
    expect_equal(s.text(), "abc", "the text after the three-character chord")
    s.chord(1)
    expect_equal(s.text("abcab"), "abcab", "the text after the two-character chord")
    s.chord(1)
    time.sleep(1)
    expect_equal(s.text(), "abcab", "the text after a chord on the full line")


def test_width_limit_refuses_a_paste_that_is_too_long(s):
    """Limit 5: pasting "wxyz" behind "abc" is refused, pasting "wx" is allowed."""
    set_width_through_dialog(s, "5")
    set_text(s, "abc\rwxyz", 3)
    s.run_probe("select", "4", "8")
    s.refocus()
    s.xdotool("key", "ctrl+c")
    s.run_probe("select", "3", "3")
    s.xdotool("key", "ctrl+v")
    time.sleep(1)
    expect_equal(s.text(), "abc\r\nwxyz", "the text after the refused paste")
    s.run_probe("select", "4", "6")
    s.xdotool("key", "ctrl+c")
    s.run_probe("select", "3", "3")
    s.xdotool("key", "ctrl+v")
    expect_equal(s.text("abcwx\r\nwxyz"), "abcwx\r\nwxyz", "the text after the allowed paste")


def test_width_0_means_no_limit_and_wrapped_lines(s):
    """Without a limit panel 3 reads "Bte: Unb.", a long line wraps (Down moves within it) and a chord is
    never refused; after a limit is set the same line no longer wraps."""
    expect_equal(s.panel(3, "Bte: Unb."), "Bte: Unb.", "panel 3 at start")
    long_line = "w" * 600
    set_text(s, long_line, 0)
    s.refocus()
    s.xdotool("key", "Down")
    start = s.run_probe("sel").split()[0]
    if start == "0":
        raise AssertionError("the long line does not wrap without a limit")
    s.run_probe("select", str(len(long_line)), str(len(long_line)))
    s.chord(1)
    expect_equal(s.text(long_line + "ab"), long_line + "ab", "the chord on the long line")
    set_width_through_dialog(s, "9")
    expect_equal(s.panel(3, "Bte: 9"), "Bte: 9", "panel 3 with a limit")
    s.run_probe("select", "0", "0")
    s.xdotool("key", "Down")
    expect_equal(s.run_probe("sel"), "0 0", "the caret after Down on the one unwrapped line")
    set_width_through_dialog(s, "0")
    expect_equal(s.panel(3, "Bte: Unb."), "Bte: Unb.", "panel 3 after the limit is removed")
    expect_equal(wait_for_setting(s, "Einstellungen", "MaxZeilenbreite", "0"), "0", "the saved width")


TESTS = [
    (test_width_limit_lets_two_chord_characters_in_and_refuses_three, {"Standard.tab": WIDTH_TABLE}),
    (test_width_limit_refuses_a_paste_that_is_too_long, None),
    (test_width_0_means_no_limit_and_wrapped_lines, {"Standard.tab": WIDTH_TABLE}),
]
