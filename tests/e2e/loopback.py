"""A small HTTP server on 127.0.0.1 for tests that need a few canned replies rather than the
whole demo station. Every request is recorded; stop() ends it, and its threads are daemons, so
it also ends with the test process."""

import http.server
import threading
import time


class Route:
    def __init__(self, body=b"", status=200, content_length=None, close_after=None, hold=0.0):
        self.body = body
        self.status = status
        self.content_length = len(body) if content_length is None else content_length
        self.close_after = close_after  # send only this many bytes of the body, then close
        self.hold = hold  # seconds to wait before answering


class Loopback:
    def __init__(self):
        self.routes = {}
        self.requests = []  # paths with their queries, in arrival order
        self.lock = threading.Lock()
        self.stopping = threading.Event()
        owner = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def do_GET(self):
                with owner.lock:
                    owner.requests.append(self.path)
                route = owner.routes.get(self.path.split("?", 1)[0], Route(b"", 404))
                if owner.stopping.wait(route.hold):
                    return
                self.send_response(route.status)
                self.send_header("Content-Length", str(route.content_length))
                self.end_headers()
                body = route.body if route.close_after is None else route.body[:route.close_after]
                self.wfile.write(body)
                self.wfile.flush()
                if route.close_after is not None:
                    self.close_connection = True

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.server.daemon_threads = True
        self.base = f"http://127.0.0.1:{self.server.server_address[1]}/"
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    @property
    def env(self):
        """Every server address of the player, pointed here."""
        return {"ZELKOR_DIRECTORY_URL": self.base, "ZELKOR_STATION_URL": self.base,
                "ZELKOR_IMAGE_SEARCH_URL": self.base.rstrip("/"), "ZELKOR_MAP_URL": self.base,
                "ZELKOR_MAKER_URL": self.base, "BROWSER": "true"}

    def route(self, path, **kwargs):
        self.routes[path] = Route(**kwargs)

    def seen(self, path):
        with self.lock:
            return [r for r in self.requests if r.split("?", 1)[0] == path]

    def wait_for(self, path, timeout):
        deadline = time.monotonic() + timeout
        while not self.seen(path):
            if time.monotonic() > deadline:
                raise AssertionError(f"no request for {path}")
            time.sleep(0.05)

    def stop(self):
        self.stopping.set()
        self.server.shutdown()
        self.server.server_close()
