#!/usr/bin/env python3
# A misbehaving catalogue server on 127.0.0.1 for the download tests.
#
# usage: hostile_server.py PORT
#
#   /growing   200, no Content-Length, a body of 12 MiB, then the end
#   /liar      200, Content-Length of 10 GB, 256 MiB or until the client goes away
#   /stalled   200, Content-Length 100000, 1000 bytes, then silence for 60 s
#
# The server stops by itself after 10 minutes.
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

CHUNK = b"\xa5" * 65536
REPLIES = {"/growing": (None, 192), "/liar": (10**10, 4096), "/stalled": (100000, 0)}


class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        length, chunks = REPLIES.get(self.path, (None, 0))
        self.send_response(200)
        if length:
            self.send_header("Content-Length", str(length))
        self.end_headers()
        try:
            self.wfile.write(b"SQLite format 3\0" + b"\0" * 984)
            self.wfile.flush()
            for _ in range(chunks):
                self.wfile.write(CHUNK)
            time.sleep(60 if self.path == "/stalled" else 0)
        except OSError:
            pass  # the client gave up: what the test wants


server = ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), Handler)
server.daemon_threads = True
threading.Timer(600, server.shutdown).start()
server.serve_forever()
