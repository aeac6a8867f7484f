#!/usr/bin/env python3
"""A session bus that accepts every connection and never answers: what a hung bus daemon looks
like to a client. usage: silent-bus.py SOCKET_PATH [SECONDS]; it listens at SOCKET_PATH (removed
first), reads and drops whatever comes, and ends by itself after SECONDS (default 120)."""
import os
import selectors
import socket
import sys
import time

path = sys.argv[1]
lifetime = float(sys.argv[2]) if len(sys.argv) > 2 else 120.0
try:
    os.unlink(path)
except FileNotFoundError:
    pass
server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
server.bind(path)
server.listen(64)
server.setblocking(False)
watch = selectors.DefaultSelector()
watch.register(server, selectors.EVENT_READ)
end = time.monotonic() + lifetime
while time.monotonic() < end:
    for key, _ in watch.select(timeout=0.5):
        if key.fileobj is server:
            client, _ = server.accept()
            client.setblocking(False)
            watch.register(client, selectors.EVENT_READ)
        else:
            try:
                data = key.fileobj.recv(65536)
            except OSError:
                data = b""
            if not data:
                watch.unregister(key.fileobj)
                key.fileobj.close()
os.unlink(path)
