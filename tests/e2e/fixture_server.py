#!/usr/bin/env python3
"""Loopback servers for the end-to-end tests of the web panes (standard library only).

  fixture_server.py site <folder> <log> <port file>
      Serves the files of <folder> on 127.0.0.1 (a port of its choosing, written to
      <port file> once it listens). Logs one line per request:
          GET <path> UA=<user agent>
      and answers a few addresses of its own:
          /ping?...            204, nothing
          /slow?ms=N           a 1x1 GIF after N milliseconds (at most 10 s), then logs
                               "SLOW done"
          /image.png           a small PNG
          /file.bin?name=X     a download (application/octet-stream) named X

  fixture_server.py proxy <log> [user:password] <port file>
      An HTTP proxy that answers every request itself with a page whose title is
      "via proxy", and logs "PROXY <absolute address> AUTH=<none|ok|bad>". With a user
      name and password it asks for them (407) until a request carries them.

Stops on SIGTERM or SIGINT.
"""
import base64
import os
import signal
import struct
import sys
import threading
import time
import urllib.parse
import zlib
from http.server import HTTPServer, SimpleHTTPRequestHandler, BaseHTTPRequestHandler
from socketserver import ThreadingMixIn

GIF = base64.b64decode("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7")


def make_png(size=16):
    """A red square as a PNG file."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    rows = b"".join(b"\x00" + b"\xff\x00\x00" * size for _ in range(size))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


PNG = make_png()

log_lock = threading.Lock()


class Server(ThreadingMixIn, HTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def handle_error(self, request, client_address):
        # A browser that drops a connection it no longer needs is no error of the test.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


def write_log(path, line):
    with log_lock, open(path, "a", encoding="utf-8") as f:
        f.write(line + "\n")


def site_handler(folder, log):
    class Handler(SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=folder, **kwargs)

        def log_message(self, *args):
            pass

        def send(self, status, body=b"", ctype="text/plain", headers=()):
            self.send_response(status)
            self.send_header("Content-Type", ctype)
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Cache-Control", "no-store")
            for k, v in headers:
                self.send_header(k, v)
            self.end_headers()
            if body:
                self.wfile.write(body)

        def do_GET(self):
            url = urllib.parse.urlsplit(self.path)
            query = urllib.parse.parse_qs(url.query)
            write_log(log, "GET %s UA=%s" % (self.path, self.headers.get("User-Agent", "")))
            if url.path == "/ping":
                self.send(204)
            elif url.path == "/slow":
                ms = min(int(query.get("ms", ["1000"])[0]), 10000)
                time.sleep(ms / 1000.0)
                self.send(200, GIF, "image/gif")
                write_log(log, "SLOW done")
            elif url.path == "/image.png":
                self.send(200, PNG, "image/png")
            elif url.path == "/file.bin":
                name = query.get("name", ["file.bin"])[0]
                self.send(200, b"downloaded bytes\n", "application/octet-stream",
                          [("Content-Disposition", 'attachment; filename="%s"' % name)])
            else:
                super().do_GET()

    return Handler


def proxy_handler(log, credentials):
    expected = ("Basic " + base64.b64encode(credentials.encode()).decode()) if credentials else None

    class Handler(BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def answer(self):
            given = self.headers.get("Proxy-Authorization")
            auth = "none" if given is None else ("ok" if given == expected else "bad")
            write_log(log, "PROXY %s AUTH=%s UA=%s" % (self.path, auth, self.headers.get("User-Agent", "")))
            if expected and auth != "ok":
                body = b"proxy authentication required"
                self.send_response(407)
                self.send_header("Proxy-Authenticate", 'Basic realm="puzzlebin test proxy"')
            else:
                body = b"<!DOCTYPE html><html><head><title>via proxy</title></head><body>proxied</body></html>"
                self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            if self.command != "HEAD":
                self.wfile.write(body)

        do_GET = answer
        do_HEAD = answer
        do_POST = answer

    return Handler


def main():
    mode = sys.argv[1]
    if mode == "site":
        folder, log, port_file = sys.argv[2:5]
        handler = site_handler(folder, log)
    elif mode == "proxy":
        log, port_file = sys.argv[2], sys.argv[-1]
        handler = proxy_handler(log, sys.argv[3] if len(sys.argv) > 4 else None)
    else:
        sys.exit("unknown mode " + mode)
    server = Server(("127.0.0.1", 0), handler)
    signal.signal(signal.SIGTERM, lambda *a: threading.Thread(target=server.shutdown).start())
    tmp = port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(tmp, port_file)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
