"""The station's HTTP server: directory, message sink, feeds, image search, pictures, the clip,
and a small control interface for tests (take a live source down and up, read the titles)."""

import hashlib
import html
import json
import re
import secrets
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

import content
import feeds
import media

MESSAGE_KEYS = ("i", "x_adsoyad", "x_mail", "x_mesaj", "x_name", "x_sysver", "x_uuid")
MESSAGE_LABELS = ("İstek", "Ad Soyad", "E-posta", "Mesaj", "İstemci", "Sürüm", "Cihaz")


def query_values(raw_query):
    """Form values as the player encodes them: "+" is a blank, %XX a byte of code page 1254."""
    values = {}
    for pair in raw_query.split("&"):
        key, _, value = pair.partition("=")
        data = urllib.parse.unquote_to_bytes(value.replace("+", " "))
        values.setdefault(key, data.decode("cp1254", errors="replace"))
    return values


def _path_bytes(path):
    # The request line arrives as Latin-1 text; undo that to get the bytes the client sent.
    return urllib.parse.unquote_to_bytes(path.encode("latin-1"))


def _text_of(data):
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp1254", errors="replace")


def _pick(text, count):
    return int(hashlib.sha1(text.encode("utf-8")).hexdigest()[:8], 16) % count


class Handler(BaseHTTPRequestHandler):
    server_version = "ZelkorStation/1.0"

    @property
    def site(self):
        return self.server.site

    def log_message(self, fmt, *args):
        pass

    def send_response(self, code, message=None):
        self.status_sent = code
        super().send_response(code, message)

    def _reply(self, body, content_type, extra_headers=()):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in extra_headers:
            self.send_header(name, value)
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def _html(self, title, body):
        page = (f"<!DOCTYPE html><html lang=\"tr\"><head><meta charset=\"utf-8\"><title>"
                f"{html.escape(title)}</title></head><body style=\"font-family:sans-serif\">"
                f"{body}</body></html>")
        self._reply(page.encode("utf-8"), "text/html; charset=utf-8")

    def _file(self, name, content_type):
        try:
            with open(self.site.media(name), "rb") as f:
                data = f.read()
        except OSError:
            self.send_error(404)
            return
        self._reply(data, content_type)

    def do_HEAD(self):
        self.do_GET()

    def do_GET(self):
        self.status_sent = 0
        path, _, query = self.path.partition("?")
        try:
            self._route(path, query)
        finally:
            if not path.startswith("/control/"):  # the log is of what the player asks
                self.site.requests.add({
                    "path": path, "query": query, "status": self.status_sent,
                    "headers": {k: v for k, v in self.headers.items()}})

    def _route(self, path, query):
        site = self.site
        if path == "/dizin/xml.aspx":
            self._reply(site.directory(), "text/plain; charset=utf-8")
        elif path == "/dizin/iphonebilgi.aspx":
            self._message(query)
        elif path == "/istasyon/Stream.aspx":
            self._feed(feeds.schedule_xml(), feeds.SCHEDULE_ENCODING)
        elif path == "/istasyon/Announcement.aspx":
            self._feed(feeds.announcements_xml(site.base), feeds.ANNOUNCEMENT_ENCODING)
        elif path in ("/images", "//images"):
            self._image_search(query)
        elif path.startswith("/sanatci/"):
            self._artist(path[len("/sanatci/"):])
        elif path == "/kapak/ara":
            title = query_values(query).get("baslik", "")
            self._file(f"cover-{_pick(title, len(content.COVER_COLOURS))}.jpg", "image/jpeg")
        elif re.fullmatch(r"/duyuru/\d{1,3}\.jpg", path):
            self._file(f"announcement-{path[len('/duyuru/'):-4]}.jpg", "image/jpeg")
        elif path == "/reklam/reklam.mp3":
            self._file("clip.mp3", "audio/mpeg")
        elif path.startswith("/control/"):
            self._control(path, query)
        else:
            self._page(path)

    def _feed(self, body, encoding):
        cookies = []
        if "ASP.NET_SessionId" not in (self.headers.get("Cookie") or ""):
            cookies.append(("Set-Cookie",
                            f"ASP.NET_SessionId={secrets.token_hex(12)}; path=/; HttpOnly"))
        self._reply(body, f"text/xml; charset={encoding}", cookies)

    def _message(self, query):
        values = query_values(query)
        if values.get("i") != "zelkorfm_mesaj_gonder":
            self.send_error(400)
            return
        lines = [f"  {label}: {values.get(key, '')!r}" for key, label in
                 zip(MESSAGE_KEYS, MESSAGE_LABELS)]
        print("Dinleyici mesajı geldi:\n" + "\n".join(lines), flush=True)
        self.site.messages.add({"fields": values, "query": query})
        self._reply(b"OK", "text/html; charset=utf-8")

    def _image_search(self, query):
        values = query_values(query)
        q = values.get("q", "")
        covers = len(content.COVER_COLOURS)
        if q.startswith("tbn:"):
            # The thumbnail address that the result page below hands out.
            number = q[4:].split("-", 1)[0]
            if number.isdigit() and int(number) < covers:
                self._file(f"cover-{number}.jpg", "image/jpeg")
            else:
                self.send_error(404)
            return
        thumb = f"{self.site.base}/images?q=tbn:{_pick(q, covers)}-{secrets.token_hex(6)}"
        original = "http://kaynak.example/resimler/kapak.jpg"
        # The result page in the form the player scrapes: the first "src=http://" starts the
        # thumbnail address, which runs up to the ":http://" of the original picture's address.
        body = (f"<h3>{html.escape(q)} için görsel arama sonuçları</h3><table><tr><td>"
                f"<a href=\"/imgres?imgurl={original}\"><img height=120 width=120 "
                f"src={thumb}:{original}></a></td></tr></table>")
        self._html(f"{q} - Görsel Arama", body)

    def _artist(self, name):
        data = _path_bytes(name)
        if not data.endswith(b".JPG"):
            self.send_error(404)
            return
        artist = _text_of(data[:-4])
        if artist not in content.ARTIST_COLOURS:
            self.send_error(404)
            return
        self._file(media.artist_file(artist), "image/jpeg")

    def _control(self, path, query):
        values = query_values(query)
        icecast = self.site.icecast
        try:
            if path == "/control/source":
                mount = values.get("mount", "")
                if values.get("state") == "down":
                    icecast.stop_source(mount)
                elif values.get("state") == "up":
                    icecast.start_source(mount)
                else:
                    raise KeyError(mount)
                self._reply(b"ok\n", "text/plain")
            elif path == "/control/status":
                self._reply(json.dumps(self.site.status(), ensure_ascii=False).encode("utf-8"),
                            "application/json")
            else:
                self.send_error(404)
        except KeyError:
            self.send_error(400)

    def _page(self, path):
        pages = {
            "/istasyon/": ("Zelkor FM", "<h1>Zelkor FM</h1><p>Şehrin sesi, 98.7'de.</p>"),
            "/harita/maps": ("Harita", "<h1>Zelkor FM stüdyosu burada</h1>"),
            "/yapimci/": ("Yazılım", "<h1>Masaüstü oynatıcı</h1>"),
            "/indir/ZelkorFM-Kurulum.exe": ("İndir", "<h1>Zelkor FM oynatıcı, sürüm 1002</h1>"),
        }
        for stream in content.STREAMS:
            pages[f"/web/{stream.key}"] = (
                stream.display_name,
                f"<div style=\"background:#0a3d91;color:white;height:60px\">"
                f"<b>{html.escape(stream.display_name)}</b> dinliyorsunuz</div>")
            for network in ("facebook", "twitter"):
                pages[f"/sosyal/{network}/{stream.key}"] = (
                    network, f"<h1>{html.escape(stream.display_name)} — {network}</h1>")
        if path not in pages:
            self.send_error(404)
            return
        self._html(*pages[path])


class Server(ThreadingHTTPServer):
    daemon_threads = True
    # A demo station that binds a fixed port should be able to start again at once.
    allow_reuse_address = True


def make_server(port):
    """Binds the server; its .site must be set before it serves."""
    server = Server(("127.0.0.1", port), Handler)
    server.site = None
    return server

