"""End-to-end tests of find: the find dialog, F3 and the caret escapes."""
import time

from session import TITLE, expect_equal


def set_text(s, text, start, end):
    s.run_probe("settext", *[f"{ord(c):04X}" for c in text])
    s.run_probe("select", str(start), str(end))


def find_with_dialog(s, find_text, up=False):
    """Ctrl+F, the search text typed over the old one, the direction chosen, Enter."""
    s.xdotool("key", "ctrl+f")
    s.wait_for_dialog("the find dialog")
    s.xdotool("key", "End", "shift+Home")
    s.xdotool("type", find_text)
    s.xdotool("key", "alt+u" if up else "alt+d")
    s.xdotool("key", "Return")
    deadline = time.time() + 10
    while not s.foreground_is_main():  # the search closes the dialog
        if time.time() > deadline:
            raise AssertionError("the find dialog did not close after the search")
        time.sleep(0.2)


def expect_message_and_close_it(s, text):
    s.wait_for_dialog("the message")
    expect_equal(s.run_probe("boxtext"), text, "the message")
    for _ in range(3):  # under Wine the first key after the box opens may not reach it
        s.xdotool("key", "Escape")  # harmless in the editor, should the box already be gone
        time.sleep(0.7)
        if s.foreground_is_main():
            return
    raise AssertionError("the message did not close")


def test_find_up_selects_each_earlier_match_and_then_says_there_is_none(s):
    """In "ab", line break, "ab" with the caret at the end, Ctrl+F "ab" upward selects 3..4; F3 selects 0..1; F3
    again says "Keinen weiteren Suchstring gefunden!" and keeps the selection."""
    set_text(s, "ab\r\nab", 5, 5)
    find_with_dialog(s, "ab", up=True)
    expect_equal(s.probe_until("3 5", "sel"), "3 5", "selection after the first search")
    s.xdotool("key", "F3")
    expect_equal(s.probe_until("0 2", "sel"), "0 2", "selection after F3")
    s.xdotool("key", "F3")
    expect_message_and_close_it(s, "Keinen weiteren Suchstring gefunden!")
    expect_equal(s.run_probe("sel"), "0 2", "selection after nothing further was found")
    expect_equal(s.text(), "ab\r\nab", "text")
    expect_equal(s.run_probe("foreground"), s.run_probe("caption"), "the window in front again")


def test_caret_escapes_find_tab_line_break_and_character_codes(s):
    """Ctrl+F from the start with x^ty, ^a, ^65 and ^^65 selects x-tab-y, the line break, the letter A and the
    three characters ^65."""
    cases = [
        ("xx\tyx\ty", "x^ty", "1 4"),
        ("ab\r\ncd", "^a", "2 3"),
        ("xyzAb", "^65", "3 4"),
        ("A6^65", "^^65", "2 5"),
    ]
    for text, find_text, selection in cases:
        set_text(s, text, 0, 0)
        find_with_dialog(s, find_text)
        expect_equal(s.probe_until(selection, "sel"), selection, f"selection for {find_text!r} in {text!r}")


def test_find_from_the_start_of_a_text_without_the_string_says_it_was_not_found(s):
    """Ctrl+F "zz" downward from the start of "abc" says "Der Suchstring wurde nicht gefunden!"."""
    set_text(s, "abc", 0, 0)
    s.xdotool("key", "ctrl+f")
    s.wait_for_dialog("the find dialog")
    s.xdotool("type", "zz")
    s.xdotool("key", "Return")
    expect_message_and_close_it(s, "Der Suchstring wurde nicht gefunden!")
    expect_equal(s.run_probe("caption"), "Dokument - " + TITLE, "caption")


TESTS = [
    (test_find_up_selects_each_earlier_match_and_then_says_there_is_none, None),
    (test_caret_escapes_find_tab_line_break_and_character_codes, None),
    (test_find_from_the_start_of_a_text_without_the_string_says_it_was_not_found, None),
]
