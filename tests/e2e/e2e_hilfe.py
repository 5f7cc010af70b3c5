"""End-to-end tests of the update question at start-up and the hand-over to the updater.

The program asks its own update server, whose address is fixed. Wine's HTTP client takes the proxy that the
variable http_proxy names, so the test runs a loopback proxy that answers for that server itself: it accepts
the tunnel request, speaks TLS with a certificate made for the server's name, and serves a version file that
offers a newer version. The certificate is trusted in the test's Wine prefix only, for as long as the test
runs. The program itself is the one that users get."""
import hashlib
import os
import shutil
import socket
import ssl
import struct
import subprocess
import tempfile
import threading
import time

from session import TITLE, expect_equal

UPDATE_HOST = "www.korvalin.de"
NEWER_VERSION = "1.3.0.0"
ROOT_STORE = r"HKEY_LOCAL_MACHINE\Software\Microsoft\SystemCertificates\Root\Certificates"
QUESTION = ("Es ist ein Update verfügbar!\nInstalliert: 1.2.1.0\nVerfügbar: " + NEWER_VERSION +
            "\n\nSoll Korvalin jetzt aktualisiert werden?")
UPDATER_MISSING = "Das Update wurde erkannt, aber Nevaril.exe wurde im Programmordner nicht gefunden."
UPDATER_NOT_STARTED = "Nevaril.exe konnte nicht gestartet werden, Korvalin wurde nicht aktualisiert."


