"""Where everything of the station lives: the addresses the player is given, the directory's
station records, and the logs that show what the player asked for and sent."""

import json
import os
import threading
import time

import content
import feeds

VERSION = 1002

DIRECTORY_PATH = "/dizin/"
STATION_PATH = "/istasyon/"
ARTIST_PATH = "/sanatci/"
COVER_PATH = "/kapak/ara"
CLIP_PATH = "/reklam/reklam.mp3"
MAP_PATH = "/harita/"
MAKER_PATH = "/yapimci/"
DOWNLOAD_PATH = "/indir/ZelkorFM-Kurulum.exe"


class JsonLog:
    """Appends one JSON object a line; written by the HTTP server's request threads."""

    def __init__(self, path):
        self.path = path
        self.lock = threading.Lock()
        if path:
            open(path, "w").close()

    def add(self, entry):
        if not self.path:
            return
        line = json.dumps(dict(entry, t=round(time.time(), 3)), ensure_ascii=False)
        with self.lock, open(self.path, "a", encoding="utf-8") as f:
            f.write(line + "\n")


class Site:
    def __init__(self, base, icecast, media_dir, request_log, message_log):
        self.base = base
        self.icecast = icecast
        self.media_dir = media_dir
        self.requests = JsonLog(request_log)
        self.messages = JsonLog(message_log)

    def env(self):
        return {
            "ZELKOR_DIRECTORY_URL": self.base + DIRECTORY_PATH,
            "ZELKOR_STATION_URL": self.base + STATION_PATH,
            "ZELKOR_IMAGE_SEARCH_URL": self.base,
            "ZELKOR_MAP_URL": self.base + MAP_PATH,
            "ZELKOR_MAKER_URL": self.base + MAKER_PATH,
        }

    def cover_mode(self, stream):
        if stream.cover_mode == "f-":
            return "f-" + self.base + ARTIST_PATH
        if stream.cover_mode == "w-":
            return "w-" + self.base + COVER_PATH + "?baslik="
        return stream.cover_mode

    def records(self):
        records = []
        for number, stream in enumerate(content.STREAMS, start=1):
            records.append([
                str(number),
                stream.display_name,
                self.icecast.base_url() + stream.mount,
                self.base + CLIP_PATH if stream.has_clip else "",
                f"{self.base}/web/{stream.key}",
                f"{self.base}/sosyal/facebook/{stream.key}",
                f"{self.base}/sosyal/twitter/{stream.key}",
                self.cover_mode(stream),
            ])
        return records

    def directory(self):
        return feeds.directory_text(VERSION, self.base + DOWNLOAD_PATH, self.records())

    def media(self, name):
        return os.path.join(self.media_dir, name)

    def status(self):
        return {"titles": {s.mount: self.icecast.title(s.mount) for s in content.STREAMS},
                "live": {s.mount: self.icecast.mount_is_live(s.mount) for s in content.STREAMS},
                "listeners": {s.mount: self.icecast.listeners(s.mount) for s in content.STREAMS}}
