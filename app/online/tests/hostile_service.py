#!/usr/bin/env python3
"""A picture service that misbehaves on purpose, on loopback, for the transfer worker's tests.

Every path is one way a server can go wrong (or, for /complete, right):

  /complete        200, Content-Length, 100 000 bytes           /no-length    200, no length, close
  /truncated       announces 100 000, sends 50 000, closes      /short-length announces 10, sends 20
  /missing         404 with an error page                        /broken       500 with a body
  /empty           200 with no body                              /list-garbage  bytes after the prefix
  /list-oversized  a newest list of 2 MiB entries                /token         "error_Downloads"
  /not-a-tqi       a "picture file" that is text                 /slow          16 KiB every 100 ms
  /stall-headers   reads the request, never answers              /stall-body    headers, 1 000 bytes, silence
  /huge-announced  announces 65 MiB (sends them if asked)        /huge          65 MiB, no length, made as sent

It prints "port N" once it listens, serves until killed or until --lifetime seconds have passed,
so that a test that dies cannot leave it running for long.
"""
import argparse
import os
import random
import socket
import socketserver
import sys
import threading
import time

HUGE = 65 << 20
CHUNK = 1 << 16


def pattern(count, seed):
    rng = random.Random(seed)
    return bytes(rng.getrandbits(8) for _ in range(count))


COMPLETE_BODY = pattern(100000, 1)
GARBAGE_LIST = b"GETNEWESTIMAGES_OK:" + pattern(4096, 2)
OVERSIZED_ENTRY = b"\r\nA/" + b"B" * (1 << 20) + b'/C "' + b"D" * (1 << 20) + b'"'
OVERSIZED_LIST = b"GETNEWESTIMAGES_OK:" + OVERSIZED_ENTRY * 2


def head(status, length=None, extra=b""):
    reason = {200: b"OK", 404: b"Not Found", 500: b"Internal Server Error"}[status]
    lines = b"HTTP/1.1 %d %s\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n" % (status, reason)
    if length is not None:
        lines += b"Content-Length: %d\r\n" % length
    return lines + extra + b"\r\n"


class Handler(socketserver.BaseRequestHandler):
    def read_request(self):
        data = b""
        while b"\r\n\r\n" not in data:
            part = self.request.recv(4096)
            if not part:
                return None
            data += part
            if len(data) > 65536:
                return None
        line = data.split(b"\r\n", 1)[0].decode("latin-1")
        fields = line.split(" ")
        return fields[1].split("?", 1)[0] if len(fields) >= 2 else None

    def stall(self):
        # Silent until the client gives up and closes, or the server ends.
        self.request.settimeout(1.0)
        while not self.server.ending.is_set():
            try:
                if self.request.recv(4096) == b"":
                    return
            except socket.timeout:
                continue
            except OSError:
                return

    def stream(self, total, delay=0.0, size=CHUNK):
        block = bytes(range(256)) * (size // 256)
        sent = 0
        while sent < total and not self.server.ending.is_set():
            piece = block[: min(size, total - sent)]
            self.request.sendall(piece)
            sent += len(piece)
            if delay:
                time.sleep(delay)

    def handle(self):
        try:
            path = self.read_request()
            if path is None:
                return
            send = self.request.sendall
            if path == "/complete":
                send(head(200, len(COMPLETE_BODY)) + COMPLETE_BODY)
            elif path == "/no-length":
                send(head(200) + COMPLETE_BODY)
            elif path == "/truncated":
                send(head(200, 100000) + COMPLETE_BODY[:50000])
            elif path == "/short-length":
                send(head(200, 10) + b"0123456789abcdefghij")
            elif path == "/missing":
                page = b"<html><body>No such page</body></html>"
                send(head(404, len(page)) + page)
            elif path == "/broken":
                page = b"Internal trouble"
                send(head(500, len(page)) + page)
            elif path == "/empty":
                send(head(200, 0))
            elif path == "/list-garbage":
                send(head(200, len(GARBAGE_LIST)) + GARBAGE_LIST)
            elif path == "/list-oversized":
                send(head(200, len(OVERSIZED_LIST)) + OVERSIZED_LIST)
            elif path == "/token":
                send(head(200, 15) + b"error_Downloads")
            elif path == "/not-a-tqi":
                text = b"This is not a picture file at all.\r\n" * 40
                send(head(200, len(text)) + text)
            elif path == "/slow":
                send(head(200, 16384 * 600))
                self.stream(16384 * 600, delay=0.1, size=16384)
            elif path == "/stall-headers":
                self.stall()
            elif path == "/stall-body":
                send(head(200, 100000) + COMPLETE_BODY[:1000])
                self.stall()
            elif path == "/huge-announced":
                send(head(200, HUGE))
                self.stream(HUGE)
            elif path == "/huge":
                send(head(200))
                self.stream(HUGE)
            else:
                send(head(404, 0))
        except OSError:
            pass  # the client went away, which several cases make it do


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, address):
        super().__init__(address, Handler)
        self.ending = threading.Event()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port-file", help="where to write the port once listening")
    parser.add_argument("--lifetime", type=float, default=900, help="seconds before it ends on its own")
    options = parser.parse_args()
    server = Server(("127.0.0.1", 0))
    port = server.server_address[1]
    if options.port_file:
        with open(options.port_file + ".tmp", "w") as f:
            f.write("%d\n" % port)
        os.replace(options.port_file + ".tmp", options.port_file)
    print("port %d" % port, flush=True)

    def end_later():
        time.sleep(options.lifetime)
        server.ending.set()
        server.shutdown()

    threading.Thread(target=end_later, daemon=True).start()
    try:
        server.serve_forever(poll_interval=0.2)
    except KeyboardInterrupt:
        pass
    server.ending.set()
    server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
