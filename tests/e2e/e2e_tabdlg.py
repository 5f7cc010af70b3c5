"""End-to-end tests of the table dialog, by keyboard only."""
import time

from session import expect_equal
from e2e_settings import read_settings, settings_path, wait_for_setting

CAPTION = "Datenbank für Modus 5 wählen"
# The shipped tables in the order of the folder scan; Standard.tab is current at a first start.
SHIPPED_ORDER = "Brl2UniBrl.tab|Deutsch.tab|Standard.tab"


def open_table_dialog(s):
    """Ctrl+D in the editor; waits until the dialog is in front."""
    s.refocus()
    s.xdotool("key", "ctrl+d")
    s.wait_for_dialog("the table dialog")
    expect_equal(s.run_probe("foreground"), CAPTION, "the dialog's caption")
    time.sleep(0.5)  # the first key after a window opens may not reach it under Wine


def wait_until_closed(s, what):
    deadline = time.time() + 5
    while not s.foreground_is_main():
        if time.time() > deadline:
            raise AssertionError(f"the table dialog did not close after {what}")
        time.sleep(0.2)
    s.refocus()


def saved_tables(s):
    """The section "Tabellen" of the settings file, empty while there is no file."""
    return read_settings(s).get("Tabellen", {}) if settings_path(s) else {}


def test_ctrl_d_ctrl_down_and_enter_reorder_the_tables_and_switch_to_the_moved_one(s):
    """Ctrl+D, Up twice to the first table, Ctrl+Down, Enter: the settings file holds the new order with the
    moved table current; in mode 5 a chord uses it, and Umsch+Strg+1 now reaches the table that became first."""
    open_table_dialog(s)
    s.xdotool("key", "Up", "Up", "ctrl+Down", "Return")
    wait_until_closed(s, "Enter")
    expect_equal(wait_for_setting(s, "Tabellen", "TabFiles", "Deutsch.tab|Brl2UniBrl.tab|Standard.tab"),
                 "Deutsch.tab|Brl2UniBrl.tab|Standard.tab", "the saved order")
    expect_equal(wait_for_setting(s, "Tabellen", "Tab1Filename", "Brl2UniBrl.tab"), "Brl2UniBrl.tab",
                 "the saved current table")
    s.xdotool("key", "ctrl+5")
    s.chord(1)
    expect_equal(s.text("\u2801"), "\u2801", "chord 1 in mode 5 through the moved table")
    s.xdotool("key", "ctrl+shift+1")
    expect_equal(wait_for_setting(s, "Tabellen", "Tab1Filename", "Deutsch.tab"), "Deutsch.tab",
                 "the table of Umsch+Strg+1 after the reordering")


def test_escape_after_a_move_changes_nothing_and_chords_type_again(s):
    """Ctrl+D, Ctrl+Up on the current table, Escape: the settings file is as before, Umsch+Strg+2 still reaches
    the second table of the old order, and a chord types into the editor again."""
    before = saved_tables(s)
    open_table_dialog(s)
    s.xdotool("key", "ctrl+Up")
    time.sleep(0.3)
    s.xdotool("key", "Escape")
    wait_until_closed(s, "Escape")
    time.sleep(0.5)
    expect_equal(saved_tables(s), before, "the section Tabellen after Escape")
    s.chord(1)
    expect_equal(s.text("a"), "a", "a chord after the dialog")
    s.xdotool("key", "ctrl+shift+2")
    expect_equal(wait_for_setting(s, "Tabellen", "Tab1Filename", "Deutsch.tab"), "Deutsch.tab",
                 "the table of Umsch+Strg+2")
    expect_equal(wait_for_setting(s, "Tabellen", "TabFiles", SHIPPED_ORDER), SHIPPED_ORDER, "the saved order")


TESTS = [
    (test_ctrl_d_ctrl_down_and_enter_reorder_the_tables_and_switch_to_the_moved_one, None),
    (test_escape_after_a_move_changes_nothing_and_chords_type_again, None),
]
