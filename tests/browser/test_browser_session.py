#!/usr/bin/python3
"""Checks the browser session script with a stand-in program.

    test_browser_session.py SESSION_SCRIPT STAND_IN

Each session runs on its own pseudo-terminal, in its own session and with its
own TMPDIR. While it runs: the printed address is the real one (a busy first
port is skipped), noVNC is served, the VNC server refuses a connection
without authentication or with a wrong password and accepts the printed one,
the session holds no other listening TCP socket, the password is on no
command line, and the X display wants the cookie. However it ends, the exit
status is the program's and no process, X socket, port or temporary file is
left. Exits 77 when the packages are not installed.
"""
import base64
import json
import os
import pty
import re
import select
import shutil
import signal
import socket
import struct
import sys
import tempfile
import time
import urllib.parse
import urllib.request

SESSION, STAND_IN = sys.argv[1], sys.argv[2]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)
    return condition


def processes_in(sid):
    """pid -> command line of every live process in session `sid`."""
    found = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as f:
                state, _ppid, _pgrp, session = f.read().rsplit(")", 1)[1].split()[:4]
            if int(session) == sid and state != "Z":
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    found[int(pid)] = f.read().replace(b"\0", b" ").decode(errors="replace").strip()
        except (OSError, ValueError):
            pass
    return found


def tcp_listeners(pids):
    """(address, port) of every listening TCP socket the processes hold."""
    inodes = set()
    for pid in pids:
        try:
            for fd in os.listdir(f"/proc/{pid}/fd"):
                inodes.add(os.readlink(f"/proc/{pid}/fd/{fd}"))
        except OSError:
            pass
    found = set()
    for table, family in (("/proc/net/tcp", socket.AF_INET), ("/proc/net/tcp6", socket.AF_INET6)):
        with open(table) as f:
            for row in f.read().splitlines()[1:]:
                cols = row.split()
                if cols[3] == "0A" and f"socket:[{cols[9]}]" in inodes:  # 0A: LISTEN
                    address, port = cols[1].split(":")
                    raw = b"".join(struct.pack("<I", int(address[i:i + 8], 16)) for i in range(0, len(address), 8))
                    found.add((socket.inet_ntop(family, raw), int(port, 16)))
    return found


class WebSocket:
    """Just enough of a WebSocket client to speak VNC through the web server."""

    def __init__(self, host, port):
        self.sock = socket.create_connection((host, port), timeout=10)
        self.sock.sendall((f"GET /websockify HTTP/1.1\r\nHost: {host}:{port}\r\nUpgrade: websocket\r\n"
                           f"Connection: Upgrade\r\nSec-WebSocket-Key: {base64.b64encode(os.urandom(16)).decode()}\r\n"
                           "Sec-WebSocket-Version: 13\r\nSec-WebSocket-Protocol: binary\r\n\r\n").encode())
        self.raw, self.data = b"", bytearray()
        while b"\r\n\r\n" not in self.raw:
            self.raw += self._recv()
        head, self.raw = self.raw.split(b"\r\n\r\n", 1)
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise ConnectionError(head.decode(errors="replace"))

    def _recv(self):
        chunk = self.sock.recv(65536)
        if not chunk:
            raise ConnectionError("closed")
        return chunk

    def _take(self, n):
        while len(self.raw) < n:
            self.raw += self._recv()
        out, self.raw = self.raw[:n], self.raw[n:]
        return out

    def send(self, payload):  # short client frames are all VNC needs here
        mask = os.urandom(4)
        self.sock.sendall(bytes([0x82, 0x80 | len(payload)]) + mask
                          + bytes(b ^ mask[i % 4] for i, b in enumerate(payload)))

    def read(self, n):
        while len(self.data) < n:
            opcode, size = self._take(2)
            size &= 0x7F
            if size >= 126:
                size = int.from_bytes(self._take(2 if size == 126 else 8), "big")
            payload = self._take(size)
            if opcode & 0x0F == 8:
                raise ConnectionError("closed")
            self.data += payload
        out = bytes(self.data[:n])
        del self.data[:n]
        return out


