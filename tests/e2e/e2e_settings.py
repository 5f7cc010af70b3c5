"""End-to-end tests of the settings file and the table list."""
import configparser
import glob
import os
import stat
import subprocess
import time

from session import Session, expect_equal

MAIN_KEYS = ["WindowState", "Height", "Width"]
EINSTELLUNGEN_KEYS = ["Schrifthintergrund", "Schriftart", "MaxZeilenbreite", "EinhandEin", "SoundEin", "EingabeAnsagen",
                      "SoundTippenFilename", "SoundModusFilename", "SoundFalschFilename",
                      "SoundZeichenabschlussFilename", "SoundEinhandFilename", "SoundZeichenkombinationFilename",
                      "SoundNeueTabelleFilename"]
TABELLEN_KEYS = ["TabFiles", "Tab1Filename", "Tab2Filename"]
FONT_KEYS = [f"Font{mode}{kind}" for mode in range(6) for kind in ("Filename", "Settings")]
BRAILLE_KEYS = ["ZeichenProZeile", "ZeilenProSeite"]
DEFAULT_FONT1_FILES = "BRL0.ttf|BRL7.ttf|BRL8.ttf|BRL78.ttf"


def settings_path(s):
    """The settings file in the Wine prefix, or None while there is none."""
    found = glob.glob(os.path.join(s.env["WINEPREFIX"], "drive_c", "users", "*", "AppData", "Roaming",
                                   "Korvalin", "Korvalin.ini"))
    return found[0] if found else None


def read_settings(s):
    """The settings file as {section: {key: value}}, keeping the order and the case of the names."""
    path = settings_path(s)
    if not path:
        raise AssertionError("there is no settings file")
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    with open(path, encoding="cp1252") as ini:
        parser.read_file(ini)
    return {section: dict(parser[section]) for section in parser.sections()}


def wait_for_setting(s, section, key, expected, seconds=5):
    deadline = time.time() + seconds
    while True:
        try:
            value = read_settings(s).get(section, {}).get(key)
        except (AssertionError, configparser.Error):
            value = None
        if value == expected or time.time() > deadline:
            return value
        time.sleep(0.2)


def quit_program(s):
    """Alt+F4 ends the program the way a user does, which saves the settings."""
    s.refocus()
    s.xdotool("key", "alt+F4")
    try:
        s.process.wait(15)
    except subprocess.TimeoutExpired:
        raise AssertionError("the program did not end after Alt+F4")


def restart(s, tables=None):
    """A new start from a copy of the same install tree, with the settings of the previous run."""
    return Session(s.env, os.path.join(s.folder, "Korvalin"), s.probe, tables, keep_settings=True)


def expect_no_message(s):
    time.sleep(1.5)  # the start timer has loaded the tables and fonts by now
    if s.process.poll() is not None:
        raise AssertionError("the program ended")
    if not s.foreground_is_main():
        raise AssertionError(f"a window came up: {s.run_probe('foreground')!r} {s.run_probe('boxtext', check=False)!r}")


def test_one_hand_entry_and_sound_are_restored_and_the_file_holds_exactly_its_keys(s):
    """F2 and "Sounds wiedergeben" off, Alt+F4, new start: one-hand entry is on, sounds stay off, and the file
    holds the sections MainForm, Einstellungen, Tabellen, Fonts, Braille with their keys in order."""
    s.xdotool("key", "F2")
    expect_equal(s.panel(4, "Eha: Ein"), "Eha: Ein", "panel 4 after F2")
    expect_equal(wait_for_setting(s, "Einstellungen", "EinhandEin", "1"), "1", "EinhandEin saved at once")
    s.xdotool("key", "alt+e")
    time.sleep(0.5)
    s.xdotool("key", "o")
    expect_equal(wait_for_setting(s, "Einstellungen", "SoundEin", "0"), "0", "SoundEin saved at once")
    quit_program(s)

    again = restart(s)
    try:
        expect_equal(again.panel(4, "Eha: Ein"), "Eha: Ein", "panel 4 after the new start")
        quit_program(again)  # the close writes what the program holds: sounds must still be off
        settings = read_settings(again)
        expect_equal(list(settings), ["MainForm", "Einstellungen", "Tabellen", "Fonts", "Braille"], "sections")
        expect_equal(list(settings["MainForm"]), MAIN_KEYS, "MainForm keys")
        expect_equal(list(settings["Einstellungen"]), EINSTELLUNGEN_KEYS, "Einstellungen keys")
        expect_equal(list(settings["Tabellen"]), TABELLEN_KEYS, "Tabellen keys")
        expect_equal(list(settings["Fonts"]), FONT_KEYS, "Fonts keys")
        expect_equal(list(settings["Braille"]), BRAILLE_KEYS, "Braille keys")
        expect_equal(settings["Einstellungen"]["EinhandEin"], "1", "EinhandEin")
        expect_equal(settings["Einstellungen"]["SoundEin"], "0", "SoundEin")
        expect_equal(settings["Einstellungen"]["SoundTippenFilename"], "tippen.wav", "a sound stored bare")
        expect_equal(settings["Tabellen"]["Tab1Filename"], "Standard.tab", "Tab1Filename")
        expect_equal(settings["Fonts"]["Font1Filename"], DEFAULT_FONT1_FILES, "Font1Filename")
    finally:
        again.close()


TEN_TABLES = {f"T{i}.tab": [f"Tabelle {i}", "1=97"] for i in range(10)}


