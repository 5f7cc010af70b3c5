#!/usr/bin/env python3
"""End-to-end tests of what a user downloads: the setup program run silently
under Wine, the installed program started from its Start-menu entry, the
uninstaller, a setup over an existing installation, and the portable archive
unpacked into a folder with blanks and umlauts in its path.

  e2e_dist.py --setup SETUP.EXE --portable ZIP --tree DIR --probe PROBE.EXE --junit OUT.XML [--only NAME]

DIR is the install tree that both were made from. Uses DISPLAY when it is
set, otherwise starts Xvfb itself. The tests share one Wine prefix of their
own beside the probe; each starts without any installation, settings or
shortcuts in it.
"""
import argparse
import glob
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET
import zipfile

from e2e import start_display
from e2e_settings import quit_program, read_settings, wait_for_setting
from session import Session, expect_equal, wine_environment

UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvalin"
UNINSTALLER = "Deinstallieren.exe"
VERSION = "1.2.1.0"


def file_hashes(folder):
    """{relative path with "/": sha256} of every file below folder."""
    hashes = {}
    for parent, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(parent, name)
            with open(path, "rb") as data:
                hashes[os.path.relpath(path, folder).replace(os.sep, "/")] = hashlib.sha256(data.read()).hexdigest()
    return hashes


def shortcut(path):
    """(target, working folder) of a shell link file, as Windows paths."""
    with open(path, "rb") as link:
        data = link.read()
    if len(data) < 0x4C or struct.unpack_from("<I", data, 0)[0] != 0x4C:
        raise AssertionError(f"{path} is no shell link")
    flags = struct.unpack_from("<I", data, 0x14)[0]
    offset = 0x4C
    if flags & 0x01:  # an item id list comes first
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    target = None
    if flags & 0x02:  # link info with the local path of the target
        size, header, _, _, local = struct.unpack_from("<5I", data, offset)
        if header >= 0x24:
            start = offset + struct.unpack_from("<I", data, offset + 0x1C)[0]
            end = start
            while data[end:end + 2] != b"\0\0":
                end += 2
            target = data[start:end].decode("utf-16-le")
        else:
            start = offset + local
            target = data[start:data.index(b"\0", start)].decode("cp1252")
        offset += size
    unicode = bool(flags & 0x80)
    strings = {}
    for bit, name in ((0x04, "name"), (0x08, "relative"), (0x10, "folder"), (0x20, "arguments"), (0x40, "icon")):
        if flags & bit:
            count = struct.unpack_from("<H", data, offset)[0]
            length = count * 2 if unicode else count
            raw = data[offset + 2:offset + 2 + length]
            # Wine counts the terminating zero as well.
            strings[name] = raw.decode("utf-16-le" if unicode else "cp1252").rstrip("\0")
            offset += 2 + length
    if not target:
        raise AssertionError(f"{path} names no local target")
    return target, strings.get("folder", "")


