#!/usr/bin/python3
"""Stands in for the program inside a browser session.

Records what it finds in a JSON file (the path is its first argument): the
display settings and session environment it was given, the user it runs as,
and whether the X server accepts a connection with the cookie from
XAUTHORITY and refuses one without it; it leaves a finished PDF in the
download folder, as the program's save command would. It then waits
until a file named like the record plus ".quit" appears and exits with the
number written in it, or after 60 seconds with 99. Signals keep their
default effect, as for the real program.
"""
import json
import os
import socket
import struct
import subprocess
import sys
import time


def read_cookie(display):
    """The display's MIT-MAGIC-COOKIE-1 from the file XAUTHORITY names."""
    listed = subprocess.run(["xauth", "list", display], capture_output=True, text=True).stdout.split()
    return bytes.fromhex(listed[2]) if len(listed) >= 3 else None


def x_connect(display_number, cookie):
    """'accepted' or 'refused': the X server's answer to a connection setup."""
    def pad(b):
        return b + b"\0" * (-len(b) % 4)

    name = b"MIT-MAGIC-COOKIE-1" if cookie else b""
    cookie = cookie or b""
    s = socket.socket(socket.AF_UNIX)
    s.settimeout(10)
    try:
        s.connect("/tmp/.X11-unix/X" + display_number)
        s.sendall(b"l\0" + struct.pack("<HHHH2x", 11, 0, len(name), len(cookie)) + pad(name) + pad(cookie))
        answer = s.recv(1)
    finally:
        s.close()
    return "accepted" if answer == b"\x01" else "refused"


def main():
    record = sys.argv[1]
    display = os.environ.get("DISPLAY", "")
    number = display.lstrip(":").split(".")[0]
    found = {name: os.environ.get(name) for name in
             ("DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "HOME",
              "QT_IM_MODULE", "DBUS_SESSION_BUS_ADDRESS", "TELLUMO_DOWNLOAD_DIR")}
    found["display_number"] = number
    found["uid"] = os.getuid()
    downloads = os.environ.get("TELLUMO_DOWNLOAD_DIR")
    if downloads:
        with open(os.path.join(downloads, "結果.pdf"), "wb") as f:
            f.write(b"%PDF-1.4 stand-in")
    try:
        found["with_cookie"] = x_connect(number, read_cookie(display))
        found["without_cookie"] = x_connect(number, None)
    except (OSError, ValueError) as e:
        found["x_error"] = repr(e)
    with open(record + ".part", "w") as f:
        json.dump(found, f)
    os.rename(record + ".part", record)

    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        try:
            with open(record + ".quit") as f:
                sys.exit(int(f.read()))
        except FileNotFoundError:
            time.sleep(0.05)
    sys.exit(99)


if __name__ == "__main__":
    main()
