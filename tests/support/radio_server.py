#!/usr/bin/env python3
"""A small internet radio on 127.0.0.1 for the stream tests and benchmarks.

    radio_server.py AUDIO.mp3 AUDIO.ogg SECONDS

(SECONDS: how long each of the two files plays.)

Prints "port=<n> refused=<m>" on its first line (m: a port where nothing listens), then
serves until its standard input closes or it is killed. Paths:

  /mp3, /ogg        an Icecast-style stream of the file, looped, paced at its bit rate, with
                    ICY metadata (icy-name "Test Radio") and a new StreamTitle every 2 seconds
                    ("Title 1", "Title 2", ...)
  /flood            like /mp3, but the title changes with every metadata block (100 a second),
                    and the titles are long, not UTF-8 and full of control characters
  /drop             like /mp3, but the connection is closed after about 1.5 seconds
  /stall            accepts the request and never answers
  /list.m3u         an M3U naming /mp3 and /ogg; /list.pls the same as PLS
  /self.m3u         an M3U naming itself
  /loop1, /loop2    redirect to each other for ever (/loop1.m3u and /loop2.m3u too)
Nothing but 127.0.0.1 is ever bound.
"""
import socket
import socketserver
import sys
import threading
import time

HOST = "127.0.0.1"


def metadata_block(title_bytes):
    body = b"StreamTitle='" + title_bytes + b"';"
    blocks = (len(body) + 15) // 16
    if blocks > 255:
        body = body[: 255 * 16]
        blocks = 255
    return bytes([blocks]) + body.ljust(blocks * 16, b"\0")


class Radio(socketserver.BaseRequestHandler):
    audio = {}

    def send_stream(self, kind, title_for, blocks_per_second=4, limit_seconds=None):
        data = self.audio[kind]
        with_titles = self.asked_for_titles
        # Paced a tenth faster than the file plays, so playback never starves and the stream
        # stays live.
        bytes_per_second = int(len(data) / self.seconds * 1.1)
        interval = max(16, bytes_per_second // blocks_per_second)
        content_type = b"audio/mpeg" if kind == "mp3" else b"application/ogg"
        self.request.sendall(
            b"HTTP/1.0 200 OK\r\n"
            b"Content-Type: " + content_type + b"\r\n"
            b"icy-name: Test Radio\r\n" +
            (b"icy-metaint: " + str(interval).encode() + b"\r\n" if with_titles else b"") +
            b"\r\n")
        start = time.monotonic()
        sent = 0
        offset = 0
        block = 0
        while limit_seconds is None or time.monotonic() - start < limit_seconds:
            chunk = data[offset:offset + interval]
            if len(chunk) < interval:
                chunk += data[: interval - len(chunk)]
            offset = (offset + interval) % len(data)
            if with_titles:
                chunk += metadata_block(title_for(block, time.monotonic() - start))
            self.request.sendall(chunk)
            block += 1
            sent += interval
            ahead = sent / bytes_per_second - (time.monotonic() - start)
            if ahead > 1.0:  # keep a second in hand for the player's cache
                time.sleep(ahead - 1.0)

    def handle(self):
        try:
            request = self.request.recv(4096).decode("latin-1")
            path = request.split(" ")[1] if " " in request else "/"
            # Every request is told on standard output, for the tests to count.
            print("GET " + path, flush=True)
            # As Icecast: titles only for a client that asks for them.
            self.asked_for_titles = "icy-metadata: 1" in request.lower()
            port = self.server.server_address[1]
            base = "http://%s:%d" % (HOST, port)
            plain = lambda n, t: ("Title %d" % (1 + int(t // 2))).encode()
            if path in ("/mp3", "/ogg"):
                self.send_stream(path[1:], plain)
            elif path == "/flood":
                def garbage(n, t):
                    return (b"\x01\x1b[31m" + b"\xff\xfe" * 40 + ("Flood %d " % n).encode() +
                            b"\xe9\n\r\t" * 100)
                self.send_stream("mp3", garbage, blocks_per_second=100)
            elif path == "/drop":
                self.send_stream("mp3", plain, limit_seconds=1.5)
            elif path == "/stall":
                while not self.server.stopping.wait(0.5):
                    pass
            elif path in ("/list.m3u", "/list.pls", "/self.m3u"):
                if path == "/list.m3u":
                    body = "#EXTM3U\n%s/mp3\n%s/ogg\n" % (base, base)
                elif path == "/list.pls":
                    body = ("[playlist]\nFile1=%s/mp3\nTitle1=MP3\nFile2=%s/ogg\n"
                            "NumberOfEntries=2\nVersion=2\n" % (base, base))
                else:
                    body = "%s/self.m3u\n" % base
                self.request.sendall(("HTTP/1.0 200 OK\r\nContent-Type: audio/x-mpegurl\r\n"
                                      "Content-Length: %d\r\n\r\n%s" % (len(body), body)).encode())
            elif path in ("/loop1", "/loop2", "/loop1.m3u", "/loop2.m3u"):
                other = ("/loop2" if path.startswith("/loop1") else "/loop1") + path[6:]
                self.request.sendall(("HTTP/1.0 302 Found\r\nLocation: %s%s\r\n"
                                      "Content-Length: 0\r\n\r\n" % (base, other)).encode())
            else:
                self.request.sendall(b"HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n")
        except (BrokenPipeError, ConnectionResetError, OSError):
            pass


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    Radio.audio = {"mp3": open(sys.argv[1], "rb").read(), "ogg": open(sys.argv[2], "rb").read()}
    Radio.seconds = float(sys.argv[3])
    closed = socket.socket()
    closed.bind((HOST, 0))
    refused_port = closed.getsockname()[1]
    closed.close()  # nothing listens there any more: a connection is refused
    server = Server((HOST, 0), Radio)
    server.stopping = threading.Event()
    threading.Thread(target=server.serve_forever, daemon=True).start()
    print("port=%d refused=%d" % (server.server_address[1], refused_port), flush=True)
    try:
        sys.stdin.read()
    except KeyboardInterrupt:
        pass
    server.stopping.set()
    server.shutdown()


if __name__ == "__main__":
    main()
