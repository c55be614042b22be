"""One launch of a program on the bench's desktop, with a recording of its own and a watch on
its process tree. Times are counted in the recording's samples from the launch, so that the
recorder's own start-up does not count."""

import subprocess
import time

import playerproc

from . import heard
from .proctree import TreeWatch

STEP = 0.25  # seconds between two samples of the process tree


class Peer:
    """A program other than ours, started on one stream address."""

    def __init__(self, args, env):
        self.process = subprocess.Popen(args, env=env, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)

    def stop(self):
        playerproc.end_session(self.process)


class Session:
    def __init__(self, desktop, start):
        """start() launches the program and returns it (a Peer or a playerproc.Player)."""
        self.recording = desktop.record()
        self.launch = len(self.recording.samples())
        self.program = start()
        self.watch = TreeWatch(self.program.process.pid)

    def now(self):
        return len(self.recording.samples())

    def seconds(self, since, index):
        return None if index is None else (index - since) / heard.RATE

    def hold(self, seconds, until=None):
        """Samples the process tree for up to `seconds`, or until until() gives something other
        than None or the program ends; returns what until() gave last."""
        deadline = time.monotonic() + seconds
        while True:
            self.watch.sample()
            found = until() if until else None
            if found is not None or time.monotonic() >= deadline:
                return found
            if self.program.process.poll() is not None:
                return None
            time.sleep(STEP)

    def hold_until_recorded(self, index, timeout):
        """Holds until the recording reaches sample `index`."""
        return self.hold(timeout, lambda: True if self.now() >= index else None)

    def heard_after(self, since, timeout, silence_s=0.0):
        """Index of the first audible sample after `since` (after silence_s of silence)."""
        silence = int(silence_s * heard.RATE)
        return self.hold(timeout, lambda: heard.audible_after(self.recording.samples(), since,
                                                              silence))

    def launch_to_audible(self, timeout=30):
        return self.seconds(self.launch, self.heard_after(self.launch, timeout))

    def close(self):
        self.program.stop()
        self.recording.stop()
