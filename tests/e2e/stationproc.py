"""Runs the demo station for a test and reads what it logged."""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))
STATION = os.path.join(HERE, "..", "..", "tools", "station", "station.py")
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "station"))


class Station:
    def __init__(self, title_seconds=8.0, ready_seconds=90):
        self.dir = tempfile.mkdtemp(prefix="zelkor-e2e-station-")
        self.env_file = os.path.join(self.dir, "env")
        self.request_log = os.path.join(self.dir, "requests.jsonl")
        self.message_log = os.path.join(self.dir, "messages.jsonl")
        self.output = open(os.path.join(self.dir, "station.out"), "w+")
        # The generated sounds and pictures: CTest keeps them in the build folder, others share
        # the station's own cache.
        cache = os.environ.get("ZELKOR_STATION_CACHE")
        self.process = subprocess.Popen(
            [sys.executable, STATION, "--env-file", self.env_file,
             "--request-log", self.request_log, "--message-log", self.message_log,
             "--title-seconds", str(title_seconds), *(["--cache", cache] if cache else [])],
            stdout=self.output, stderr=subprocess.STDOUT, start_new_session=True)
        self.env = self._wait_ready(ready_seconds)
        self.base = self.env["ZELKOR_IMAGE_SEARCH_URL"]

    def _wait_ready(self, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("the station ended: " + self.printed())
            if os.path.exists(self.env_file):
                with open(self.env_file) as f:
                    return dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
            time.sleep(0.1)
        printed = self.printed()
        self.stop()
        raise RuntimeError("the station was not ready in time: " + printed)

    def printed(self):
        self.output.flush()
        with open(self.output.name, encoding="utf-8", errors="replace") as f:
            return f.read()

    def get(self, path, headers=None, timeout=10):
        """(status, headers, body) of a GET on the station's web server."""
        request = urllib.request.Request(self.base + path, headers=headers or {})
        try:
            with urllib.request.urlopen(request, timeout=timeout) as r:
                return r.status, r.headers, r.read()
        except urllib.error.HTTPError as error:
            return error.code, error.headers, error.read()

    def status(self):
        return json.loads(self.get("/control/status")[2])

    def source(self, mount, state):
        status = self.get(f"/control/source?mount={mount}&state={state}")[0]
        assert status == 200, status

    def requests(self):
        return _read_jsonl(self.request_log)

    def messages(self):
        return _read_jsonl(self.message_log)

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(15)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        # Whatever of the station's session is left (nothing, unless it crashed).
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.output.close()
        shutil.rmtree(self.dir, ignore_errors=True)


def _read_jsonl(path):
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        return [json.loads(line) for line in f if line.strip()]
