"""End-to-end tests of the keys that belong to the system or the screen reader, and of chords during a cue
that waits."""
import os
import time
import wave

from session import expect_equal

SYSTEM_KEYS = [("Insert", "f"), ("Caps_Lock", "f"), ("Super_L", "d"), ("Menu", "f")]


def test_system_and_screen_reader_keys_with_a_dot_key_insert_nothing_in_modes_1_to_5(s):
    """In each of the modes 1 to 5: Insert+F, Caps Lock+F, Windows+D and Applications+F insert nothing; chord 1
    after them inserts one cell."""
    for mode in range(1, 6):
        s.xdotool("key", f"ctrl+{mode}")
        before = s.text()
        for held, key in SYSTEM_KEYS:
            s.xdotool("keydown", held, "key", key, "keyup", held)
            if held == "Menu":  # the Applications key opens the context menu
                time.sleep(0.3)
                s.xdotool("key", "Escape")
                s.refocus()
        time.sleep(0.3)
        expect_equal(s.text(), before, f"text after the keys of others in mode {mode}")
        s.chord(1)
        deadline = time.time() + 3
        while len(s.text()) != len(before) + 1 and time.time() < deadline:
            time.sleep(0.1)
        typed = s.text()
        if len(typed) != len(before) + 1 or typed[-1] in "fdFD":
            raise AssertionError(f"mode {mode}: one cell expected after {before!r}, got {typed!r}")
    s.xdotool("key", "Caps_Lock")  # five presses left it locked for the next tests


def write_silence(path, seconds):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(22050)
        out.writeframes(b"\0\0" * int(22050 * seconds))


def test_chord_typed_while_the_error_cue_plays_is_inserted_at_once(s):
    """With a long error cue: chord 1-2 (not in the table) starts it, chord 1 right after it shows "a" within
    1.5 s, while the cue still plays (Wine's null sound device plays the 16 s in about 4 s)."""
    write_silence(os.path.join(s.folder, "Korvalin", "Sounds", "falsch.wav"), 16)
    s.chord(1, 2)
    time.sleep(0.3)
    s.chord(1)
    expect_equal(s.text("a", seconds=1.5), "a", "text while the error cue plays")


SMALL_TABLE = ["Kleine Tabelle", "1=97", "14=99"]
TESTS = [
    (test_system_and_screen_reader_keys_with_a_dot_key_insert_nothing_in_modes_1_to_5, None),
    (test_chord_typed_while_the_error_cue_plays_is_inserted_at_once, {"Standard.tab": SMALL_TABLE}),
]
