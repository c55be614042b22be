"""A private desktop for one test: an X server, a PulseAudio null sink with a recorder on its
monitor, screenshots and real input through XTEST (xdotool). Everything started is stopped by
close(), in reverse order."""

import array
import ctypes
import ctypes.util
import os
import shutil
import subprocess
import tempfile
import threading
import time

RATE = 44100


def _run(args, env=None, check=True):
    return subprocess.run(args, env=env, capture_output=True, text=True, check=check).stdout


class Desktop:
    def __init__(self, window_manager=False):
        self.dir = tempfile.mkdtemp(prefix="zelkor-e2e-desktop-")
        self.cleanups = []
        self.env = dict(os.environ)
        try:
            self._start_x()
            if window_manager:
                self._start_window_manager()
            self._start_sound()
        except BaseException:
            self.close()
            raise

    # X server --------------------------------------------------------------------------------

    def _start_x(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.cleanups.append(lambda: _end(xvfb))
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        self.env.pop("WAYLAND_DISPLAY", None)
        self._map_turkish_letters()

    def _start_window_manager(self):
        """openbox, which frames windows as a listener's desktop does; ready once it has
        announced itself on the root window. Now and then it never announces itself on a loaded
        machine: it is then started once more, and what it printed goes into the error."""
        log_path = os.path.join(self.dir, "openbox.log")
        for _ in range(3):
            with open(log_path, "a") as log:
                wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                      stdout=log, stderr=log)
            self.cleanups.append(lambda wm=wm: _end(wm))
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline and wm.poll() is None:
                if "window id" in _run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                       env=self.env, check=False):
                    return
                time.sleep(0.1)
            _end(wm)
        with open(log_path) as log:
            raise RuntimeError("openbox did not start: " + log.read()[-2000:])

    def screen_size(self):
        values = self.xdotool("getdisplaygeometry").split()
        return int(values[0]), int(values[1])

    def windows_named(self, pid, pattern):
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name",
                              pattern], env=self.env, capture_output=True, text=True).stdout
        return [int(w) for w in out.split()]

    def outer_geometry(self, window):
        """(left, top, width, height) of the window with the frame the window manager gave it."""
        # xwininfo: xdotool adds the frame's offset twice for a framed window.
        info = dict(line.strip().split(":", 1) for line in
                    _run(["xwininfo", "-id", str(window)], env=self.env).splitlines()
                    if line.strip().startswith(("Absolute", "Width", "Height")))
        left, top, width, height = (int(info[k]) for k in ("Absolute upper-left X",
                                                           "Absolute upper-left Y", "Width",
                                                           "Height"))
        extents = _run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"], env=self.env,
                       check=False)
        if "=" not in extents:
            return left, top, width, height
        l, r, t, b = (int(v) for v in extents.split("=", 1)[1].split(","))
        return left - l, top - t, width + l + r, height + t + b

    def _map_turkish_letters(self):
        """Gives the Turkish letters keys of their own. Otherwise xdotool borrows a key for each
        such letter and gives it back at once, and the player may read the key after it has been
        given back, typing another letter."""
        pairs = ["scedilla Scedilla", "idotless Iabovedot", "gbreve Gbreve",
                 "udiaeresis Udiaeresis", "odiaeresis Odiaeresis", "ccedilla Ccedilla"]
        free = [int(line.split()[1]) for line in _run(["xmodmap", "-pke"], env=self.env).splitlines()
                if line.strip().endswith("=")]
        expressions = []
        for keycode, keysyms in zip(reversed(free), pairs):
            expressions += ["-e", "keycode %d = %s" % (keycode, keysyms)]
        _run(["xmodmap", *expressions], env=self.env)

    def xdotool(self, *args):
        return _run(["xdotool", *map(str, args)], env=self.env)

    def windows_of(self, pid):
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                             env=self.env, capture_output=True, text=True).stdout
        return [int(w) for w in out.split()]

    def close_window(self, window):
        """Asks a window to close as a window manager's close button does: the WM_DELETE_WINDOW
        message of the WM_PROTOCOLS client message (this desktop has no window manager)."""
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.POINTER(_XEvent)]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        display = x11.XOpenDisplay(self.env["DISPLAY"].encode())
        if not display:
            raise RuntimeError("cannot open the display")
        event = _XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
        x11.XFlush(display)
        x11.XCloseDisplay(display)

    def geometry(self, window):
        values = dict(line.split("=", 1) for line in
                      self.xdotool("getwindowgeometry", "--shell", window).split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def click(self, x, y, button=1):
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(0.05)
        self.xdotool("click", button)

    def type(self, text):
        self.xdotool("type", "--delay", "40", text)

    def enter(self, text, attempts=3):
        """Types text into the focused field, replacing what it holds, and reads it back through
        the clipboard: on a loaded machine a key typed through XTEST is now and then lost, and
        the field would then hold another text than the one the test goes on to expect."""
        held = None
        for _ in range(attempts):
            self.key("ctrl+a")
            for number, line in enumerate(text.split("\n")):
                if number:
                    self.key("Return")  # xdotool types a line feed that no field takes
                self.type(line)
            self.key("ctrl+a", "ctrl+c")
            # The copy may be handled after xclip asks, so the clipboard is read a while.
            deadline = time.monotonic() + 2
            while time.monotonic() < deadline:
                held = subprocess.run(["xclip", "-o", "-selection", "clipboard"],
                                      env=self.env, capture_output=True, text=True,
                                      timeout=10).stdout
                if held == text:
                    return
                time.sleep(0.2)
        raise AssertionError(f"the field holds {held!r} after typing {text!r} {attempts} times")

    def key(self, *keys):
        self.xdotool("key", *keys)

    def screenshot(self, window):
        """The window's pixels as (width, height, rows of RGB bytes)."""
        data = subprocess.run(["import", "-silent", "-window", str(window), "-depth", "8", "ppm:-"],
                              env=self.env, capture_output=True, check=True).stdout
        return Picture.from_ppm(data)

    # Sound -----------------------------------------------------------------------------------

    def _pactl(self, *args, check=True):
        return _run(["pactl", *args], env=self.env, check=check)

    def _start_sound(self):
        if subprocess.run(["pactl", "info"], env=self.env, capture_output=True).returncode != 0:
            _run(["pulseaudio", "--daemonize=yes", "--exit-idle-time=-1", "-n",
                  "--load=module-native-protocol-unix"], env=self.env, check=False)
            self.cleanups.append(lambda: subprocess.run(["pulseaudio", "--kill"], env=self.env,
                                                        capture_output=True))
            deadline = time.monotonic() + 10
            while subprocess.run(["pactl", "info"], env=self.env,
                                 capture_output=True).returncode != 0:
                if time.monotonic() > deadline:
                    raise RuntimeError("no PulseAudio server answers")
                time.sleep(0.1)
        # A sink of our own, so that nothing else that plays meanwhile gets into the recording.
        self.sink = f"zelkor_e2e_{os.getpid()}"
        module = self._pactl("load-module", "module-null-sink", f"sink_name={self.sink}",
                             f"rate={RATE}", "channels=2").strip()
        self.cleanups.append(lambda: self._pactl("unload-module", module, check=False))
        self.env["PULSE_SINK"] = self.sink
        # An idle null sink gives its monitor nothing at all, so a recording would lose the
        # silences and with them all timing. Silence played all along keeps it running.
        with open("/dev/zero", "rb") as zeros:
            keeper = subprocess.Popen(["pacat", "--playback", "-d", self.sink, "--format=s16le",
                                       f"--rate={RATE}", "--channels=2"], env=self.env,
                                      stdin=zeros)
        self.cleanups.append(lambda: _end(keeper))

    def record(self):
        """Starts recording what the private sink plays; returns the Recording once samples
        come at their real pace, so that sample counts measure time from then on."""
        recording = Recording(self.sink, self.env)
        self.cleanups.append(recording.stop)
        deadline = time.monotonic() + 10
        while not recording.samples():
            if time.monotonic() > deadline:
                raise RuntimeError("the recorder gives no samples")
            time.sleep(0.05)
        time.sleep(0.5)
        return recording

    def close(self):
        while self.cleanups:
            try:
                self.cleanups.pop()()
            except Exception:  # the rest must still be cleaned up
                pass
        shutil.rmtree(self.dir, ignore_errors=True)


class Recording:
    """parec on the sink's monitor, read through a pipe as it comes: a file written by parec
    fills in large delayed chunks, which would misplace every sound in time."""

    def __init__(self, sink, env):
        self.process = subprocess.Popen(
            ["parec", "-d", sink + ".monitor", "--format=s16le", f"--rate={RATE}",
             "--channels=2", "--latency-msec=20"], env=env, stdout=subprocess.PIPE)
        # Filled by the reader thread, read by the test thread, under the lock.
        self.data = bytearray()
        self.lock = threading.Lock()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        fd = self.process.stdout.fileno()
        while chunk := os.read(fd, 65536):
            with self.lock:
                self.data += chunk

    def samples(self):
        """The recording so far as mono 16-bit samples (left channel)."""
        with self.lock:
            data = bytes(self.data[:len(self.data) // 4 * 4])
        frames = array.array("h")
        frames.frombytes(data)
        return frames[::2]

    def stop(self):
        _end(self.process)
        self.reader.join(5)
        self.process.stdout.close()


class Picture:
    def __init__(self, width, height, pixels):
        self.width = width
        self.height = height
        self.pixels = pixels  # RGB bytes, row after row

    @classmethod
    def from_ppm(cls, data):
        fields = []
        at = 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            if data[at:at + 1] == b"#":
                at = data.index(b"\n", at)
                continue
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        assert fields[0] == b"P6" and fields[3] == b"255", fields
        width, height = int(fields[1]), int(fields[2])
        return cls(width, height, data[at + 1:at + 1 + width * height * 3])

    def rgb(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def region(self, left, top, right, bottom):
        """Every pixel with left <= x < right and top <= y < bottom."""
        return [self.rgb(x, y) for y in range(top, bottom) for x in range(left, right)]


class _XClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessage), ("pad", ctypes.c_long * 24)]


def mean(pixels):
    n = max(1, len(pixels))
    return tuple(sum(p[i] for p in pixels) / n for i in range(3))


def _end(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
