#!/usr/bin/env python3
"""A misbehaving catalogue server on 127.0.0.1 for the download tests.

usage: hostile_server.py PORT

  /endless   200, no Content-Length, bytes until the client goes away
  /growing   200, no Content-Length, a body of 12 MiB, then the end
  /liar      200, Content-Length of 10 GB, bytes until the client goes away
  /stalled   200, Content-Length 100000, 1000 bytes, then silence

Every reply is bounded (256 MiB at most, silence for 60 s at most), and the
server stops by itself after 10 minutes.
"""
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

CHUNK = b"\xa5" * 65536
MAX_BYTES = 256 * 1024 * 1024
STALL_SECONDS = 60
LIFETIME_SECONDS = 600


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def send_bytes(self, total):
        sent = 0
        try:
            while sent < total:
                self.wfile.write(CHUNK)
                sent += len(CHUNK)
        except OSError:
            pass  # the client gave up: what the test wants

    def do_GET(self):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        if self.path == "/endless":
            self.end_headers()
            self.send_bytes(MAX_BYTES)
        elif self.path == "/growing":
            self.end_headers()
            self.send_bytes(12 * 1024 * 1024)
        elif self.path == "/liar":
            self.send_header("Content-Length", str(10 * 1000 * 1000 * 1000))
            self.end_headers()
            self.send_bytes(MAX_BYTES)
        elif self.path == "/stalled":
            self.send_header("Content-Length", "100000")
            self.end_headers()
            try:
                self.wfile.write(b"SQLite format 3\0" + b"\0" * 984)
                self.wfile.flush()
            except OSError:
                return
            time.sleep(STALL_SECONDS)
        else:
            self.end_headers()


def main():
    server = ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), Handler)
    server.daemon_threads = True
    threading.Timer(LIFETIME_SECONDS, server.shutdown).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
