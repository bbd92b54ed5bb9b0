#!/usr/bin/python3
"""The web server of a browser session: Tellumo's page, its VNC connection
and the downloads of the kept results.

    browser-server.py --listen ADDRESS --port FIRST --port-file FILE
                      --page DIR --novnc DIR --vnc SOCKET --downloads DIR

Reads the download key (one line) from standard input, binds the first free
port from FIRST on ADDRESS and writes its number into FILE once it listens.

What it serves, and to whom:
- GET /, the page's own files, and noVNC's core/ and vendor/ files under
  /novnc/ (regular files only; no directory is ever listed).
- /websockify: a WebSocket carried to the VNC server's Unix socket. An
  upgrade whose Origin is not this page's is refused. While one client has
  passed the VNC password, every further upgrade is refused with 409 (the
  page says 使用中です), so the first is never thrown off. A failed password
  is answered only after a pause and ends that connection; the VNC server
  itself keeps no blacklist, so nobody can lock the one socket.
- /status: {"busy": true|false}.
- /download/KEY/: the names of the finished files in the download folder as
  JSON, and /download/KEY/NAME the file itself as an attachment. KEY is the
  session's secret; any other path under /download/ is not found.
Every request whose Host is not the listening address (or, for a wildcard,
a numeric address) gets 421, which keeps DNS rebinding out. Nothing is
logged but failures of the server itself.
"""
import argparse
import asyncio
import base64
import hashlib
import hmac
import ipaddress
import json
import os
import re
import socket
import stat
import sys
import urllib.parse

HANDSHAKE_SECONDS = 30   # an unauthenticated connection is closed after this
FAILURE_PAUSE = 1.0      # seconds before a wrong password is answered
MAX_HEADER = 16384
DOWNLOAD_NAME = re.compile(r"[^./][^/]*\.(pdf|png)")
TYPES = {".html": "text/html; charset=utf-8", ".js": "text/javascript; charset=utf-8",
         ".css": "text/css; charset=utf-8", ".json": "application/json", ".svg": "image/svg+xml",
         ".png": "image/png", ".pdf": "application/pdf"}
BUSY_PAGE = ("<!doctype html><html lang=\"ja\"><meta charset=\"utf-8\"><title>Tellumo</title>"
             "<p>使用中です。ほかの人が Tellumo を使っています。</p></html>")