class UpdateServer:
    """A loopback proxy that plays the update server over TLS and offers NEWER_VERSION, DELAY seconds after
    the request."""

    def __init__(self, s, delay=0):
        self.s = s
        self.delay = delay
        self.folder = tempfile.mkdtemp(prefix="korvalin-update-")
        self.requests = []
        cert, key = os.path.join(self.folder, "cert.pem"), os.path.join(self.folder, "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                        "-days", "2", "-subj", "/CN=" + UPDATE_HOST, "-addext", "subjectAltName=DNS:" + UPDATE_HOST,
                        "-addext", "basicConstraints=critical,CA:TRUE"], check=True, capture_output=True)
        self.context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        self.context.load_cert_chain(cert, key)
        with open(cert) as pem:
            der = ssl.PEM_cert_to_DER_cert(pem.read())
        self.cert_key = ROOT_STORE + "\\" + hashlib.sha1(der).hexdigest().upper()
        self.trust(der)
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(8)
        self.port = self.listener.getsockname()[1]
        threading.Thread(target=self.serve, daemon=True).start()

    def trust(self, der):
        """Puts the certificate into the prefix's root store, serialized as the registry store keeps it."""
        blob = struct.pack("<III", 32, 1, len(der)) + der  # the certificate's own property, then its bytes
        reg = os.path.join(self.folder, "root.reg")
        with open(reg, "w", encoding="ascii", newline="") as out:
            out.write('Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"Blob"=hex:%s\r\n'
                      % (self.cert_key, ",".join("%02x" % b for b in blob)))
        subprocess.run(["timeout", "30", self.s.env["KORVALIN_WINE"], "regedit", "/S", reg], env=self.s.env,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def serve(self):
        while True:
            try:
                connection, _ = self.listener.accept()
            except OSError:
                return
            threading.Thread(target=self.answer, args=(connection,), daemon=True).start()

    def answer(self, connection):
        try:
            request = connection.makefile("rb")
            tunnel = request.readline().decode("latin-1").split()
            while request.readline() not in (b"\r\n", b"\n", b""):
                pass
            if tunnel[:2] != ["CONNECT", UPDATE_HOST + ":443"]:
                connection.sendall(b"HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n")
                return
            connection.sendall(b"HTTP/1.1 200 Connection established\r\n\r\n")
            secure = self.context.wrap_socket(connection, server_side=True)
            inner = secure.makefile("rb")
            line = inner.readline().decode("latin-1").strip()
            headers = {}
            while (header := inner.readline()) not in (b"\r\n", b"\n", b""):
                name, _, value = header.decode("latin-1").partition(":")
                headers[name.strip().lower()] = value.strip()
            self.requests.append((line, headers.get("user-agent")))
            time.sleep(self.delay)
            if line.split()[1:2] in (["/Korvalin/Korvalin.ver"], [f"https://{UPDATE_HOST}:443/Korvalin/Korvalin.ver"]):
                body = f"[Korvalin]\r\nVersion={NEWER_VERSION}\r\n".encode()
                status = b"200 OK"
            else:
                body, status = b"<html>nicht gefunden</html>", b"404 Not Found"
            secure.sendall(b"HTTP/1.1 " + status + b"\r\nContent-Type: text/plain\r\nContent-Length: %d\r\n"
                           b"Connection: close\r\n\r\n" % len(body) + body)
            secure.close()
        except (OSError, ssl.SSLError, IndexError):
            pass
        finally:
            connection.close()

    def close(self):
        self.listener.close()
        subprocess.run(["timeout", "30", self.s.env["KORVALIN_WINE"], "reg", "delete", self.cert_key, "/f"],
                       env=self.s.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.rmtree(self.folder, ignore_errors=True)


def program_folder(s, name=""):
    return os.path.join(s.folder, "Korvalin", name)


def install_updater_standin(s):
    """The stand-in program as Nevaril.exe beside Korvalin.exe."""
    standin = os.path.join(os.path.dirname(os.path.abspath(s.probe)), "nevaril_standin.exe")
    shutil.copy(standin, program_folder(s, "Nevaril.exe"))


def write_brief(s):
    with open(os.path.join(s.folder, "Brief.rtf"), "w") as out:
        out.write("{\\rtf1\\ansi Sehr geehrte Damen und Herren\\par}")
    return s.wine_path("Brief.rtf")


def start_with_update_server(s, server, *args):
    """Starts the program again, its update check going through the loopback server."""
    s.env = dict(s.env, http_proxy=f"http://127.0.0.1:{server.port}")
    s.start_again(*args)


def box_text(s):
    """The text of the message box in front, its lines separated by LF (the probe's console output turns
    each CR LF of the box into two line breaks)."""
    return s.run_probe("boxtext", check=False).replace("\n\n", "\n")


def answer_box(s, key, what):
    """Answers the box in front with KEY and waits until it has gone."""
    for _ in range(3):  # under Wine the first key after the box opens may not reach it
        s.xdotool("key", key)
        deadline = time.time() + 3
        while time.time() < deadline:
            if s.process.poll() is not None or box_text(s) != what:
                return
            time.sleep(0.2)
    raise AssertionError(f"the box {what!r} did not take the key {key!r}")


def expect_update_question(s, server):
    s.wait_for_dialog("the update question", seconds=20)
    expect_equal(box_text(s), QUESTION, "the update question")
    if not server.requests:
        raise AssertionError("the program did not ask the update server")
    expect_equal(server.requests[-1][1], "Mozilla/3.0", "the update request's user agent")


def updater_call(s, seconds=15):
    """The parameters the stand-in was started with and the lines of the hand-over file it found."""
    record = program_folder(s, "Nevaril-Aufruf.txt")
    deadline = time.time() + seconds
    while not os.path.exists(record):
        if time.time() > deadline:
            raise AssertionError("the updater was not started")
        time.sleep(0.2)
    with open(record, encoding="utf-8") as f:
        parameters = f.read().splitlines()
    copy = program_folder(s, "Nevaril-Uebergabe.cfg")
    if not os.path.exists(copy):
        raise AssertionError("the updater found no hand-over file in the temporary folder")
    with open(copy, "rb") as f:
        data = f.read()
    return parameters, data


def expect_hand_over(s, data, caption):
    if data.startswith(b"\xef\xbb\xbf"):
        raise AssertionError("the hand-over file has a byte order mark")
    if not data.endswith(b"\r\n") or data.count(b"\r\n") != 5 or data.count(b"\n") != 5:
        raise AssertionError(f"the hand-over file is not five lines each ended by CR LF: {data!r}")
    lines = data.decode("cp1252").split("\r\n")[:5]
    exe = s.wine_path(os.path.join("Korvalin", "Korvalin.exe"))
    expect_equal(lines[0], TITLE, "line 1")
    expect_equal(lines[1], caption, "line 2")
    expect_equal(lines[2].lower(), exe.lower(), "line 3")
    expect_equal(lines[3], "Korvalin", "line 4")
    expect_equal(lines[4], "12 Arial", "line 5 (the user-interface font)")


def test_update_question_answered_yes_hands_over_to_the_updater_and_closes(s):
    """A newer version on the server and Nevaril.exe beside the program: the question names both versions;
    Yes writes the five-line Korvalin.cfg, starts Nevaril.exe with "Korvalin.cfg" and the program ends (the
    unchanged document asks no save question)."""
    install_updater_standin(s)
    server = UpdateServer(s)
    try:
        start_with_update_server(s, server)
        expect_update_question(s, server)
        answer_box(s, "y", QUESTION)
        try:
            s.process.wait(15)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program did not end; in front: {s.run_probe('foreground', check=False)!r} "
                                 f"{s.run_probe('boxtext', check=False)!r}")
        parameters, data = updater_call(s)
        expect_equal(parameters, ["Korvalin.cfg"], "the updater's parameters")
        expect_hand_over(s, data, "Dokument - " + TITLE)
    finally:
        server.close()


def test_update_question_answered_yes_without_the_updater_says_so_and_start_up_goes_on(s):
    """A newer version on the server, no Nevaril.exe, Korvalin.exe Brief.rtf: after Yes the message says that
    Nevaril.exe is missing; after OK the program runs on and Brief.rtf is open."""
    brief = write_brief(s)
    server = UpdateServer(s)
    try:
        start_with_update_server(s, server, brief)
        expect_update_question(s, server)
        expect_equal(s.run_probe("caption"), "Dokument - " + TITLE, "the caption while the question is open")
        answer_box(s, "y", QUESTION)
        s.wait_for_dialog("the message")
        expect_equal(box_text(s), UPDATER_MISSING, "the message")
        answer_box(s, "Return", UPDATER_MISSING)
        expect_equal(s.probe_until("Brief.rtf - " + TITLE, "caption", seconds=10), "Brief.rtf - " + TITLE,
                     "the caption after the message")
        if s.process.poll() is not None:
            raise AssertionError("the program ended")
    finally:
        server.close()


def test_update_question_answered_yes_with_an_updater_that_does_not_start_says_why_and_stays_open(s):
    """A newer version on the server and a Nevaril.exe that is no program: after Yes the message says that it
    could not be started, with the system's reason; after OK the program runs on."""
    with open(program_folder(s, "Nevaril.exe"), "wb") as out:
        out.write(b"kein Programm")
    server = UpdateServer(s)
    try:
        start_with_update_server(s, server)
        expect_update_question(s, server)
        answer_box(s, "y", QUESTION)
        s.wait_for_dialog("the message")
        text = box_text(s)
        lines = text.split("\n")
        expect_equal(lines[0], UPDATER_NOT_STARTED, "the message")
        if len(lines) < 2 or not lines[1].strip():
            raise AssertionError(f"the message gives no reason: {text!r}")
        answer_box(s, "Return", text)
        time.sleep(1)
        if s.process.poll() is not None:
            raise AssertionError("the program ended")
        expect_equal(s.run_probe("caption"), "Dokument - " + TITLE, "the caption after the message")
    finally:
        server.close()


def test_a_slow_update_server_leaves_the_window_answering_and_the_question_comes_after_it(s):
    """The update server answers 8 s after the request: meanwhile a chord types at once and no question is in
    front; then the question comes, No, and the program runs on with the text."""
    server = UpdateServer(s, delay=8)
    try:
        start_with_update_server(s, server)
        s.refocus()
        s.chord(1, 4)
        expect_equal(s.text("c"), "c", "a chord typed while the check waits for the server")
        if not server.requests:
            raise AssertionError("the program did not ask the update server")
        if not s.foreground_is_main():
            raise AssertionError("something other than the main window is in front while the check waits")
        expect_update_question(s, server)
        answer_box(s, "n", QUESTION)
        expect_equal(s.text("c"), "c", "the text after the question")
        if s.process.poll() is not None:
            raise AssertionError("the program ended")
    finally:
        server.close()


def test_the_question_waits_for_a_dialog_opened_during_the_check_to_close(s):
    """The line width dialog is opened while the check waits for the server: the question does not come over
    it; after Escape it comes."""
    server = UpdateServer(s, delay=4)
    try:
        start_with_update_server(s, server)
        s.refocus()
        s.xdotool("key", "alt+e")
        time.sleep(0.5)
        s.xdotool("key", "z")
        s.wait_for_dialog("the line width dialog")
        width_dialog = s.run_probe("foreground", check=False)
        time.sleep(7)  # the server has answered by now
        expect_equal(s.run_probe("foreground", check=False), width_dialog, "in front after the check ended")
        s.xdotool("key", "Escape")
        deadline = time.time() + 10
        while box_text(s) != QUESTION and time.time() < deadline:
            time.sleep(0.2)
        expect_update_question(s, server)
        answer_box(s, "n", QUESTION)
    finally:
        server.close()


def test_update_item_hands_the_open_document_over_and_the_program_runs_on(s):
    """Brief.rtf open and Nevaril.exe beside the program: Hilfe > Aktualisierung... starts Nevaril.exe with
    "Korvalin.cfg", whose second line is "Brief.rtf - Korvalin V1.21"; the program keeps running."""
    install_updater_standin(s)
    s.start_again(write_brief(s))
    expect_equal(s.probe_until("Brief.rtf - " + TITLE, "caption", seconds=10), "Brief.rtf - " + TITLE, "caption")
    s.refocus()
    s.xdotool("key", "alt+h")
    time.sleep(0.5)
    s.xdotool("key", "a")
    parameters, data = updater_call(s)
    expect_equal(parameters, ["Korvalin.cfg"], "the updater's parameters")
    expect_hand_over(s, data, "Brief.rtf - " + TITLE)
    time.sleep(0.5)
    if s.process.poll() is not None:
        raise AssertionError("the program ended")
    expect_equal(s.run_probe("caption"), "Brief.rtf - " + TITLE, "the caption afterwards")


TESTS = [
    (test_update_question_answered_yes_hands_over_to_the_updater_and_closes, None),
    (test_update_question_answered_yes_without_the_updater_says_so_and_start_up_goes_on, None),
    (test_update_question_answered_yes_with_an_updater_that_does_not_start_says_why_and_stays_open, None),
    (test_a_slow_update_server_leaves_the_window_answering_and_the_question_comes_after_it, None),
    (test_the_question_waits_for_a_dialog_opened_during_the_check_to_close, None),
    (test_update_item_hands_the_open_document_over_and_the_program_runs_on, None),
]
