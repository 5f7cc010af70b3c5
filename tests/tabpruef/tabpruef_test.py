#!/usr/bin/env python3
"""The table check tool as a user runs it, on one broken and one clean table:
tabpruef_test.py --exe TabPruef.exe|tabpruef [--junit FILE]. A Windows
program is started through $KORVALIN_WINE (tools/wine-env.sh)."""
import argparse
import fcntl
import os
import pty
import re
import struct
import subprocess
import sys
import tempfile
import termios
import xml.etree.ElementTree as ET

# One planted fault at each of the lines 3 to 6; UTF-8 with a byte order mark.
BROKEN = "\ufeffGroße Prüftabelle\r\n1=97\r\n12 =98\r\n21=99\r\n1=100\r\n14=x\r\n15=228|776\r\n"
BROKEN_REPORT = [
    'kaputt.tab:3: Der Name "12 " enthält Leerzeichen (gemeint ist wohl "12"); der Eintrag wird nie verwendet.',
    'kaputt.tab:4: Der Name "21" ist kein gültiges Punktmuster: die Punkte einer Zelle müssen aufsteigend'
    ' und ohne Wiederholung stehen; der Eintrag wird nie verwendet.',
    'kaputt.tab:5: Der Name "1" steht schon in Zeile 2; der Eintrag wird nie verwendet.',
    'kaputt.tab:6: Der Wert "x" ist keine ganze Zahl; der Eintrag wird nie verwendet.',
]
CLEAN = "\ufeffGroße Prüftabelle\r\n1=97\r\n12=98\r\n15=228|776\r\n"  # saved as UTF-16
CLEAN_REPORT = ["sauber.tab: in Ordnung, 3 Einträge."]


def run(command, cwd, terminal=False):
    """Exit code and output lines; with Terminal, standard output is a
    terminal, which the Windows program sees as its console."""
    if not terminal:
        done = subprocess.run(command, cwd=cwd, capture_output=True)
        return done.returncode, done.stdout.decode("utf-8").splitlines()
    master, slave = pty.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 50, 400, 0, 0))  # no wrapped lines
    process = subprocess.Popen(command, cwd=cwd, stdin=slave, stdout=slave, stderr=subprocess.DEVNULL)
    os.close(slave)
    output = b""
    try:
        while chunk := os.read(master, 4096):
            output += chunk
    except OSError:  # the terminal closes with its last writer
        pass
    os.close(master)
    text = re.sub(r"\x1b(\[[0-9;?]*[ -/]*[@-~]|\][^\x07]*\x07|[()][0-9A-Za-z]|[=>])", "", output.decode("utf-8"))
    return process.wait(), [line for line in text.replace("\r", "").split("\n") if line.strip()]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--junit")
    options = parser.parse_args()
    exe = os.path.abspath(options.exe)
    windows = exe.lower().endswith(".exe")
    tool = ["timeout", "120"] + ([os.environ["KORVALIN_WINE"], exe] if windows else [exe])
    folder = tempfile.mkdtemp(prefix="tabpruef-")
    with open(os.path.join(folder, "kaputt.tab"), "wb") as f:
        f.write(BROKEN.encode("utf-8"))
    with open(os.path.join(folder, "sauber.tab"), "wb") as f:
        f.write(CLEAN.encode("utf-16-le"))

    checks = [
        ("broken table: every planted fault at its line, exit code 1", ["kaputt.tab"], False, (1, BROKEN_REPORT)),
        ("clean table: one line, exit code 0", ["sauber.tab"], False, (0, CLEAN_REPORT)),
        ("a missing file: exit code 2 above 1", ["fehlt.tab", "kaputt.tab"], False,
         (2, ["fehlt.tab: Die Datei existiert nicht."] + BROKEN_REPORT)),
    ]
    if windows:
        checks += [
            ("a wildcard is expanded by the program", ["*.tab"], False, (1, BROKEN_REPORT + CLEAN_REPORT)),
            ("to a console: Unicode through the console", ["kaputt.tab"], True, (1, BROKEN_REPORT)),
        ]
    results = []
    for name, args, terminal, expected in checks:
        try:
            got = run(tool + args, folder, terminal)
            message = "" if got == expected else f"expected {expected!r}, got {got!r}"
        except (OSError, subprocess.SubprocessError, UnicodeDecodeError) as error:
            message = f"{type(error).__name__}: {error}"
        results.append((name, message))
        print(("FAIL  " if message else "ok    ") + name + (f"\n      {message}" if message else ""))
    for name in ("kaputt.tab", "sauber.tab"):
        os.remove(os.path.join(folder, name))
    os.rmdir(folder)

    failed = sum(1 for _, message in results if message)
    print(f"{len(results) - failed} passed, {failed} failed")
    if options.junit:
        suite = ET.Element("testsuite", name="tabpruef", tests=str(len(results)), failures=str(failed))
        for name, message in results:
            case = ET.SubElement(suite, "testcase", classname="tabpruef", name=name)
            if message:
                ET.SubElement(case, "failure", message=message)
        ET.ElementTree(suite).write(options.junit, encoding="utf-8", xml_declaration=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