class Server:
    def __init__(self, options, key):
        self.options, self.key = options, key
        self.owner = None          # the connection that passed the password
        self.listen = ipaddress.ip_address(options.listen)
        self.port = None
        self.page_files = {name for name in os.listdir(options.page)
                           if os.path.isfile(os.path.join(options.page, name))}

    # ----- HTTP -----

    def host_allowed(self, host):
        """Whether the Host header names this server: its numeric address
        (any numeric address when listening on all of them) and port;
        'localhost' too for a loopback address."""
        m = re.fullmatch(r"(\[[0-9A-Fa-f:.]+\]|[^:\[\]]+):(\d+)", host or "")
        if not m or int(m.group(2)) != self.port:
            return False
        name = m.group(1).strip("[]")
        if name.lower() == "localhost":
            return self.listen.is_loopback
        try:
            address = ipaddress.ip_address(name)
        except ValueError:
            return False
        return address == self.listen or self.listen.is_unspecified

    async def handle(self, reader, writer):
        try:
            head = await asyncio.wait_for(reader.readuntil(b"\r\n\r\n"), 15)
        except (asyncio.TimeoutError, asyncio.IncompleteReadError, asyncio.LimitOverrunError, OSError):
            writer.close()
            return
        try:
            lines = head.decode("latin-1").split("\r\n")
            method, target, _version = lines[0].split(" ")
            headers = {}
            for line in lines[1:]:
                if ":" in line:
                    name, value = line.split(":", 1)
                    headers[name.strip().lower()] = value.strip()
        except ValueError:
            await self.respond(writer, 400, "text/plain", b"bad request")
            return
        if not self.host_allowed(headers.get("host")):
            await self.respond(writer, 421, "text/plain", b"wrong host")
            return
        path = urllib.parse.unquote(urllib.parse.urlsplit(target).path)
        if headers.get("upgrade", "").lower() == "websocket":
            await self.websocket(reader, writer, path, headers)
            return
        if method not in ("GET", "HEAD"):
            await self.respond(writer, 405, "text/plain", b"method not allowed")
            return
        status, kind, body, extra = self.route(path)
        await self.respond(writer, status, kind, body, extra, send_body=method == "GET")

    def route(self, path):
        """(status, content type, body, extra headers) for a GET."""
        if path == "/":
            path = "/index.html"
        if path == "/status":
            return 200, TYPES[".json"], json.dumps({"busy": self.owner is not None}).encode(), {}
        if path.startswith("/download/"):
            return self.download(path[len("/download/"):])
        name = path[1:]
        if name in self.page_files:
            return self.file(os.path.join(self.options.page, name))
        parts = path.split("/")
        if (len(parts) > 3 and parts[1] == "novnc" and parts[2] in ("core", "vendor")
                and all(p and p not in (".", "..") for p in parts[2:])):
            base = os.path.realpath(self.options.novnc)
            full = os.path.realpath(os.path.join(base, *parts[2:]))
            if full.startswith(base + os.sep):
                return self.file(full)
        return 404, "text/plain", b"not found", {}

    def file(self, path):
        try:
            if not stat.S_ISREG(os.stat(path).st_mode):
                return 404, "text/plain", b"not found", {}
            with open(path, "rb") as f:
                body = f.read()
        except OSError:
            return 404, "text/plain", b"not found", {}
        return 200, TYPES.get(os.path.splitext(path)[1], "application/octet-stream"), body, {}

    def finished_downloads(self):
        """(name, size, modification time) of every finished file, newest last."""
        found = []
        try:
            with os.scandir(self.options.downloads) as entries:
                for entry in entries:
                    if DOWNLOAD_NAME.fullmatch(entry.name) and entry.is_file(follow_symlinks=False):
                        info = entry.stat(follow_symlinks=False)
                        found.append((entry.name, info.st_size, info.st_mtime_ns))
        except OSError:
            pass
        return sorted(found, key=lambda f: f[2])

    def download(self, rest):
        key, _, name = rest.partition("/")
        if not hmac.compare_digest(key.encode(), self.key.encode()):
            return 404, "text/plain", b"not found", {}
        if not name:
            listed = [{"name": n, "size": s, "time": t} for n, s, t in self.finished_downloads()]
            return 200, TYPES[".json"], json.dumps(listed).encode(), {}
        if not DOWNLOAD_NAME.fullmatch(name):
            return 404, "text/plain", b"not found", {}
        path = os.path.join(self.options.downloads, name)
        try:
            fd = os.open(path, os.O_RDONLY | os.O_NOFOLLOW)
            with os.fdopen(fd, "rb") as f:
                if not stat.S_ISREG(os.fstat(f.fileno()).st_mode):
                    return 404, "text/plain", b"not found", {}
                body = f.read()
        except OSError:
            return 404, "text/plain", b"not found", {}
        quoted = urllib.parse.quote(name)
        return 200, TYPES[os.path.splitext(name)[1]], body, {
            "Content-Disposition": f"attachment; filename*=UTF-8''{quoted}"}

    async def respond(self, writer, status, kind, body, extra=None, send_body=True):
        reasons = {200: "OK", 400: "Bad Request", 403: "Forbidden", 404: "Not Found", 405: "Method Not Allowed",
                   409: "Conflict", 421: "Misdirected Request"}
        headers = {
            "Content-Type": kind, "Content-Length": str(len(body)), "Cache-Control": "no-store",
            "X-Content-Type-Options": "nosniff", "X-Frame-Options": "DENY", "Referrer-Policy": "no-referrer",
            "Content-Security-Policy": "default-src 'self'; connect-src 'self' ws: wss:; img-src 'self' data: blob:; "
                                       "style-src 'self' 'unsafe-inline'; frame-ancestors 'none'",
            "Connection": "close", **(extra or {})}
        lines = [f"HTTP/1.1 {status} {reasons.get(status, '')}"] + [f"{k}: {v}" for k, v in headers.items()]
        try:
            writer.write(("\r\n".join(lines) + "\r\n\r\n").encode("utf-8") + (body if send_body else b""))
            await writer.drain()
        except OSError:
            pass
        writer.close()

    # ----- WebSocket to VNC -----

    async def websocket(self, reader, writer, path, headers):
        origin = headers.get("origin")
        key = headers.get("sec-websocket-key", "")
        if path != "/websockify" or headers.get("sec-websocket-version") != "13" or not key:
            await self.respond(writer, 400, "text/plain", b"bad websocket request")
            return
        # Browsers always send the page's origin; a page from anywhere else is refused.
        if origin is not None and origin.lower() != "http://" + headers.get("host", "").lower():
            await self.respond(writer, 403, "text/plain", b"wrong origin")
            return
        if self.owner is not None:
            await self.respond(writer, 409, "text/html; charset=utf-8", BUSY_PAGE.encode())
            return
        try:
            vnc_reader, vnc_writer = await asyncio.open_unix_connection(self.options.vnc)
        except OSError:
            await self.respond(writer, 404, "text/plain", b"no display")
            return
        accept = base64.b64encode(hashlib.sha1((key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11").encode()).digest())
        answer = ["HTTP/1.1 101 Switching Protocols", "Upgrade: websocket", "Connection: Upgrade",
                  "Sec-WebSocket-Accept: " + accept.decode()]
        offered = [p.strip() for p in headers.get("sec-websocket-protocol", "").split(",") if p.strip()]
        if "binary" in offered:
            answer.append("Sec-WebSocket-Protocol: binary")
        writer.write(("\r\n".join(answer) + "\r\n\r\n").encode())
        connection = Connection(self, reader, writer, vnc_reader, vnc_writer)
        await connection.run()


class Connection:
    """One WebSocket client and its VNC connection. Watches the VNC server's
    side of the handshake (version, security types, challenge, result) to
    learn whether the client passed the password."""

    def __init__(self, server, reader, writer, vnc_reader, vnc_writer):
        self.server, self.reader, self.writer = server, reader, writer
        self.vnc_reader, self.vnc_writer = vnc_reader, vnc_writer
        self.handshake = b""       # the server's bytes until the security result
        self.authenticated = False

    async def run(self):
        tasks = [asyncio.ensure_future(self.from_client()), asyncio.ensure_future(self.from_vnc())]
        timer = asyncio.get_running_loop().call_later(HANDSHAKE_SECONDS, self.close_unless_authenticated)
        try:
            await asyncio.wait(tasks, return_when=asyncio.FIRST_COMPLETED)
        finally:
            timer.cancel()
            for task in tasks:
                task.cancel()
            if self.server.owner is self:
                self.server.owner = None
            for w in (self.vnc_writer, self.writer):
                w.close()

    def close_unless_authenticated(self):
        if not self.authenticated:
            self.writer.close()
            self.vnc_writer.close()

    async def from_client(self):
        while True:
            first = await self.reader.readexactly(2)
            opcode, size = first[0] & 0x0F, first[1] & 0x7F
            if size == 126:
                size = int.from_bytes(await self.reader.readexactly(2), "big")
            elif size == 127:
                size = int.from_bytes(await self.reader.readexactly(8), "big")
            if size > 1 << 24 or not first[1] & 0x80:  # clients must mask
                return
            mask = await self.reader.readexactly(4)
            payload = bytearray(await self.reader.readexactly(size))
            for i in range(len(payload)):
                payload[i] ^= mask[i & 3]
            if opcode == 8:
                return
            if opcode == 9:
                self.send_frame(10, bytes(payload))
            elif opcode in (0, 1, 2):
                self.vnc_writer.write(payload)
                await self.vnc_writer.drain()

    async def from_vnc(self):
        while True:
            data = await self.vnc_reader.read(65536)
            if not data:
                return
            if not self.authenticated:
                data = await self.watch_handshake(data)
                if data is None:
                    return
            if data:
                self.send_frame(2, data)
                await self.writer.drain()

    def handshake_length(self):
        """How many of the server's bytes come before and with the security
        result, once enough of them are known: version (12), the number of
        security types and the types, the VNC challenge (16), the result (4)."""
        if len(self.handshake) < 13:
            return None
        return 12 + 1 + self.handshake[12] + 16 + 4

    async def watch_handshake(self, data):
        """The data to pass on; None ends the connection."""
        self.handshake += data
        length = self.handshake_length()
        if length is None or len(self.handshake) < length or self.handshake[12] == 0:
            return data
        if self.handshake[length - 4:length] != b"\0\0\0\0":
            await asyncio.sleep(FAILURE_PAUSE)
            self.send_frame(2, data)
            await self.writer.drain()
            return None
        # Two clients may have passed at once: only the first gets in.
        if self.server.owner is not None:
            return None
        self.server.owner, self.authenticated = self, True
        return data

    def send_frame(self, opcode, payload):
        size = len(payload)
        if size < 126:
            head = bytes([0x80 | opcode, size])
        elif size < 65536:
            head = bytes([0x80 | opcode, 126]) + size.to_bytes(2, "big")
        else:
            head = bytes([0x80 | opcode, 127]) + size.to_bytes(8, "big")
        self.writer.write(head + payload)


def bind_first_free(host, first, tries):
    family = socket.getaddrinfo(host, None, flags=socket.AI_NUMERICHOST)[0][0]
    for port in range(first, min(first + tries, 65536)):
        sock = socket.socket(family, socket.SOCK_STREAM)
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        if family == socket.AF_INET6:
            sock.setsockopt(socket.IPPROTO_IPV6, socket.IPV6_V6ONLY, 1)
        try:
            sock.bind((host, port))
            sock.listen(64)
            return sock, port
        except OSError:
            sock.close()
    sys.exit("no free port from %d to %d" % (first, min(first + tries, 65536) - 1))


async def serve(options, key):
    server = Server(options, key)
    sock, server.port = bind_first_free(options.listen, options.port, options.tries)
    listener = await asyncio.start_server(server.handle, sock=sock, limit=MAX_HEADER)
    with open(options.port_file + ".part", "w") as f:
        f.write(str(server.port))
    os.rename(options.port_file + ".part", options.port_file)
    async with listener:
        await listener.serve_forever()


def main():
    parser = argparse.ArgumentParser()
    for name in ("listen", "port-file", "page", "novnc", "vnc", "downloads"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--tries", type=int, default=100)
    options = parser.parse_args()
    key = sys.stdin.readline().strip()
    if not key:
        sys.exit("no download key on standard input")
    try:
        asyncio.run(serve(options, key))
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
