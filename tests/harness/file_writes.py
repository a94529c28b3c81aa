#!/usr/bin/env python3
"""Counts how often a file is written while a scenario acts: each time it is closed after
writing or another file is moved into its place (a program that writes a temporary file and
renames it over the old one), for SECONDS. Prints "watching" once it watches, then the count.

    file_writes.py FILE SECONDS

Watching the folder with inotify misses no write, however close together two writes come;
comparing the file's time stamps now and then would.
"""
import ctypes
import os
import select
import struct
import sys
import time

IN_CLOSE_WRITE = 0x00000008
IN_MOVED_TO = 0x00000080
EVENT_HEADER = struct.Struct("iIII")  # watch, mask, cookie, length of the name that follows


def main():
    path, seconds = sys.argv[1], float(sys.argv[2])
    folder, name = os.path.split(os.path.abspath(path))
    libc = ctypes.CDLL(None, use_errno=True)
    watcher = libc.inotify_init1(os.O_NONBLOCK)
    if watcher < 0 or libc.inotify_add_watch(watcher, folder.encode(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0:
        sys.exit(f"file_writes: cannot watch {folder}: {os.strerror(ctypes.get_errno())}")
    print("watching", flush=True)
    writes = 0
    deadline = time.monotonic() + seconds
    while (left := deadline - time.monotonic()) > 0:
        if not select.select([watcher], [], [], left)[0]:
            continue
        data = os.read(watcher, 65536)
        at = 0
        while at + EVENT_HEADER.size <= len(data):
            _, _, _, length = EVENT_HEADER.unpack_from(data, at)
            at += EVENT_HEADER.size
            written = data[at : at + length].rstrip(b"\0").decode(errors="replace")
            at += length
            writes += written == name
    print(writes)


if __name__ == "__main__":
    main()
