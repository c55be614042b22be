"""Runs a copy of the player in a folder of its own (its ayar.ini lives next to it) on a test's
desktop, pointed at a test's station."""

import os
import shutil
import signal
import subprocess
import tempfile
import time

CLIENT_WIDTH = 320
CLIENT_HEIGHT = 480


def player_executable():
    path = os.environ.get("ZELKOR_PLAYER", "")
    return path if path and os.access(path, os.X_OK) else None


def install(ayar1=None, folder=None):
    """A copy of the player in a new folder (or in folder) with its ayar.ini; returns its path."""
    folder = folder or tempfile.mkdtemp(prefix="zelkor-e2e-player-")
    # The single-instance lock is named after the file: a name of our own keeps a player that
    # someone else runs meanwhile from refusing ours.
    path = os.path.join(folder, f"zelkorfm-e2e-{os.getpid()}")
    if not os.path.exists(path):
        shutil.copy2(player_executable(), path)
    if ayar1 is not None:
        with open(os.path.join(folder, "ayar.ini"), "w") as f:
            f.write(f"[ayar]\r\nayar1={ayar1}\r\n")
    return path


def environment(desktop, station):
    return dict(desktop.env, **station.env, QT_QPA_PLATFORM="xcb",
                QTWEBENGINE_DISABLE_SANDBOX="1", QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu")


class Player:
    def __init__(self, desktop, station, ayar1=None, folder=None):
        self.desktop = desktop
        self.owns_dir = folder is None
        self.path = install(ayar1, folder)
        self.dir = os.path.dirname(self.path)
        env = environment(desktop, station)
        self.log = tempfile.NamedTemporaryFile("w+", prefix="player-", suffix=".log",
                                               dir=self.dir, delete=False)
        self.started = time.monotonic()
        self.process = subprocess.Popen([self.path], env=env, cwd=self.dir,
                                        stdout=self.log, stderr=subprocess.STDOUT,
                                        start_new_session=True)

    def printed(self):
        self.log.flush()
        with open(self.log.name, errors="replace") as f:
            return f.read()

    def window(self, timeout=40):
        """The main window, once it is mapped at its client size."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise AssertionError(f"the player ended with {self.process.returncode}:\n"
                                     + self.printed())
            found = self._client_sized()
            # Qt may replace a window's X window while setting it up: take one that stays.
            time.sleep(0.7)
            if found and found == self._client_sized():
                return found[0]
        raise AssertionError("no 320 x 480 window appeared:\n" + self.printed())

    def _client_sized(self):
        sized = []
        for window in self.desktop.windows_of(self.process.pid):
            try:
                if self.desktop.geometry(window)[2:] == (CLIENT_WIDTH, CLIENT_HEIGHT):
                    sized.append(window)
            except subprocess.CalledProcessError:  # gone meanwhile
                pass
        return sized
        raise AssertionError("no 320 x 480 window appeared:\n" + self.printed())

    def dialog(self, main, timeout=10):
        """A visible window of the player other than its main window (a message box)."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            others = [w for w in self.desktop.windows_of(self.process.pid) if w != main]
            if others:
                return others[0]
            time.sleep(0.1)
        return None

    def dismiss(self, dialog):
        """Presses Return in a message box (its OK button has the focus) and waits it away."""
        self.desktop.xdotool("windowfocus", "--sync", dialog)
        self.desktop.key("Return")
        deadline = time.monotonic() + 5
        while dialog in self.desktop.windows_of(self.process.pid):
            if time.monotonic() > deadline:
                raise AssertionError("the message box did not close")
            time.sleep(0.1)

    def mapped_files(self):
        """Every file mapped by the player or one of its helpers (all in the player's session)."""
        files = set()
        for name in os.listdir("/proc"):
            try:
                with open(f"/proc/{name}/stat") as f:
                    session = int(f.read().rsplit(")", 1)[1].split()[3])
                if session != self.process.pid:
                    continue
                with open(f"/proc/{name}/maps") as f:
                    files.update(line.split(None, 5)[5].strip() for line in f
                                 if len(line.split(None, 5)) == 6)
            except (OSError, ValueError, IndexError):
                pass
        return files

    def stop(self):
        end_session(self.process)
        self.log.close()
        if self.owns_dir:
            shutil.rmtree(self.dir, ignore_errors=True)


def end_session(process):
    """Ends a process started in a session of its own, with all its helpers (web engine)."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            pass
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            pass
    process.wait()