def garbage_settings(background, table_files):
    lines = ["[MainForm]", "WindowState=1", "Height=100", "Width=abc",
             "[Einstellungen]", f"Schrifthintergrund={background}", "MaxZeilenbreite=-7", "SoundEin=ja",
             "[Tabellen]", "Tab1Filename=Fehlt.tab"]
    if table_files:
        lines.append("TabFiles=" + "|".join(table_files))
    lines += ["[Fonts]", "Font1Filename=BRL0.ttf|BRL7.ttf|BRL8.ttf",
              "Font3Settings=blistabraille6+|18|0|1000|clBlack"]
    return "\r\n".join(lines) + "\r\n"


def test_garbage_in_the_settings_file_is_repaired_without_a_message(s):
    """A settings file with a minimised window state, height 100, a background of 12, 13, 19 or -1, three mode-1
    fonts, a bold mode-3 font, a missing current table and ten tables: the program starts with no message, and the
    file written at the end holds the repaired values and the height the window was created with. (Without a
    window manager Wine takes the maximised state back at once, so the state itself is checked in the Windows
    tests.)"""
    quit_program(s)
    created_height = read_settings(s)["MainForm"]["Height"]
    # Ten tables named: the list keeps nine, with Standard.tab among them (else its absence would be reported).
    ten = ["Standard.tab"] + sorted(TEN_TABLES)[:9]
    rows = [  # background stored, repaired, tables named in TabFiles, expected current table, expected list
        ("12", "11", ten, "Standard.tab", "|".join(ten[:9])),
        ("13", "17", None, "Standard.tab", None),
        ("19", "1", None, "Standard.tab", None),
        ("-1", "1", None, "Standard.tab", None),
    ]
    for stored, repaired, table_files, current, order in rows:
        with open(settings_path(s), "w", encoding="cp1252", newline="") as ini:
            ini.write(garbage_settings(stored, table_files))
        again = restart(s, TEN_TABLES)
        try:
            expect_no_message(again)
            quit_program(again)
            settings = read_settings(again)
        finally:
            again.close()
        what = f"background {stored}: "
        expect_equal(settings["MainForm"]["Height"], created_height, what + "Height")
        expect_equal(settings["Einstellungen"]["Schrifthintergrund"], repaired, what + "Schrifthintergrund")
        expect_equal(settings["Einstellungen"]["MaxZeilenbreite"], "0", what + "MaxZeilenbreite")
        expect_equal(settings["Einstellungen"]["SoundEin"], "1", what + "SoundEin")
        expect_equal(settings["Fonts"]["Font1Filename"], DEFAULT_FONT1_FILES, what + "Font1Filename")
        expect_equal(settings["Fonts"]["Font3Settings"], "blistabraille6+|18|0|0000|clBlack", what + "Font3Settings")
        expect_equal(settings["Tabellen"]["Tab1Filename"], current, what + "Tab1Filename")
        if order:
            expect_equal(settings["Tabellen"]["TabFiles"], order, what + "TabFiles")


def test_a_read_only_settings_file_is_still_written(s):
    """The settings file made read-only, new start, F2: the file says one-hand entry is on, with no message."""
    quit_program(s)
    path = settings_path(s)
    os.chmod(path, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
    again = restart(s)
    try:
        again.xdotool("key", "F2")
        expect_equal(again.panel(4, "Eha: Ein"), "Eha: Ein", "panel 4 after F2")
        expect_equal(wait_for_setting(again, "Einstellungen", "EinhandEin", "1"), "1", "EinhandEin")
        if not os.stat(path).st_mode & stat.S_IWUSR:
            raise AssertionError("the file is still read-only")
        expect_no_message(again)
    finally:
        again.close()


OTHER_TABLE = ["Andere Tabelle", "1=120"]


def test_a_table_switch_translates_the_next_chord_and_outlives_a_restart(s):
    """With Andere.tab beside the shipped tables (the first of four in the menu): in mode 5, Umsch+Strg+5
    does nothing, Umsch+Strg+1 makes the next chord use Andere.tab, and a new start keeps it current."""
    s.xdotool("key", "ctrl+5")
    s.chord(1)
    standard = s.text()
    if len(standard) != 1 or standard == "x":
        raise AssertionError(f"one cell of the standard table expected, got {standard!r}")
    s.xdotool("key", "ctrl+shift+5")  # there is no fifth table
    s.chord(1)
    expect_equal(s.text(standard * 2), standard * 2, "text after Umsch+Strg+5")
    s.xdotool("key", "ctrl+shift+1")
    expect_equal(wait_for_setting(s, "Tabellen", "Tab1Filename", "Andere.tab"), "Andere.tab", "Tab1Filename saved")
    s.chord(1)
    expect_equal(s.text(standard * 2 + "x"), standard * 2 + "x", "text after Umsch+Strg+1")
    s.xdotool("key", "alt+F4")
    s.answer_save_question("n")

    again = restart(s)
    try:
        again.xdotool("key", "ctrl+5")
        again.chord(1)
        expect_equal(again.text("x"), "x", "the first chord after the new start")
    finally:
        again.close()


TESTS = [
    (test_one_hand_entry_and_sound_are_restored_and_the_file_holds_exactly_its_keys, None),
    (test_garbage_in_the_settings_file_is_repaired_without_a_message, None),
    (test_a_read_only_settings_file_is_still_written, None),
    (test_a_table_switch_translates_the_next_chord_and_outlives_a_restart, {"Andere.tab": OTHER_TABLE}),
]
