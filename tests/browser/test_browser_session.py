#!/usr/bin/python3
"""Checks the browser session script with a stand-in program.

    test_browser_session.py SESSION_SCRIPT STAND_IN

Each session runs on its own pseudo-terminal, in its own session and with its
own TMPDIR. While it runs: the printed address is the real one (a busy first
port is skipped), Tellumo's page is served and nothing else (no directory,
no wrong Host), the VNC server refuses a connection without authentication
or with a wrong password and accepts the printed one, even after another
user has tried wrong passwords and left connections hanging; a second client
is refused while one is connected, and so is a page from another origin;
the session's finished downloads are listed and served only under the key;
the session holds no other listening TCP socket, the password is on no
command line, the X display wants the cookie, the input method and its bus
run, and as root nothing of the session runs as root. However it ends
(SIGKILL with no terminal included), the exit status is the program's and
no process, X socket, port or temporary file is left. Exits 77 when the
packages are not installed.
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
import subprocess
import sys
import tempfile
import time
import urllib.parse
import urllib.request

SESSION, STAND_IN = (sys.argv + ["", ""])[1:3]
from checks import check, failures


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

    def __init__(self, host, port, origin=None):
        self.sock = socket.create_connection((host, port), timeout=10)
        origin = f"Origin: {origin}\r\n" if origin else ""
        self.sock.sendall((f"GET /websockify HTTP/1.1\r\nHost: {host}:{port}\r\n{origin}Upgrade: websocket\r\n"
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


def vnc(host, port, security_type, password="", keep=None):
    """(offered security types, 'accepted' or 'refused', (width, height, depth)).
    An accepted connection is left open in the list `keep` if one is given."""
    from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes
    try:
        ws, offered = WebSocket(host, port), []
    except ConnectionError:
        return [], "refused", None
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
        depth = ws.read(16)[1]
        ws.read(int.from_bytes(ws.read(4), "big"))  # the desktop's name
        if keep is not None:
            keep.append(ws)
        return offered, "accepted", (width, height, depth)
    except OSError:  # ConnectionError and timeouts included
        return offered, "refused", None
    finally:
        if keep is None or ws not in keep:
            ws.sock.close()


def http(port, path, host=None):
    """(status, body) of a GET."""
    sock = socket.create_connection(("127.0.0.1", port), timeout=10)
    try:
        sock.sendall(f"GET {path} HTTP/1.1\r\nHost: {host or f'127.0.0.1:{port}'}\r\n\r\n".encode())
        answer = b""
        while chunk := sock.recv(65536):
            answer += chunk
    finally:
        sock.close()
    head, _, body = answer.partition(b"\r\n\r\n")
    return int(head.split()[1]), body


def lock_out(host, port, password):
    """What someone else on the machine might do to keep the user out: wrong
    passwords in parallel, and connections left hanging at the banner. Runs
    as `nobody` when this runs as root."""
    wrong = ("1" if password[0] == "0" else "0") + password[1:]
    script = f"""