class Dist:
    """The Wine prefix the setup runs in, with the places it writes to."""

    def __init__(self, env, probe, setup, portable, tree):
        self.env, self.probe, self.setup, self.portable, self.tree = env, probe, setup, portable, tree
        self.drive_c = os.path.join(env["WINEPREFIX"], "drive_c")
        users = [u for u in glob.glob(os.path.join(self.drive_c, "users", "*")) if not u.endswith("Public")]
        self.user = users[0]
        self.user_name = os.path.basename(self.user)
        # Wine links the desktop to the Linux home folder, which other Wine
        # programs share: the shortcuts of these tests stay in the prefix.
        desktop = os.path.join(self.user, "Desktop")
        if os.path.islink(desktop):
            os.remove(desktop)
        os.makedirs(desktop, exist_ok=True)
        self.tree_hashes = file_hashes(tree)
        self.work = tempfile.mkdtemp(prefix="korvalin-dist-")

    # ---- places ----

    def unix(self, windows_path):
        if not re.match(r"^[cC]:\\", windows_path):
            raise AssertionError(f"not a path on drive C: {windows_path!r}")
        return os.path.join(self.drive_c, *windows_path[3:].split("\\"))

    def user_folder(self):
        return rf"C:\users\{self.user_name}\AppData\Local\Programs\Korvalin"

    def settings_folder(self):
        return os.path.join(self.user, "AppData", "Roaming", "Korvalin")

    def user_shortcuts(self):
        return (os.path.join(self.user, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs",
                             "Korvalin.lnk"), os.path.join(self.user, "Desktop", "Korvalin.lnk"))

    def common_shortcut(self):
        return os.path.join(self.drive_c, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                            "Korvalin.lnk")

    # ---- Wine ----

    def wine(self, *args, seconds=60):
        return subprocess.run(["timeout", str(seconds), self.env["KORVALIN_WINE"], *args], env=self.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode

    def run_setup(self, *options):
        code = self.wine(self.setup, "/S", *options)
        expect_equal(code, 0, f"exit code of the setup with {' '.join(options)}")

    def registration(self, root):
        """The uninstall entry under ROOT (HKCU or HKLM) as {name: value}, or None."""
        result = subprocess.run(["timeout", "20", self.env["KORVALIN_WINE"], "reg", "query", rf"{root}\{UNINSTALL_KEY}"],
                                env=self.env, capture_output=True, text=True, errors="replace")
        if result.returncode != 0:
            return None
        values = {}
        for line in result.stdout.splitlines():
            match = re.match(r"^\s+(\S+)\s+(REG_\w+)\s+(.*)$", line)
            if match:
                name, kind, value = match.groups()
                values[name] = int(value, 16) if kind == "REG_DWORD" else value
        return values

    def uninstall(self, root):
        """Runs the quiet uninstall string of the entry under ROOT, as Windows does, and waits until it is done."""
        entry = self.registration(root)
        if not entry:
            raise AssertionError(f"no uninstall entry under {root}")
        match = re.match(r'^"([^"]+)"\s*(.*)$', entry["QuietUninstallString"])
        if not match:
            raise AssertionError(f"unusable QuietUninstallString {entry['QuietUninstallString']!r}")
        expect_equal(self.wine(match.group(1), *match.group(2).split()), 0, "exit code of the uninstaller")
        # The uninstaller works on from a copy in the temporary folder; it
        # removes the entry last.
        deadline = time.time() + 30
        while self.registration(root) is not None:
            if time.time() > deadline:
                raise AssertionError("the uninstaller did not finish")
            time.sleep(0.3)
        time.sleep(0.5)

    def windows_named(self, title):
        """The mapped top-level windows captioned TITLE."""
        return set(subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=self.env,
                                  capture_output=True, text=True).stdout.split())

    def press_in_new_window(self, title, key, known=frozenset(), seconds=20):
        """Waits for a window captioned TITLE other than KNOWN and presses KEY in it; returns the windows
        captioned TITLE at that moment."""
        deadline = time.time() + seconds
        while not self.windows_named(title) - known:
            if time.time() > deadline:
                raise AssertionError(f"no window {title!r} came up")
            time.sleep(0.2)
        time.sleep(1)  # the page sets its focus
        shown = self.windows_named(title)
        window = sorted(shown - known)[0]
        for _ in range(20):
            if subprocess.run(["timeout", "2", "xdotool", "windowfocus", "--sync", window], env=self.env).returncode == 0:
                break
            time.sleep(0.1)
        time.sleep(0.3)
        subprocess.run(["xdotool", "key", key], env=self.env, check=True)
        return shown

    def clean(self):
        """No installation, settings or shortcut left from an earlier test."""
        for root in ("HKCU", "HKLM"):
            subprocess.run(["timeout", "20", self.env["KORVALIN_WINE"], "reg", "delete", rf"{root}\{UNINSTALL_KEY}",
                            "/f"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for folder in (self.unix(self.user_folder()), os.path.join(self.drive_c, "Program Files", "Korvalin"),
                       self.settings_folder()):
            shutil.rmtree(folder, ignore_errors=True)
        for link in (*self.user_shortcuts(), self.common_shortcut()):
            if os.path.exists(link):
                os.remove(link)

    # ---- checks ----

    def expect_installed(self, root, folder):
        """The tree and the uninstaller lie in FOLDER, and Windows lists them under ROOT."""
        installed = file_hashes(self.unix(folder))
        if UNINSTALLER not in installed:
            raise AssertionError(f"no {UNINSTALLER} in {folder}")
        del installed[UNINSTALLER]
        expect_equal(installed, self.tree_hashes, f"the files in {folder}")
        entry = self.registration(root)
        if not entry:
            raise AssertionError(f"Windows lists no Korvalin under {root}")
        uninstaller = rf"{folder}\{UNINSTALLER}"
        expected = {"DisplayName": "Korvalin", "DisplayVersion": VERSION, "Publisher": "Korvalin",
                    "DisplayIcon": rf"{folder}\Korvalin.exe,0", "InstallLocation": folder,
                    "UninstallString": f'"{uninstaller}"', "QuietUninstallString": f'"{uninstaller}" /S'}
        expect_equal({name: entry.get(name) for name in expected}, expected, f"the uninstall entry under {root}")
        kilobytes = sum(os.path.getsize(os.path.join(self.tree, name)) for name in self.tree_hashes) / 1024
        size = entry.get("EstimatedSize")
        if not isinstance(size, int) or not kilobytes <= size <= kilobytes * 1.5:
            raise AssertionError(f"EstimatedSize {size!r} for {kilobytes:.0f} KB of files")

    def expect_shortcut(self, link, folder):
        """LINK starts FOLDER\\Korvalin.exe in FOLDER; returns the target."""
        if not os.path.exists(link):
            raise AssertionError(f"no shortcut {link}")
        target, working = shortcut(link)
        expect_equal((target.lower(), working.lower()), (rf"{folder}\Korvalin.exe".lower(), folder.lower()),
                     f"target and folder of {os.path.basename(os.path.dirname(link))}\\Korvalin.lnk")
        return target


class ProgramInPlace(Session):
    """The program started where it lies (an installation or an unpacked
    archive), not from a copy of the install tree."""

    def __init__(self, env, probe, exe, cwd=None, keep_settings=False):
        self.env, self.probe, self.program, self.cwd = env, probe, exe, cwd
        self.folder = os.path.dirname(exe)
        if not keep_settings:
            self.remove_settings()
        self.start()

    def start(self, *args):
        self.process = subprocess.Popen(["timeout", "60", self.env["KORVALIN_WINE"], self.program, *args],
                                        env=self.env, cwd=self.cwd, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.window = self.wait_for_window()

    def exe(self):
        return self.program

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                subprocess.run(["wineserver", "-k"], env=self.env)
                self.process.wait()


def type_cell_and_switch_one_hand_on(program):
    """Chord F+J gives "c", and F2 writes "EinhandEin=1" into the settings file at once."""
    program.chord(1, 4)
    expect_equal(program.text("c"), "c", "text after chord 1-4")
    program.xdotool("key", "F2")
    expect_equal(wait_for_setting(program, "Einstellungen", "EinhandEin", "1"), "1", "EinhandEin in the settings")


# ---- the tests: each is what a user did and what the user must observe ----

def test_setup_for_the_user_starts_from_the_start_menu_and_the_uninstaller_keeps_only_the_settings(d):
    """Setup /S /CURRENTUSER /DESKTOP: the tree lies in %LOCALAPPDATA%\\Programs\\Korvalin, listed under HKCU;
    the Start-menu entry starts a program that types chord 1-4 as "c"; the quiet uninstall string removes the
    folder, both shortcuts and the entry and keeps the settings."""
    d.run_setup("/CURRENTUSER", "/DESKTOP")
    folder = d.user_folder()
    d.expect_installed("HKCU", folder)
    if d.registration("HKLM") is not None:
        raise AssertionError("a setup for the user registered under HKLM")
    start_menu, desktop = d.user_shortcuts()
    target = d.expect_shortcut(start_menu, folder)
    d.expect_shortcut(desktop, folder)

    program = ProgramInPlace(d.env, d.probe, target, cwd=d.unix(folder))
    try:
        type_cell_and_switch_one_hand_on(program)
    finally:
        program.close()
    settings = file_hashes(d.settings_folder())

    d.uninstall("HKCU")
    if os.path.exists(d.unix(folder)):
        raise AssertionError(f"left behind: {sorted(file_hashes(d.unix(folder)))}")
    for link in (start_menu, desktop):
        if os.path.exists(link):
            raise AssertionError(f"the shortcut {link} is still there")
    expect_equal(file_hashes(d.settings_folder()), settings, "the settings after a silent uninstall")


def test_setup_over_an_installation_keeps_settings_and_added_tables_and_the_uninstaller_leaves_only_those(d):
    """Installed, one-hand entry switched on (a setup while the program runs fails), a table Eigene.tab added,
    an installed table changed and a help file lost: a second setup restores the shipped files and keeps the settings file and Eigene.tab; the program
    starts with one-hand entry on and lists Eigene.tab; uninstalling leaves only Tabellen\\Eigene.tab."""
    d.run_setup("/CURRENTUSER")
    folder = d.user_folder()
    exe = rf"{folder}\Korvalin.exe"
    program = ProgramInPlace(d.env, d.probe, exe)
    try:
        type_cell_and_switch_one_hand_on(program)
        code = d.wine(d.setup, "/S", "/CURRENTUSER")
        if code == 0:
            raise AssertionError("a silent setup reported success while the program was running")
        program.xdotool("key", "alt+F4")
        program.answer_save_question("n")
    finally:
        program.close()
    ini = file_hashes(d.settings_folder())
    own_table = os.path.join(d.unix(folder), "Tabellen", "Eigene.tab")
    with open(own_table, "w", newline="\r\n") as out:
        out.write("Eigene Tabelle\n1=120\n")
    with open(os.path.join(d.unix(folder), "Tabellen", "Standard.tab"), "w") as out:
        out.write("Alte Tabelle\n1=98\n")
    os.remove(os.path.join(d.unix(folder), "Kurztasten.txt"))
    own_hash = file_hashes(os.path.dirname(own_table))["Eigene.tab"]

    d.run_setup("/CURRENTUSER")
    expect_equal(file_hashes(d.settings_folder()), ini, "the settings after the second setup")
    installed = file_hashes(d.unix(folder))
    expect_equal(installed.pop("Tabellen/Eigene.tab", None), own_hash, "the added table")
    installed.pop(UNINSTALLER, None)
    expect_equal(installed, d.tree_hashes, "the shipped files after the second setup")

    program = ProgramInPlace(d.env, d.probe, exe, keep_settings=True)
    try:
        expect_equal(program.panel(4, "Eha: Ein"), "Eha: Ein", "one-hand entry after the second setup")
        quit_program(program)
    finally:
        program.close()
    tables = read_settings(program)["Tabellen"]["TabFiles"].split("|")
    if "Eigene.tab" not in tables:
        raise AssertionError(f"the program does not list the added table: {tables}")

    d.uninstall("HKCU")
    expect_equal(sorted(file_hashes(d.unix(folder))), ["Tabellen/Eigene.tab"], "what the uninstaller left")
    if not os.path.exists(os.path.join(d.settings_folder(), "Korvalin.ini")):
        raise AssertionError("the silent uninstaller removed the settings")


def test_elevated_setup_installs_for_all_users_and_its_uninstaller_removes_it(d):
    """Setup /S with administrator rights (as Wine runs): the tree lies in C:\\Program Files\\Korvalin, listed
    under HKLM with a Start-menu entry for all users and nothing for the user alone; uninstalling removes all."""
    d.run_setup()
    folder = r"C:\Program Files\Korvalin"
    d.expect_installed("HKLM", folder)
    if d.registration("HKCU") is not None or os.path.exists(d.unix(d.user_folder())):
        raise AssertionError("the setup for all users installed for the user too")
    d.expect_shortcut(d.common_shortcut(), folder)
    d.uninstall("HKLM")
    if os.path.exists(d.unix(folder)) or os.path.exists(d.common_shortcut()):
        raise AssertionError("the uninstaller left the folder or the Start-menu entry")


def test_portable_archive_runs_from_a_folder_with_blanks_and_umlauts_and_writes_nothing_there(d):
    """The archive unpacked into "Mein Stick/Übung": it holds exactly the tree in "Korvalin\\"; the program
    there types chord 1-4 as "c", keeps its settings in the application-data folder and adds no file beside
    itself."""
    stick = os.path.join(d.work, "Mein Stick", "Übung")
    shutil.rmtree(stick, ignore_errors=True)
    os.makedirs(stick)
    with zipfile.ZipFile(d.portable) as archive:
        names = sorted(name for name in archive.namelist() if not name.endswith("/"))
        expect_equal(names, sorted("Korvalin/" + name for name in d.tree_hashes), "the files in the archive")
        archive.extractall(stick)
    folder = os.path.join(stick, "Korvalin")
    program = ProgramInPlace(d.env, d.probe, os.path.join(folder, "Korvalin.exe"), cwd=d.work)
    try:
        type_cell_and_switch_one_hand_on(program)
    finally:
        program.close()
    expect_equal(file_hashes(folder), d.tree_hashes, "the unpacked folder after the run")


UNINSTALL_TITLE = "Deinstallation von Korvalin"


def test_uninstaller_asks_before_removing_the_settings_and_keeps_them_by_default(d):
    """The uninstaller started by hand, its start confirmed with Enter: Enter on "Sollen auch Ihre Einstellungen
    gelöscht werden?" keeps the settings folder, Yes removes it; the program folder goes either way."""
    for answer, kept in (("Return", True), ("y", False)):
        d.run_setup("/CURRENTUSER")
        os.makedirs(d.settings_folder(), exist_ok=True)
        with open(os.path.join(d.settings_folder(), "Korvalin.ini"), "w") as ini:
            ini.write("[Einstellungen]\nEinhandEin=1\n")
        folder = d.user_folder()
        uninstaller = subprocess.Popen(["timeout", "60", d.env["KORVALIN_WINE"], rf"{folder}\{UNINSTALLER}"],
                                       env=d.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            pages = d.press_in_new_window(UNINSTALL_TITLE, "Return")  # "Deinstallieren"
            d.press_in_new_window(UNINSTALL_TITLE, answer, known=pages)  # the question over the progress page
            deadline = time.time() + 30
            while d.registration("HKCU") is not None:
                if time.time() > deadline:
                    raise AssertionError(f"the uninstaller did not finish after the answer {answer}")
                time.sleep(0.3)
            time.sleep(1)
            if d.windows_named(UNINSTALL_TITLE):
                d.press_in_new_window(UNINSTALL_TITLE, "Return")  # "Beenden"
            deadline = time.time() + 10
            while d.windows_named(UNINSTALL_TITLE) and time.time() < deadline:
                time.sleep(0.2)
        finally:
            uninstaller.wait(60)
        if os.path.exists(d.unix(folder)):
            raise AssertionError(f"the program folder is still there after the answer {answer}")
        expect_equal(os.path.exists(d.settings_folder()), kept, f"the settings are kept after the answer {answer}")


TESTS = [
    test_setup_for_the_user_starts_from_the_start_menu_and_the_uninstaller_keeps_only_the_settings,
    test_setup_over_an_installation_keeps_settings_and_added_tables_and_the_uninstaller_leaves_only_those,
    test_elevated_setup_installs_for_all_users_and_its_uninstaller_removes_it,
    test_uninstaller_asks_before_removing_the_settings_and_keeps_them_by_default,
    test_portable_archive_runs_from_a_folder_with_blanks_and_umlauts_and_writes_nothing_there,
]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup", required=True)
    parser.add_argument("--portable", required=True)
    parser.add_argument("--tree", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--junit", required=True)
    parser.add_argument("--only", help="run only the tests whose name contains this")
    args = parser.parse_args()

    env = dict(os.environ)
    server = start_display(env)
    os.environ["DISPLAY"] = env["DISPLAY"]
    subprocess.run(["setxkbmap", "us"], env=env)  # the dot keys are named by their US keysyms
    env = wine_environment(os.path.join(os.path.dirname(os.path.abspath(args.probe)), "wineprefix-dist"))
    # Shortcuts must not turn into menu entries of the Linux desktop.
    env["WINEDLLOVERRIDES"] += ";winemenubuilder.exe=d"
    dist = Dist(env, os.path.abspath(args.probe), os.path.abspath(args.setup), os.path.abspath(args.portable),
                os.path.abspath(args.tree))
    selected = [test for test in TESTS if not args.only or args.only in test.__name__]
    suite = ET.Element("testsuite", name="dist")
    failures = 0
    try:
        for test in selected:
            name = test.__name__
            case = ET.SubElement(suite, "testcase", classname="dist", name=name)
            started = time.time()
            try:
                dist.clean()
                test(dist)
                print(f"PASS {name} ({time.time() - started:.1f} s)")
            except Exception as error:  # one failing test must not stop the others
                failures += 1
                ET.SubElement(case, "failure", message=str(error))
                shot = os.path.join(os.path.dirname(os.path.abspath(args.junit)), "screenshots", name + ".png")
                os.makedirs(os.path.dirname(shot), exist_ok=True)
                subprocess.run(["timeout", "20", "import", "-window", "root", shot], env=env)
                print(f"FAIL {name}: {error} (screenshot {shot})")
            finally:
                case.set("time", f"{time.time() - started:.2f}")
    finally:
        dist.clean()
        subprocess.run(["wineserver", "-k"], env=env)
        shutil.rmtree(dist.work, ignore_errors=True)
        if server:
            server.kill()
    suite.set("tests", str(len(selected)))
    suite.set("failures", str(failures))
    ET.ElementTree(suite).write(args.junit, encoding="utf-8", xml_declaration=True)
    print(f"{len(selected) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
