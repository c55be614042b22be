"""A private D-Bus session bus on a Unix socket (no TCP), and playerctl and dbus-send on it."""

import os
import shutil
import subprocess
import tempfile

SERVICE = "org.mpris.MediaPlayer2.zelkorfm"
PATH = "/org/mpris/MediaPlayer2"


class SessionBus:
    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="zelkor-e2e-bus-")
        self.process = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address=1",
             f"--address=unix:path={self.dir}/bus"], stdout=subprocess.PIPE, text=True)
        self.address = self.process.stdout.readline().strip()
        if not self.address:
            self.close()
            raise RuntimeError("dbus-daemon did not start")
        self.env = dict(os.environ, DBUS_SESSION_BUS_ADDRESS=self.address)

    def playerctl(self, *args):
        """playerctl's answer about our player, or None when it has none."""
        done = subprocess.run(["playerctl", "-p", "zelkorfm", *args], env=self.env,
                              capture_output=True, text=True, timeout=10)
        return done.stdout.strip() if done.returncode == 0 else None

    def follow(self, *args):
        """playerctl --follow: prints a line for each change the player signals."""
        return subprocess.Popen(["playerctl", "-p", "zelkorfm", "--follow", *args],
                                env=self.env, stdout=subprocess.PIPE, text=True)

    def call(self, interface, method):
        subprocess.run(["dbus-send", "--session", "--print-reply", f"--dest={SERVICE}", PATH,
                        f"{interface}.{method}"], env=self.env, check=True,
                       capture_output=True, timeout=10)

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(5)
        self.process.stdout.close()
        shutil.rmtree(self.dir, ignore_errors=True)