import socket, sys, threading
sys.path.insert(0, {os.path.dirname(os.path.abspath(__file__))!r})
from test_browser_session import WebSocket, vnc
hanging = [WebSocket({host!r}, {port}) for _ in range(6)]
tries = [threading.Thread(target=vnc, args=({host!r}, {port}, 2, {wrong!r})) for _ in range(12)]
for t in tries: t.start()
for t in tries: t.join()
"""
    command = ["/usr/bin/python3", "-c", script]
    if os.getuid() == 0:
        command = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"] + command
    env = dict(os.environ, PYTHONDONTWRITEBYTECODE="1")
    return subprocess.Popen(command, env=env, cwd="/")


class Session:
    """One run of the session script on a new pseudo-terminal and session."""

    def __init__(self, *options, program=None, terminal=True):
        self.work = tempfile.mkdtemp(prefix="browser-test.")
        # As root the session runs as another user, who must reach its
        # folder and write the record.
        os.chmod(self.work, 0o711)
        self.tmp, self.record_file = os.path.join(self.work, "tmp"), os.path.join(self.work, "out", "record")
        os.mkdir(self.tmp)
        os.mkdir(os.path.dirname(self.record_file))
        os.chmod(os.path.dirname(self.record_file), 0o1777)
        program = program or ["/usr/bin/python3", STAND_IN, self.record_file]
        self.output, self.status, self.x_pid = "", None, None
        if terminal:
            self.pid, self.fd = pty.fork()
        else:  # a new session with no terminal; the output through a pipe
            self.fd, write_end = os.pipe()
            self.pid = os.fork()
            if self.pid == 0:
                os.setsid()
                os.dup2(os.open(os.devnull, os.O_RDONLY), 0)
                os.dup2(write_end, 1)
                os.dup2(write_end, 2)
            os.close(write_end)
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
        """(host, port, fragment) from the printed address, or None."""
        m = self.read_until(r"http://(\[[^]]+\]|[^:/\s]+):(\d+)/#(\S+)")
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

    def check_nothing_left(self, name, display=None, port=None, host="127.0.0.1"):
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
                socket.create_connection((host, port), timeout=2).close()
                check(False, f"{name}: port {port} still open")
            except OSError:
                pass

    def close(self):
        if self.status is None:
            self.wait(5)
        for pid in processes_in(self.pid):  # whatever a faulty script left
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
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
        password, key = query.get("password", [""])[0], query.get("key", [""])[0]
        check(host == "127.0.0.1" and busy < port < busy + 100, f"{name}: {host}:{port}, {busy} was busy")
        check(re.fullmatch(r"[A-Za-z0-9]{8}", password) and re.fullmatch(r"[A-Za-z0-9]{22}", key),
              f"{name}: fragment {query}")

        record = s.record()
        check(record.get("QT_QPA_PLATFORM") == "xcb" and not record.get("WAYLAND_DISPLAY")
              and record.get("QT_IM_MODULE") == "fcitx", f"{name}: program environment {record}")
        check(record.get("with_cookie") == "accepted" and record.get("without_cookie") == "refused",
              f"{name}: X server with and without the cookie: {record}")
        session_folder = os.path.join(s.tmp, os.listdir(s.tmp)[0])
        check(all(record.get(v, "").startswith(session_folder) for v in ("HOME", "TELLUMO_DOWNLOAD_DIR"))
              and record.get("DBUS_SESSION_BUS_ADDRESS") == f"unix:path={session_folder}/bus",
              f"{name}: home, downloads and bus outside {session_folder}: {record}")

        # What is served, and to whom.
        status, page = http(port, "/")
        check(status == 200 and b'<html lang="ja">' in page and b"<title>Tellumo</title>" in page,
              f"{name}: the page: {status} {page[:200]!r}")
        for path, host_header, expected in (
                ("/novnc/core/rfb.js", None, 200), ("/vnc.html", None, 404), ("/novnc/core/", None, 404),
                ("/novnc/", None, 404), ("/novnc/core/../../../etc/passwd", None, 404), ("/download/", None, 404),
                (f"/download/{key}x/", None, 404), (f"/download/{key}/../vnc-password", None, 404),
                ("/", f"tellumo.example:{port}", 421), ("/", f"127.0.0.1:{port + 1}", 421),
                ("/", f"localhost:{port}", 200)):
            got = http(port, path, host_header)[0]
            check(got == expected, f"{name}: GET {path} (Host {host_header}): {got}, expected {expected}")
        status, listed = http(port, f"/download/{key}/")
        check(status == 200 and [f["name"] for f in json.loads(listed)] == ["結果.pdf"],
              f"{name}: downloads listed: {status} {listed!r}")
        check(http(port, f"/download/{key}/{urllib.parse.quote('結果.pdf')}") == (200, b"%PDF-1.4 stand-in"),
              f"{name}: the download itself")

        offered, outcome, _ = vnc(host, port, 1)
        check(offered == [2] and outcome == "refused", f"{name}: VNC, no authentication: {offered} {outcome}")
        wrong = ("1" if password[0] == "0" else "0") + password[1:]
        check(vnc(host, port, 2, wrong)[1] == "refused", f"{name}: VNC, wrong password accepted")
        attacker = lock_out(host, port, password)
        time.sleep(0.5)  # the attack under way
        held = []
        _, outcome, desktop = vnc(host, port, 2, password, keep=held)
        check(outcome == "accepted" and desktop == (761, 490, 24),
              f"{name}: VNC with the password, during a lock-out attempt: {outcome} {desktop}")
        check(attacker.wait(30) == 0, f"{name}: the lock-out attempt failed to run")
        # One person at a time: the second is refused, the first stays.
        check(vnc(host, port, 2, password)[1] == "refused", f"{name}: a second client got in")
        check(json.loads(http(port, "/status")[1]) == {"busy": True}, f"{name}: status while connected")
        try:
            held[0].send(bytes([3, 0, 0, 0, 0, 0, 0, 10, 0, 10]))  # an update request
            check(held[0].read(1) == b"\0", f"{name}: no picture for the first client")
        except OSError as e:
            check(False, f"{name}: the first client was thrown off: {e!r}")
        held[0].sock.close()
        try:
            WebSocket(host, port, origin="http://tellumo.example")
            check(False, f"{name}: an upgrade from another origin was accepted")
        except ConnectionError as e:
            check(" 403 " in str(e), f"{name}: another origin: {e}")

        processes = s.processes()
        check(tcp_listeners(processes) == {("127.0.0.1", port)},
              f"{name}: TCP listeners {tcp_listeners(processes)}, expected only 127.0.0.1:{port}")
        check(not any(password in cmd or key in cmd for cmd in processes.values()), f"{name}: secret in {processes}")
        commands = " ".join(processes.values())
        check("fcitx5" in commands and "dbus-daemon" in commands, f"{name}: no input method: {processes}")
        if os.getuid() == 0:
            def owner(pid):
                try:
                    return os.stat(f"/proc/{pid}").st_uid
                except OSError:  # a short-lived helper of the script, gone
                    return None
            as_root = [cmd for pid, cmd in processes.items() if owner(pid) == 0 and not cmd.startswith("bash ")]
            check(not as_root and record.get("uid") != 0, f"{name}: running as root: {as_root} {record}")
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
        s.check_nothing_left(name, record.get("display_number"), port, host)
        return query.get("password", [""])[0]
    finally:
        s.close()


def case_killed_without_terminal():
    """SIGKILL of a session started with no terminal, as by a service."""
    name = "SIGKILL without a terminal"
    s = Session(terminal=False)
    try:
        address = s.address()
        if not check(address, f"{name}: no address printed: {s.output!r}"):
            return
        record = s.record()
        check(len(s.processes()) >= 7, f"{name}: processes {s.processes()}")
        os.kill(s.pid, signal.SIGKILL)
        s.wait(5)
        deadline = time.monotonic() + 4
        while (processes_in(s.pid) or os.listdir(s.tmp)) and time.monotonic() < deadline:
            time.sleep(0.1)
        s.check_nothing_left(name, record.get("display_number"), address[1])
    finally:
        s.close()


def kill_web_server(s):
    for pid, cmd in s.processes().items():
        if "browser-server.py" in cmd:
            os.kill(pid, signal.SIGKILL)


def main():
    missing = [tool for tool in ("Xvnc", "vncpasswd", "xauth", "openbox", "fcitx5", "xrandr", "xprop", "xdotool",
                                 "dbus-daemon") if not shutil.which(tool)]
    if missing or not os.path.exists("/usr/share/novnc/core/rfb.js"):
        print("SKIP: not installed:", " ".join(missing) or "noVNC")
        sys.exit(77)
    started = time.monotonic()
    passwords = [
        case_runs_until_program_ends(),
        case_ended_by("Ctrl+C", lambda s: os.write(s.fd, b"\x03"), 130),
        case_ended_by("SIGTERM", lambda s: os.kill(s.pid, signal.SIGTERM), 143, "--listen", "127.0.0.2"),
        case_ended_by("web server dies", kill_web_server, 1, message="the web server stopped unexpectedly"),
    ]
    case_killed_without_terminal()
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
