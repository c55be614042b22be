"""The player as the desktop's media controls see it: MPRIS 2 on a private session bus, driven
with playerctl and dbus-send, judged by what the station serves and the null sink plays."""

import statistics
import time

import audio
import sessionbus
from test_player import PlayerTest, wait_for

import content  # noqa: E402  (on the path once test_player has imported the station)

PLAYER = "org.mpris.MediaPlayer2.Player"
STATIONS = {s.mount: s for s in content.STREAMS}


def median_level(samples, start_s, end_s):
    return statistics.median(level for _, level in audio.levels(samples, 0.1, 0.1, start_s, end_s))


class MediaControlsTest(PlayerTest):
    def setUp(self):
        super().setUp()
        self.bus = sessionbus.SessionBus()
        self.addCleanup(self.bus.close)
        self.desktop.env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.address

    def wait_status(self, status, timeout=20):
        wait_for(f"the status {status}", lambda: self.bus.playerctl("status") == status, timeout)

    def test_status_title_and_next_station(self):
        player = self.start_player(ayar1=1)
        player.window()
        self.wait_for_listener("/pop.aac")
        self.wait_status("Playing")
        changes = self.bus.follow("status")
        self.addCleanup(changes.kill)

        # The song on air, split at its first " - ", and the station as the album.
        title = wait_for("a title", lambda: self.bus.playerctl("metadata", "xesam:title"), 15)
        self.watch_titles()
        songs = {t.split(" - ", 1)[1]: t.split(" - ", 1)[0] for t in self.titles_seen["/pop.aac"]}
        self.assertIn(title, songs)
        self.assertEqual(self.bus.playerctl("metadata", "xesam:artist"), songs[title])
        self.assertEqual(self.bus.playerctl("metadata", "xesam:album"),
                         STATIONS["/pop.aac"].display_name)
        self.assertEqual(self.bus.playerctl("metadata", "mpris:trackid").strip("'"),
                         "/org/zelkorfm/track/live")
        # The cover the image search found, at the address it was fetched from.
        picture = self.wait_for_request("the found picture",
                                        lambda r: r["query"].startswith("q=tbn:"), 15)
        art = wait_for("the cover's address", lambda: self.bus.playerctl("metadata",
                                                                         "mpris:artUrl"), 10)
        self.assertTrue(art.startswith("http://127.0.0.1:"), art)
        self.assertTrue(art.endswith(picture["path"] + "?" + picture["query"]), art)

        # Pause of a live stream stops it, and the change is signalled.
        self.bus.call(PLAYER, "Pause")
        self.wait_status("Stopped", 5)
        self.assertEqual(changes.stdout.readline().strip(), "Playing")
        self.assertEqual(changes.stdout.readline().strip(), "Stopped")

        # Next: the third entry of the selector; Next again wraps round to the first, clip and all.
        self.bus.playerctl("next")
        self.wait_for_listener("/klasik.mp3")
        self.wait_status("Playing")
        self.assertEqual(self.bus.playerctl("metadata", "xesam:album"),
                         STATIONS["/klasik.mp3"].display_name)
        since = len(self.station.requests())
        self.bus.playerctl("next")
        self.wait_for_request("the first station's clip",
                              lambda r: r["path"] == "/reklam/reklam.mp3", 20, since)
        self.wait_for_listener("/zelkor.mp3", timeout=40)
        self.bus.playerctl("previous")
        self.wait_for_listener("/klasik.mp3")
        self.assertIsNone(player.process.poll())

    def test_volume_both_ways_and_quit(self):
        recording = self.desktop.record()
        player = self.start_player(ayar1=2)
        player.window()
        # The fade-in is seen on the bus as it rises, back up to 0.7.
        volumes = []
        def faded_in():
            volume = self.bus.playerctl("volume")
            if volume is not None:
                volumes.append(float(volume))
            return any(0.0 < v < 0.7 for v in volumes) and volumes[-1] >= 0.7
        wait_for("the fade-in on the bus", faded_in, 40, 0.05)
        self.wait_for_listener("/klasik.mp3")

        marks = []
        for volume in ("1.0", "0.5", "1.0", "0.5"):
            self.bus.playerctl("volume", volume)
            wait_for(f"volume {volume}",
                     lambda: abs(float(self.bus.playerctl("volume")) - float(volume)) < 0.005, 5)
            start = len(recording.samples()) / audio.RATE + 0.3
            time.sleep(2.5)
            marks.append((start, len(recording.samples()) / audio.RATE))
        samples = recording.samples()
        full = [median_level(samples, *marks[i]) for i in (0, 2)]
        half = [median_level(samples, *marks[i]) for i in (1, 3)]
        for loud, quiet in zip(full, half):
            self.assertGreater(loud, audio.SILENCE * 10)
            self.assertTrue(0.4 < quiet / loud < 0.6, (loud, quiet))

        self.bus.call("org.mpris.MediaPlayer2", "Quit")
        self.assertEqual(player.process.wait(15), 0)