def vnc(host, port, security_type, password=""):
    """(offered security types, 'accepted' or 'refused', (width, height, depth))."""
    from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes
    ws, offered = WebSocket(host, port), []
    try:
        ws.read(12)
        ws.send(b"RFB 003.008\n")
        offered = list(ws.read(ws.read(1)[0]))
        ws.send(bytes([security_type]))
        if security_type == 2:  # DES of the challenge, keyed by the bit-reversed password
            key = bytes(int(f"{b:08b}"[::-1], 2) for b in password.encode().ljust(8, b"\0")[:8])
            des = Cipher(algorithms.TripleDES(key), modes.ECB()).encryptor()
            ws.send(des.update(ws.read(16)) + des.finalize())
        if ws.read(4) != b"\0\0\0\0":
            return offered, "refused", None
        ws.send(b"\x01")  # shared
        width, height = struct.unpack(">HH", ws.read(4))
        return offered, "accepted", (width, height, ws.read(16)[1])
    except OSError:  # ConnectionError and timeouts included
        return offered, "refused", None
    finally:
        ws.sock.close()


class Session:
    """One run of the session script on a new pseudo-terminal and session."""

    def __init__(self, *options, program=None):
        self.work = tempfile.mkdtemp(prefix="browser-test.")
        self.tmp, self.record_file = os.path.join(self.work, "tmp"), os.path.join(self.work, "record")
        os.mkdir(self.tmp)
        program = program or ["/usr/bin/python3", STAND_IN, self.record_file]
        self.output, self.status, self.x_pid = "", None, None
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            signal.signal(signal.SIGINT, signal.SIG_DFL)
            os.execvpe("bash", ["bash", SESSION, *options, *program], dict(os.environ, TMPDIR=self.tmp))

    def read_until(self, pattern, timeout=30):
        deadline = time.monotonic() + timeout
        while not re.search(pattern, self.output) and time.monotonic() < deadline:
            if select.select([self.fd], [], [], 0.05)[0]:
                try:
                    self.output += os.read(self.fd, 4096).decode(errors="replace")
                except OSError:  # the terminal closes when the session ends
                    break
        return re.search(pattern, self.output)

    def address(self):
        """(host, port, query) from the printed address, or None."""
        m = self.read_until(r"http://(\[[^]]+\]|[^:/\s]+):(\d+)/vnc\.html\?(\S+)")
        return m and (m.group(1).strip("[]"), int(m.group(2)), urllib.parse.parse_qs(m.group(3)))

    def record(self):
        """What the stand-in program found, once it has started."""
        deadline = time.monotonic() + 30
        while not os.path.exists(self.record_file) and time.monotonic() < deadline:
            time.sleep(0.05)
        with open(self.record_file) as f:
            return json.load(f)

    def processes(self):
        found = processes_in(self.pid)
        self.x_pid = next((pid for pid, cmd in found.items() if cmd.startswith("Xvnc ")), self.x_pid)
        return found

    def wait(self, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.read_until(r"(?!)", 0.05)  # keeps the terminal from filling up
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                self.status = os.waitstatus_to_exitcode(status)
                return self.status
        return None

    def check_nothing_left(self, name, display=None, port=None):
        check(not processes_in(self.pid), f"{name}: processes left: {processes_in(self.pid)}")
        check(not os.listdir(self.tmp), f"{name}: temporary files left: {os.listdir(self.tmp)}")
        if display:
            try:
                with open(f"/tmp/.X{display}-lock") as f:
                    lock_pid = int(f.read())
            except (OSError, ValueError):
                lock_pid = None
            # Another X server may have taken the number since; its lock says so.
            check(lock_pid is None or lock_pid != self.x_pid, f"{name}: X lock file left")
            check(not os.path.exists(f"/tmp/.X11-unix/X{display}") or lock_pid not in (None, self.x_pid),
                  f"{name}: X socket left")
        if port:
            try:
                socket.create_connection(("127.0.0.1", port), timeout=2).close()
                check(False, f"{name}: port {port} still open")
            except OSError:
                pass

    def close(self):
        if self.status is None:
            self.wait(5)
        for pid in processes_in(self.pid):  # whatever a faulty script left
            os.kill(pid, signal.SIGKILL)
        if self.status is None:
            os.waitpid(self.pid, 0)
        os.close(self.fd)
        shutil.rmtree(self.work, ignore_errors=True)


def case_runs_until_program_ends():
    name = "program ends by itself"
    holder = socket.create_server(("127.0.0.1", 0))
    busy = holder.getsockname()[1]
    s = Session("--port", str(busy))
    try:
        address = s.address()
        if not check(address, f"{name}: no address printed: {s.output!r}"):
            return None
        host, port, query = address
        password = query.get("password", [""])[0]
        check(host == "127.0.0.1" and busy < port < busy + 100, f"{name}: {host}:{port}, {busy} was busy")
        check(re.fullmatch(r"[A-Za-z0-9]{8}", password) and query.get("autoconnect") == ["1"],
              f"{name}: query {query}")

        record = s.record()
        check(record.get("QT_QPA_PLATFORM") == "xcb" and not record.get("WAYLAND_DISPLAY"),
              f"{name}: program environment {record}")
        check(record.get("with_cookie") == "accepted" and record.get("without_cookie") == "refused",
              f"{name}: X server with and without the cookie: {record}")

        with urllib.request.urlopen(f"http://127.0.0.1:{port}/vnc.html", timeout=10) as page:
            check(page.status == 200 and b"noVNC" in page.read(), f"{name}: noVNC page not served")
        offered, outcome, _ = vnc(host, port, 1)
        check(offered == [2] and outcome == "refused", f"{name}: VNC, no authentication: {offered} {outcome}")
        wrong = ("1" if password[0] == "0" else "0") + password[1:]
        check(vnc(host, port, 2, wrong)[1] == "refused", f"{name}: VNC, wrong password accepted")
        _, outcome, desktop = vnc(host, port, 2, password)
        check(outcome == "accepted" and desktop[0] >= 1024 and desktop[1] >= 768 and desktop[2] == 24,
              f"{name}: VNC with the password: {outcome} {desktop}")

        processes = s.processes()
        check(tcp_listeners(processes) == {("127.0.0.1", port)},
              f"{name}: TCP listeners {tcp_listeners(processes)}, expected only 127.0.0.1:{port}")
        check(not any(password in cmd for cmd in processes.values()), f"{name}: password in {processes}")
        modes = {os.stat(os.path.join(s.tmp, d)).st_mode & 0o777 for d in os.listdir(s.tmp)}
        check(modes == {0o700}, f"{name}: temporary folder modes {modes}")

        with open(s.record_file + ".quit", "w") as f:
            f.write("7")
        check(s.wait() == 7, f"{name}: exit status {s.status}, expected the program's 7")
        s.check_nothing_left(name, record.get("display_number"), port)
        return password
    finally:
        holder.close()
        s.close()


def case_ended_by(name, end, expected, *options, message=None):
    s = Session(*options)
    try:
        address = s.address()
        if not check(address, f"{name}: no address printed: {s.output!r}"):
            return None
        host, port, query = address
        record = s.record()
        if options:
            check(tcp_listeners(s.processes()) == {(host, port)}, f"{name}: listeners {tcp_listeners(s.processes())}")
            check(vnc(host, port, 1)[1] == "refused", f"{name}: VNC without authentication accepted")
        s.processes()
        end(s)
        check(s.wait() == expected, f"{name}: exit status {s.status}, expected {expected}")
        check(message is None or message in s.output, f"{name}: output {s.output!r}")
        s.check_nothing_left(name, record.get("display_number"), port)
        return query.get("password", [""])[0]
    finally:
        s.close()


def kill_web_server(s):
    for pid, cmd in s.processes().items():
        if "websockify" in cmd:
            os.kill(pid, signal.SIGKILL)


def main():
    missing = [tool for tool in ("Xvnc", "vncpasswd", "xauth", "openbox", "websockify") if not shutil.which(tool)]
    if missing or not os.path.exists("/usr/share/novnc/vnc.html"):
        print("SKIP: not installed:", " ".join(missing) or "noVNC")
        sys.exit(77)
    started = time.monotonic()
    passwords = [
        case_runs_until_program_ends(),
        case_ended_by("Ctrl+C", lambda s: os.write(s.fd, b"\x03"), 130),
        case_ended_by("SIGTERM", lambda s: os.kill(s.pid, signal.SIGTERM), 143, "--listen", "127.0.0.2"),
        case_ended_by("web server dies", kill_web_server, 1, message="websockify stopped unexpectedly"),
    ]
    passwords = [p for p in passwords if p]
    check(len(set(passwords)) == len(passwords), f"passwords repeat between runs: {passwords}")

    s = Session(program=["/nonexistent/program"])
    check(s.wait() == 127, f"program cannot start: exit status {s.status}, expected 127")
    s.check_nothing_left("program cannot start")
    s.close()
    for options in (["--port", "0"], ["--port", "http"], ["--port", "70000"], ["--listen", "localhost"],
                    ["--listen"], ["--bind", "1"]):
        s = Session(*options)
        check(s.wait(10) == 2 and not os.listdir(s.tmp), f"usage {options}: exit status {s.status}")
        s.close()

    print(f"{len(failures)} failure(s) in {time.monotonic() - started:.1f} s")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
