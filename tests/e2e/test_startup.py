"""How the real player starts and ends on a desktop with a window manager, against a loopback
server: the start-up boxes, where they and the window sit, and the end of the process."""

import time
import unittest

import desktop as desktop_module
import loopback
import playerproc

BOX_CAPTION = "^Zelkorfm-e2e-"  # the boxes' caption: the executable's name, capitalised


def directory(version, stations):
    text = f"{version}\r\nhttp://127.0.0.1:1/setup.exe\r\n"
    for i in range(stations):
        text += (f"id\r\nRadyo {i}\r\nhttp://127.0.0.1:1/live{i}\r\n\r\nhttp://127.0.0.1:1/web\r\n"
                 "\r\n\r\ny\r\n")
    return text.encode()


class StartupTest(unittest.TestCase):
    def setUp(self):
        if not playerproc.player_executable():
            self.skipTest("no player executable given (ZELKOR_PLAYER)")
        self.desktop = desktop_module.Desktop(window_manager=True)
        self.addCleanup(self.desktop.close)
        self.server = loopback.Loopback()
        self.addCleanup(self.server.stop)

    def start_player(self):
        player = playerproc.Player(self.desktop, self.server)
        self.addCleanup(player.stop)
        self.addCleanup(lambda: print("\n--- player printed:\n" + player.printed()[-3000:]))
        return player

    def box(self, player, timeout=40, besides=()):
        """The message box; the player window has the same caption, so it is named in besides
        once it is up."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = [w for w in self.desktop.windows_named(player.process.pid, BOX_CAPTION)
                     if w not in besides]
            if found:
                time.sleep(0.5)  # placed and framed
                return found[0]
            if player.process.poll() is not None:
                raise AssertionError(f"the player ended with {player.process.returncode}")
            time.sleep(0.05)
        raise AssertionError("no message box appeared")

    def assert_centred(self, window, delta=2):
        left, top, width, height = self.desktop.outer_geometry(window)
        screen_width, screen_height = self.desktop.screen_size()
        self.assertGreater(left, 0)
        self.assertAlmostEqual(left + width / 2, screen_width / 2, delta=delta)
        self.assertAlmostEqual(top + height / 2, screen_height / 2, delta=delta)

    def assert_box_centred(self, box):
        # Its frame, not its client area, is centred: within the rounding of half its size.
        self.assert_centred(box, delta=3)

    def close_and_time_the_end(self, player, box):
        """Presses OK; returns the exit code and how long the process lived after the box."""
        self.desktop.xdotool("windowactivate", "--sync", box)
        self.desktop.key("Return")
        return self.time_the_end(player, box)

    def time_the_end(self, player, window):
        """The exit code and how long the process lived after the window had gone."""
        while window in self.desktop.windows_of(player.process.pid):
            time.sleep(0.01)
        gone = time.monotonic()
        while player.process.poll() is None and time.monotonic() < gone + 10:
            time.sleep(0.01)
        lived = time.monotonic() - gone
        print(f"the player ended {lived:.3f} s after its window {window} had gone")
        return player.process.poll(), lived

    def test_directory_failure_box_ends_the_program(self):
        self.server.route("/xml.aspx", status=500)
        player = self.start_player()
        box = self.box(player)
        self.assertEqual(len(self.server.seen("/xml.aspx")), 1)
        self.assert_box_centred(box)
        code, lived = self.close_and_time_the_end(player, box)
        self.assertEqual(code, 0)
        self.assertLess(lived, 1.0)

    def test_version_box_ends_the_program_after_the_first_show(self):
        self.server.route("/xml.aspx", body=directory("1003", 2))
        player = self.start_player()
        box = self.box(player)
        code, lived = self.close_and_time_the_end(player, box)
        self.assertEqual(code, 0)
        # The audio output and the first show come after this box: more on a busy machine.
        self.assertLess(lived, 2.0)

    def test_closing_while_requests_wait_ends_the_program(self):
        self.server.route("/xml.aspx", body=directory("1002", 1))
        self.server.route("/Stream.aspx", body=b"<a/>", hold=60)
        self.server.route("/Announcement.aspx", body=b"<a/>", hold=60)
        player = self.start_player()
        window = player.window()
        left, top, _, _ = self.desktop.geometry(window)
        # The schedule's fetch waits on the server; the announcements' waits its turn inside it.
        self.desktop.click(left + 96, top + 451)
        self.server.wait_for("/Stream.aspx", 10)
        self.desktop.click(left + 160, top + 451)
        time.sleep(1.0)
        self.assertEqual(self.server.seen("/Announcement.aspx"), [])
        self.desktop.xdotool("windowactivate", "--sync", window)
        self.desktop.key("alt+F4")
        code, lived = self.time_the_end(player, window)
        self.assertEqual(code, 0)
        self.assertLess(lived, 1.0)

    def test_a_malformed_schedule_shows_a_box_and_the_window_goes_on(self):
        self.server.route("/xml.aspx", body=directory("1002", 1))
        self.server.route("/Stream.aspx", body=b"<a><streaming><b></a>")
        self.server.route("/Announcement.aspx", body=b"<a/>")
        player = self.start_player()
        window = player.window()
        self.assert_centred(window)
        left, top, _, _ = self.desktop.geometry(window)
        self.desktop.click(left + 96, top + 451)
        box = self.box(player, timeout=10, besides={window})
        self.assert_box_centred(box)
        self.desktop.xdotool("windowactivate", "--sync", box)
        self.desktop.key("Return")
        self.desktop.click(left + 160, top + 451)
        self.server.wait_for("/Announcement.aspx", 10)
        self.assertIsNone(player.process.poll())


if __name__ == "__main__":
    unittest.main()
