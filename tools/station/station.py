#!/usr/bin/python3
"""The Zelkor FM demo station: everything the desktop player talks to, on 127.0.0.1.

One command starts the web server (directory, message sink, feeds, image search, pictures, the
advertisement clip) and the live streams (Icecast2 fed by ffmpeg); Ctrl-C or SIGTERM stops all of
it. The player is pointed at the station by the environment variables that are printed (and
written to --env-file) once everything answers.
"""

import argparse
import os
import shutil
import signal
import socket
import sys
import tempfile
import threading
import time

import content
import icecast
import media
import stationsite
import web


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def parse_args():
    cache = os.path.join(os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache"),
                         "zelkor-station")
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--http-port", type=int, default=0, help="web server port (0: a free one)")
    p.add_argument("--icecast-port", type=int, default=0, help="Icecast port (0: a free one)")
    p.add_argument("--title-seconds", type=float, default=20.0, help="time between titles")
    p.add_argument("--env-file", help="write the player's environment here when ready")
    p.add_argument("--request-log", help="append every HTTP request here (JSON lines)")
    p.add_argument("--message-log", help="append every listener message here (JSON lines)")
    p.add_argument("--cache", default=cache, help="folder for the generated sounds and pictures")
    return p.parse_args()


class TitleRotator(threading.Thread):
    """Puts the next title of every stream on air at a fixed interval."""

    def __init__(self, live, seconds):
        super().__init__(daemon=True)
        self.live = live
        self.seconds = seconds
        self.stopping = threading.Event()

    def put_on_air(self, index):
        for stream in content.STREAMS:
            title = stream.titles[index % len(stream.titles)]
            # A source that was just (re)started may not be mounted yet: try for a moment.
            for _ in range(20):
                if self.live.set_title(stream.mount, title):
                    break
                if self.stopping.wait(0.1):
                    return

    def run(self):
        index = 0
        while not self.stopping.wait(self.seconds):
            index += 1
            self.put_on_air(index)


def wait_for_mounts(live, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if all(live.mount_is_live(s.mount) for s in content.STREAMS):
            return
        time.sleep(0.1)
    raise RuntimeError("the live streams did not come up")


def write_env(path, env):
    temporary = path + ".tmp"
    with open(temporary, "w") as f:
        for name, value in env.items():
            f.write(f"{name}={value}\n")
    os.replace(temporary, path)


def main():
    args = parse_args()
    stop = threading.Event()
    for number in (signal.SIGINT, signal.SIGTERM):
        signal.signal(number, lambda *_: stop.set())

    print("Sesler ve resimler hazırlanıyor...", flush=True)
    media_dir = media.prepare(args.cache)
    work = tempfile.mkdtemp(prefix="zelkor-station-")
    os.chmod(work, 0o755)  # Icecast runs as its own user and must reach its log folder
    live = None
    server = None
    rotator = None
    try:
        live = icecast.Icecast(args.icecast_port or free_port(), work, content.STREAMS, media_dir)
        live.start()
        wait_for_mounts(live, 15)
        server = web.make_server(args.http_port)
        server.site = stationsite.Site(f"http://127.0.0.1:{server.server_address[1]}", live,
                                       media_dir, args.request_log, args.message_log)
        site = server.site
        threading.Thread(target=server.serve_forever, daemon=True).start()
        rotator = TitleRotator(live, args.title_seconds)
        rotator.put_on_air(0)
        rotator.start()

        env = site.env()
        if args.env_file:
            write_env(args.env_file, env)
        print("Zelkor FM demo istasyonu hazır. Oynatıcı için:", flush=True)
        for name, value in env.items():
            print(f"  export {name}={value}", flush=True)
        print("Durdurmak için Ctrl-C.", flush=True)

        while not stop.wait(1.0):
            if live.server.poll() is not None:
                print("icecast2 durdu; istasyon kapanıyor.", file=sys.stderr, flush=True)
                return 1
        return 0
    finally:
        if rotator:
            rotator.stopping.set()
        if server:
            server.shutdown()
            server.server_close()
        if live:
            live.stop()
        shutil.rmtree(work, ignore_errors=True)
        if args.env_file and os.path.exists(args.env_file):
            os.remove(args.env_file)


if __name__ == "__main__":
    sys.exit(main())
