"""End-to-end tests of one instance and the hand-over from a second start."""
import os
import subprocess
import time

from session import TITLE, expect_equal

OTHER_TITLE = "Notepad"


def write_documents(s):
    """a.rtf and b.rtf in the test's folder; returns their Windows names."""
    for name, word in (("a.rtf", "Apfel"), ("b.rtf", "Birne")):
        with open(os.path.join(s.folder, name), "w") as out:
            out.write("{\\rtf1\\ansi " + word + "\\par}")
    return s.wine_path("a.rtf"), s.wine_path("b.rtf")


class OtherWindowInFront:
    """Another program of the same Wine prefix, holding the foreground."""

    def __init__(self, s):
        self.s = s
        self.process = subprocess.Popen(["timeout", "60", s.env["KORVALIN_WINE"], "notepad"], env=s.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 30
        while time.time() < deadline:
            found = subprocess.run(["xdotool", "search", "--name", OTHER_TITLE], env=s.env, capture_output=True,
                                   text=True).stdout.split()
            for window in found:
                subprocess.run(["timeout", "2", "xdotool", "windowfocus", "--sync", window], env=s.env)
                time.sleep(0.3)
                if OTHER_TITLE in s.run_probe("foreground", check=False):
                    return
            time.sleep(0.2)
        self.close()
        raise AssertionError("the other program did not come to the front")

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()


def expect_second_start_ends_without_a_window(s, *args):
    code, seconds = s.start_second(*args)
    expect_equal(code, 0, "exit code of the second start")
    if seconds > 10:
        raise AssertionError(f"the second start ran {seconds:.1f} s")
    expect_equal(s.run_probe("count"), "1", "main windows after the second start")


def test_second_start_with_two_files_brings_the_first_to_the_front_and_opens_the_first_file(s):
    """Another program in front; Korvalin.exe a.rtf b.rtf again: the running window comes to the front and shows
    a.rtf, and the second start ends without a window of its own."""
    a, b = write_documents(s)
    other = OtherWindowInFront(s)
    try:
        expect_second_start_ends_without_a_window(s, a, b)
        expect_equal(s.probe_until("a.rtf - " + TITLE, "caption", seconds=5), "a.rtf - " + TITLE, "caption")
        expect_equal(s.text("Apfel\r\n").rstrip("\r\n"), "Apfel", "text")
        expect_equal(s.probe_until("a.rtf - " + TITLE, "foreground", seconds=5), "a.rtf - " + TITLE, "window in front")
    finally:
        other.close()


def test_second_start_without_a_usable_file_only_brings_the_first_to_the_front(s):
    """Another program in front; Korvalin.exe without parameters, then with a file that does not exist: the
    running window comes to the front each time and its document stays as it was."""
    s.chord(1)
    expect_equal(s.text("a"), "a", "text before")
    for args in ((), (s.wine_path("fehlt.rtf"),)):
        other = OtherWindowInFront(s)
        try:
            expect_second_start_ends_without_a_window(s, *args)
            expect_equal(s.probe_until("Dokument - " + TITLE, "foreground", seconds=5), "Dokument - " + TITLE,
                         f"window in front after a start with {args}")
            time.sleep(0.5)
            expect_equal(s.text(), "a", "text after")
        finally:
            other.close()


def test_second_start_while_a_dialog_is_open_brings_both_forward_and_opens_nothing(s):
    """Ctrl+O opens the open dialog, another program comes to the front; Korvalin.exe a.rtf: the dialog is in
    front again, and after Escape the document is still the empty one."""
    a, _ = write_documents(s)
    s.xdotool("key", "ctrl+o")
    s.wait_for_dialog("the open dialog")
    dialog = s.run_probe("foreground")
    other = OtherWindowInFront(s)
    try:
        expect_second_start_ends_without_a_window(s, a)
        expect_equal(s.probe_until(dialog, "foreground", seconds=5), dialog, "window in front")
    finally:
        other.close()
    time.sleep(0.5)
    expect_equal(s.run_probe("caption"), "Dokument - " + TITLE, "caption with the dialog open")
    s.xdotool("key", "Escape")
    time.sleep(1)
    expect_equal(s.run_probe("caption"), "Dokument - " + TITLE, "caption after the dialog")
    expect_equal(s.text(), "", "text after the dialog")


def test_close_request_in_the_registry_ends_the_program_within_a_polling_cycle(s):
    """ProgramClose = "1" under HKCU\\Korvalin with nothing changed: the window starts closing within about
    100 ms, and the program ends."""
    milliseconds = int(s.run_probe("closerequest"))
    started = time.time()
    s.process.wait(15)
    print(f"  closing began {milliseconds} ms after the request; the program ended {time.time() - started:.1f} s later")
    if milliseconds > 300:
        raise AssertionError(f"the close request took {milliseconds} ms to act")


def reg_add_close(s):
    subprocess.run(["timeout", "20", s.env["KORVALIN_WINE"], "reg", "add", r"HKCU\Korvalin", "/v", "ProgramClose",
                    "/d", "1", "/f"], env=s.env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def test_close_request_asks_the_save_question_first_when_the_document_changed(s):
    """A cell typed; "wine reg add HKCU\\Korvalin /v ProgramClose /d 1 /f": the save question comes; Escape keeps
    the program and its text; the same again answered with N ends the program."""
    s.chord(1)
    expect_equal(s.text("a"), "a", "text")
    reg_add_close(s)
    s.wait_for_dialog("the save question")
    expect_equal(s.run_probe("boxtext"), "Änderungen im Dokument speichern?", "the question")
    s.xdotool("key", "Escape")
    time.sleep(1)
    if s.process.poll() is not None:
        raise AssertionError("the program ended although the question was cancelled")
    s.refocus()
    expect_equal(s.text(), "a", "text after Cancel")
    reg_add_close(s)
    s.answer_save_question("n")


def test_file_named_on_the_first_command_line_is_opened_after_the_tables(s):
    """Korvalin.exe a.rtf b.rtf as the first start: a.rtf is open, and a chord still types from the tables."""
    a, b = write_documents(s)
    s.start_again(a, b)
    expect_equal(s.probe_until("a.rtf - " + TITLE, "caption", seconds=5), "a.rtf - " + TITLE, "caption")
    expect_equal(s.text("Apfel\r\n").rstrip("\r\n"), "Apfel", "text")
    s.refocus()
    s.xdotool("key", "ctrl+End")
    s.chord(1)
    if not s.text("Apfel\r\na", 3).rstrip("\r\n").endswith("a"):
        raise AssertionError(f"the chord after opening gave {s.text()!r}")


TESTS = [
    (test_second_start_with_two_files_brings_the_first_to_the_front_and_opens_the_first_file, None),
    (test_second_start_without_a_usable_file_only_brings_the_first_to_the_front, None),
    (test_second_start_while_a_dialog_is_open_brings_both_forward_and_opens_nothing, None),
    (test_close_request_in_the_registry_ends_the_program_within_a_polling_cycle, None),
    (test_close_request_asks_the_save_question_first_when_the_document_changed, None),
    (test_file_named_on_the_first_command_line_is_opened_after_the_tables, None),
]
