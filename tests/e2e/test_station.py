"""The demo station serves what the player expects, in the formats the player reads."""

import os
import re
import signal
import socket
import subprocess
import tempfile
import time
import unittest
import urllib.parse
from xml.etree import ElementTree

import rules
import stationproc  # also puts the station's own modules on the path

import content  # noqa: E402

DAY_NAMES = {"Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi", "Pazar"}


def probe(data, suffix):
    """(codec, sample rate, channels) of audio bytes, by ffprobe."""
    with tempfile.NamedTemporaryFile(suffix=suffix) as f:
        f.write(data)
        f.flush()
        out = subprocess.run(
            ["ffprobe", "-v", "error", "-show_entries", "stream=codec_name,sample_rate,channels",
             "-show_entries", "format=duration", "-of", "default=nw=1", f.name],
            capture_output=True, text=True, check=True).stdout
    values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return values


def jpeg_size(data):
    """(width, height) of JPEG bytes, by ImageMagick, or None when they are no JPEG."""
    if not data.startswith(b"\xff\xd8"):
        return None
    out = subprocess.run(["identify", "-format", "%m %w %h", "jpeg:-"], input=data,
                         capture_output=True, check=True).stdout.decode().split()
    return (int(out[1]), int(out[2])) if out[0] == "JPEG" else None


def icy_read(url, metadata, size):
    """(header block, audio bytes, metadata texts) of a live stream, ICY metadata removed."""
    parts = urllib.parse.urlsplit(url)
    with socket.create_connection((parts.hostname, parts.port), timeout=10) as s:
        s.sendall(f"GET {parts.path} HTTP/1.0\r\nHost: {parts.netloc}\r\nUser-Agent: test\r\n"
                  f"{'Icy-MetaData: 1' if metadata else 'X-None: 0'}\r\n\r\n".encode())
        data = b""
        while b"\r\n\r\n" not in data:
            data += s.recv(4096)
        head, data = data.split(b"\r\n\r\n", 1)
        metaint = int(re.search(rb"icy-metaint:(\d+)", head).group(1)) if metadata else 0
        audio, texts = b"", []
        while len(audio) < size:
            chunk = s.recv(65536)
            if not chunk:
                break
            data += chunk
            while metaint and len(data) > metaint and len(data) >= metaint + 1 + data[metaint] * 16:
                length = data[metaint] * 16
                audio += data[:metaint]
                if length:
                    texts.append(data[metaint + 1:metaint + 1 + length].rstrip(b"\0"))
                data = data[metaint + 1 + length:]
            if not metaint:
                audio, data = audio + data, b""
        return head.decode("latin-1"), audio, texts


class StationTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.station = stationproc.Station(title_seconds=3)

    @classmethod
    def tearDownClass(cls):
        cls.station.stop()

    def directory(self):
        status, headers, body = self.station.get(
            "/dizin/xml.aspx?i=zelkor&mac=00-11-22-33-44-55&v=1002&rid=0")
        self.assertEqual(status, 200)
        return body.decode("utf-8").split("\r\n")

    def records(self):
        lines = self.directory()[2:]
        return [lines[8 * i:8 * i + 8] for i in range(len(lines) // 8)]

    def test_directory_has_version_download_address_and_three_records(self):
        lines = self.directory()
        self.assertEqual(lines[0], "1002")
        self.assertTrue(lines[1].startswith("http://127.0.0.1:"))
        self.assertEqual(lines[-1], "")  # the reply ends with a line break
        self.assertEqual(len(lines) - 3, 3 * 8)
        self.assertFalse(any("__" in line or "\r" in line or "\n" in line for line in lines))
        records = self.records()
        self.assertEqual([r[1] for r in records], [s.display_name for s in content.STREAMS])
        clip, pop, classic = records
        self.assertTrue(clip[3].endswith(".mp3"))
        self.assertTrue(clip[7].startswith("f-http://127.0.0.1:"))
        self.assertEqual(pop[3], "")
        self.assertEqual(pop[7], "g")
        self.assertTrue(pop[2].endswith(".aac"))
        self.assertTrue(classic[7].startswith("w-http://"))
        self.assertLessEqual(len(classic[7]) - 2, 100)  # the player takes at most 100
        for record in records:
            self.assertEqual(self.station.get(urllib.parse.urlsplit(record[4]).path)[0], 200)

    def test_live_streams_carry_icy_headers_titles_and_the_right_audio(self):
        titles = self.station.status()["titles"]
        expected = {"/zelkor.mp3": ("mp3", "44100", "2", "128"),
                    "/pop.aac": ("aac", "44100", "2", "96"),
                    "/klasik.mp3": ("mp3", "22050", "1", "64")}
        for record, stream in zip(self.records(), content.STREAMS):
            codec, rate, channels, bitrate = expected[stream.mount]
            head, audio, texts = icy_read(record[2], True, 60000)
            self.assertIn("icy-name:" + stream.display_name,
                          head.encode("latin-1").decode("cp1254"))
            self.assertIn(f"icy-br:{bitrate}\r\n", head)
            self.assertTrue(texts, stream.mount)
            title = texts[0].decode("cp1254")
            self.assertRegex(title, r"^StreamTitle='.*';")
            self.assertIn(title[13:-2], stream.titles)
            self.assertIn(titles[stream.mount], stream.titles)
            info = probe(audio, "." + stream.audio)
            self.assertEqual((info["codec_name"], info["sample_rate"], info["channels"]),
                             (codec, rate, channels))

    def test_titles_change_over_time(self):
        first = self.station.status()["titles"]["/zelkor.mp3"]
        deadline = time.monotonic() + 10
        while self.station.status()["titles"]["/zelkor.mp3"] == first:
            self.assertLess(time.monotonic(), deadline, "the title never changed")
            time.sleep(0.3)

    def test_source_down_and_up(self):
        mount = "/klasik.mp3"
        stream_url = self.records()[2][2]
        self.station.source(mount, "down")
        self.assertFalse(self.station.status()["live"][mount])
        with self.assertRaises(urllib.error.HTTPError):
            urllib.request.urlopen(stream_url, timeout=5)
        self.station.source(mount, "up")
        deadline = time.monotonic() + 10
        while not self.station.status()["live"][mount]:
            self.assertLess(time.monotonic(), deadline, "the source did not come back")
            time.sleep(0.2)
        # The title is put back on air with the source.
        deadline = time.monotonic() + 10
        while not icy_read(stream_url, True, 40000)[2]:
            self.assertLess(time.monotonic(), deadline, "no title after the source came back")

    def test_clip_is_a_short_mp3_of_known_length(self):
        status, headers, body = self.station.get("/reklam/reklam.mp3")
        self.assertEqual(status, 200)
        self.assertEqual(int(headers["Content-Length"]), len(body))
        info = probe(body, ".mp3")
        self.assertEqual((info["codec_name"], info["sample_rate"]), ("mp3", "44100"))
        self.assertTrue(2.0 <= float(info["duration"]) <= 6.0, info["duration"])

    def test_schedule_is_a_windows_1254_feed_of_the_whole_week(self):
        status, headers, body = self.station.get("/istasyon/Stream.aspx")
        self.assertEqual(status, 200)
        self.assertIn("windows-1254", headers["Content-Type"])
        self.assertTrue(body.startswith(b'<?xml version="1.0" encoding="windows-1254"?>'))
        self.assertIn("Salı".encode("cp1254"), body)  # one byte per Turkish letter
        root = ElementTree.fromstring(body)
        entries = list(root.find("streaming"))
        self.assertEqual({e.findtext("Day") for e in entries}, DAY_NAMES)
        for entry in entries:
            self.assertRegex(entry.findtext("Hour"), r"^\d\d:\d\d$")
            self.assertTrue(entry.findtext("Name") or entry.findtext("Program"))
        self.assertTrue(any(not e.findtext("Name") and e.findtext("Program") for e in entries))
        self.assertTrue(any(e.find("Description") is None for e in entries))
        self.assertTrue(any(e.findtext("Description") == "" for e in entries))

    def test_feeds_set_a_session_cookie_once(self):
        headers = self.station.get("/istasyon/Stream.aspx")[1]
        cookie = headers["Set-Cookie"].split(";")[0]
        self.assertTrue(cookie.startswith("ASP.NET_SessionId="))
        again = self.station.get("/istasyon/Announcement.aspx", {"Cookie": cookie})[1]
        self.assertIsNone(again["Set-Cookie"])

    def test_announcements_have_html_bodies_and_pictures(self):
        status, headers, body = self.station.get("/istasyon/Announcement.aspx")
        self.assertEqual(status, 200)
        self.assertTrue(body.startswith(b'<?xml version="1.0" encoding="utf-8"?>'))
        items = list(ElementTree.fromstring(body).find("announcement"))
        self.assertGreater(len(items), 5)  # more than the list shows at once
        self.assertTrue(any(len(i.findtext("Title")) > 50 for i in items))
        for item in items:
            self.assertIn("<", item.findtext("Body"))
            picture = item.findtext("ImageUrl")
            if picture:
                reply = self.station.get(urllib.parse.urlsplit(picture).path)
                self.assertEqual(reply[0], 200)
                self.assertIsNotNone(jpeg_size(reply[2]))
        self.assertTrue(any(i.findtext("ImageUrl") == "" for i in items))

    def test_image_search_reply_scrapes_to_a_thumbnail_picture(self):
        for title in content.STREAMS[1].titles:
            path = "/images?q=" + rules.encode_query_value(title) + rules.SEARCH_TAIL
            status, headers, body = self.station.get(path)
            self.assertEqual(status, 200)
            address = rules.scrape_image_address(body.decode("utf-8"))
            self.assertIsNotNone(address)
            self.assertTrue(address.startswith(self.station.base + "/images?q=tbn:"), address)
            reply = self.station.get(address[len(self.station.base):])
            self.assertEqual(reply[0], 200)
            self.assertEqual(jpeg_size(reply[2]), (400, 400))
        self.assertEqual(self.station.get("/images?q=tbn:99-x")[0], 404)

    def test_artist_pictures_in_either_encoding_of_the_file_name(self):
        prefix = urllib.parse.urlsplit(self.records()[0][7][2:]).path
        for title in content.STREAMS[0].titles:
            name = rules.artist_image_file_name(title)
            if title == "REKLAM ARASI":
                self.assertEqual(name, b".JPG")
                continue
            as_sent = urllib.parse.quote_from_bytes(name, safe="%")
            as_utf8 = urllib.parse.quote(name.decode("cp1254"), safe="%")
            for path in (prefix + as_sent, prefix + as_utf8):
                status, headers, body = self.station.get(path)
                self.assertEqual(status, 200, path)
                self.assertIsNotNone(jpeg_size(body))
        wide = rules.artist_image_file_name("Ece Tan & Kuzey Band - Yollar").decode()
        self.assertEqual(jpeg_size(self.station.get(prefix + wide)[2]), (1000, 500))
        self.assertEqual(self.station.get(prefix + "Bilinmeyen%20Sanat%C3%A7%C4%B1.JPG")[0], 404)
        self.assertEqual(self.station.get(prefix + "Deniz%20Ayral.png")[0], 404)

    def test_title_addressed_cover(self):
        prefix = urllib.parse.urlsplit(self.records()[2][7][2:])
        for title in content.STREAMS[2].titles:
            path = f"{prefix.path}?{prefix.query}{rules.encode_query_value(title)}"
            status, headers, body = self.station.get(path)
            self.assertEqual(status, 200)
            self.assertEqual(jpeg_size(body), (400, 400))

    def test_message_sink_decodes_code_page_1254(self):
        values = {"x_adsoyad": "Ayşe Yılmaz & Çağrı", "x_mail": "ayse+radyo@ornek.com.tr",
                  "x_mesaj": "Merhaba!\r\nGüzel şarkılar: 100% keyif", "x_name": "Desktop Player",
                  "x_sysver": "1002", "x_uuid": "0A-1B-2C-3D-4E-5F"}
        query = "i=zelkorfm_mesaj_gonder" + "".join(
            f"&{k}={rules.encode_query_value(v)}" for k, v in values.items())
        before = len(self.station.messages())
        self.assertEqual(self.station.get("/dizin/iphonebilgi.aspx?" + query)[0], 200)
        message = self.station.messages()[before]
        self.assertEqual(message["query"], query)
        self.assertEqual(message["fields"], dict(values, i="zelkorfm_mesaj_gonder"))
        self.assertIn("Ayşe Yılmaz & Çağrı", self.station.printed())

    def test_bad_requests_are_refused_and_the_station_goes_on(self):
        self.assertEqual(self.station.get("/dizin/iphonebilgi.aspx?i=baska")[0], 400)
        self.assertEqual(
            self.station.get("/dizin/iphonebilgi.aspx?i=zelkorfm_mesaj_gonder&x_mesaj=%ZZ%F")[0],
            200)
        self.assertEqual(self.station.get("/control/source?mount=/yok.mp3&state=down")[0], 400)
        self.assertEqual(self.station.get("/yok")[0], 404)
        self.assertEqual(self.station.get("/duyuru/..%2F..%2Fstation.jpg")[0], 404)
        self.assertEqual(self.station.get("/duyuru/../content.jpg")[0], 404)
        host, port = urllib.parse.urlsplit(self.station.base).netloc.split(":")
        with socket.create_connection((host, int(port)), timeout=5) as s:
            s.sendall(b"GET /" + b"a" * 70000 + b" HTTP/1.0\r\n\r\n")
            self.assertIn(b" 414 ", s.recv(1024))
        self.assertEqual(self.station.get("/istasyon/")[0], 200)
        requests = self.station.requests()
        self.assertTrue(any(r["path"] == "/yok" and r["status"] == 404 for r in requests))


class StationLifetimeTest(unittest.TestCase):
    def test_sigterm_stops_everything_it_started(self):
        station = stationproc.Station()
        pid = station.process.pid
        members = [p for p in os.listdir("/proc") if p.isdigit() and _pgid(p) == pid]
        self.assertGreaterEqual(len(members), 5)  # the station, Icecast and three sources
        station.process.send_signal(signal.SIGTERM)
        self.assertEqual(station.process.wait(15), 0)
        self.assertFalse(os.path.exists(station.env_file))
        left = [p for p in members if _pgid(p) == pid]
        station.stop()
        self.assertEqual(left, [])


def _pgid(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            return int(f.read().rsplit(")", 1)[1].split()[2])
    except (OSError, IndexError, ValueError):
        return None


if __name__ == "__main__":
    unittest.main()
