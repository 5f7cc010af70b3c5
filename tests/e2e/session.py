"""The running program as an end-to-end test sees it: one Korvalin.exe in its
own copy of the install tree under Wine, driven by xdotool and read back by
the probe program."""
import glob
import os
import shutil
import subprocess
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TITLE = "Korvalin V1.21"
DOTS = {1: "f", 2: "d", 3: "s", 4: "j", 5: "k", 6: "l", 7: "a", 8: "semicolon"}
TEST_SECONDS = 60


def wine_environment(prefix):
    script = f'source "{ROOT}/tools/wine-env.sh"; wine_prepare; env -0'
    env = dict(os.environ, KORVALIN_WINEPREFIX=prefix)
    out = subprocess.run(["bash", "-c", script], env=env, check=True, capture_output=True, timeout=600).stdout
    return dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)


class Session:
    """One running Korvalin.exe in its own copy of the install tree."""

    def __init__(self, env, tree, probe, tables=None, args=(), keep_settings=False):
        """Starts the program with the command-line ARGS; unless keep_settings,
        with the settings of a first run."""
        self.env, self.probe = env, probe
        if not keep_settings:
            self.remove_settings()
        self.folder = tempfile.mkdtemp(prefix="korvalin-e2e-")
        shutil.copytree(tree, os.path.join(self.folder, "Korvalin"))
        for name, lines in (tables or {}).items():
            with open(os.path.join(self.folder, "Korvalin", "Tabellen", name), "w", newline="\r\n") as out:
                out.write("\n".join(lines) + "\n")
        self.start(*args)

    def start(self, *args, cwd=None):
        """Starts the program with the command-line ARGS, in the current folder CWD if given, and waits for its
        window."""
        self.process = subprocess.Popen(["timeout", str(TEST_SECONDS), self.env["KORVALIN_WINE"], self.exe(), *args],
                                        env=self.env, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = self.wait_for_window()

    def remove_settings(self):
        """Every test starts with the settings of a first run."""
        prefix = self.env["WINEPREFIX"]
        for folder in glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Roaming", "Korvalin")):
            shutil.rmtree(folder)
        subprocess.run(["timeout", "20", self.env["KORVALIN_WINE"], "reg", "delete", r"HKCU\Korvalin", "/f"],
                       env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run_probe(self, *args, check=True):
        result = subprocess.run(["timeout", "20", self.env["KORVALIN_WINE"], self.probe, *args], env=self.env,
                                capture_output=True, text=True)
        if check and result.returncode != 0:
            raise AssertionError(f"probe {' '.join(args)} failed ({result.returncode})")
        return result.stdout.strip()

    def wait_for_window(self):
        deadline = time.time() + 60
        while not self.run_probe("caption", check=False).endswith(TITLE):
            if time.time() > deadline or self.process.poll() is not None:
                raise AssertionError("the Korvalin window did not appear")
            time.sleep(0.1)
        while time.time() < deadline:
            found = subprocess.run(["xdotool", "search", "--name", TITLE], env=self.env, capture_output=True,
                                   text=True).stdout.split()
            if found:
                window = found[0]
                for _ in range(50):
                    if subprocess.run(["timeout", "2", "xdotool", "windowfocus", "--sync", window],
                                      env=self.env).returncode == 0:
                        time.sleep(0.5)  # the start timer loads the tables
                        return window
                    time.sleep(0.1)
            time.sleep(0.2)
        raise AssertionError("the Korvalin window did not appear")

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)
        time.sleep(0.05)

    def chord(self, *dots, release=None):
        """Presses the dot keys together, then releases them (in the order given by release)."""
        for dot in dots:
            self.xdotool("keydown", DOTS[dot])
        for dot in release or dots:
            self.xdotool("keyup", DOTS[dot])

    def text(self, expected=None, seconds=3):
        """The editor's text as a str; with expected, waits until it is that."""
        deadline = time.time() + seconds
        while True:
            units = self.run_probe("text").split()
            text = bytes.fromhex("".join(u[2:] + u[:2] for u in units)).decode("utf-16-le", "surrogatepass")
            if expected is None or text == expected or time.time() > deadline:
                return text
            time.sleep(0.1)

    def probe_until(self, expected, *args, seconds=3):
        """The probe's answer to ARGS; with expected, waits until it is that."""
        deadline = time.time() + seconds
        while True:
            answer = self.run_probe(*args, check=False)
            if expected is None or answer == expected or time.time() > deadline:
                return answer
            time.sleep(0.1)

    def panel(self, index, expected=None, seconds=3):
        """Status panel INDEX; with expected, waits until it reads that."""
        return self.probe_until(expected, "panel", str(index), seconds=seconds)

    def answer_save_question(self, key):
        """Answers the save question in front with KEY and waits for the program's end."""
        self.wait_for_dialog("the save question")
        for _ in range(3):  # under Wine the first key after the box opens may not reach it
            self.xdotool("key", key)
            try:
                self.process.wait(5)
                return
            except subprocess.TimeoutExpired:
                pass
        raise AssertionError(f"the program did not end after the answer {key!r}")

    def foreground_is_main(self):
        return self.run_probe("foreground", check=False) == self.run_probe("caption", check=False)

    def wait_for_dialog(self, what, seconds=10):
        """Waits until a window other than the main window has the foreground."""
        deadline = time.time() + seconds
        while self.foreground_is_main():
            if time.time() > deadline:
                raise AssertionError(f"{what} did not open")
            time.sleep(0.2)
        time.sleep(0.5)

    def enter_file_name(self, path):
        """Types a file name into the open or save dialog in front and confirms it."""
        dialog = self.run_probe("foreground")
        self.xdotool("type", "--delay", "20", path)
        time.sleep(0.5)
        for _ in range(3):
            self.xdotool("key", "Return")
            deadline = time.time() + 5
            while time.time() < deadline:
                if self.run_probe("foreground", check=False) != dialog:
                    time.sleep(0.5)
                    if self.foreground_is_main():
                        self.refocus()
                    return
                time.sleep(0.2)
        raise AssertionError(f"the dialog {dialog!r} did not take the file name")

    def wine_path(self, name):
        """The Windows name of a file in the test's folder."""
        return "Z:" + os.path.join(self.folder, name).replace("/", "\\")

    def menu_command(self, menu_key, item_key):
        """Opens a menu of the bar with Alt and its accelerator letter, then chooses an item by its letter."""
        self.xdotool("key", f"alt+{menu_key}")
        time.sleep(0.5)
        self.xdotool("key", item_key)

    def refocus(self):
        subprocess.run(["timeout", "2", "xdotool", "windowfocus", "--sync", self.window], env=self.env)
        time.sleep(0.3)

    def exe(self):
        return os.path.join(self.folder, "Korvalin", "Korvalin.exe")

    def start_again(self, *args, cwd=None):
        """Ends the program and starts it again from the same folder with the command-line ARGS, keeping its
        settings; waits for its window."""
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.start(*args, cwd=cwd)

    def start_second(self, *args, seconds=20):
        """Starts a second Korvalin.exe of the same folder with ARGS beside the running one and waits for its end;
        returns its exit code and how long it ran, in seconds."""
        started = time.time()
        result = subprocess.run(["timeout", str(seconds), self.env["KORVALIN_WINE"], self.exe(), *args],
                                env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return result.returncode, time.time() - started

    def close(self):
        self.process.terminate()  # timeout passes the signal on to the program
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            subprocess.run(["wineserver", "-k"], env=self.env)
            self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)


def expect_equal(actual, expected, what):
    if actual != expected:
        raise AssertionError(f"{what}: expected {expected!r}, got {actual!r}")
