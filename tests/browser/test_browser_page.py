#!/usr/bin/python3
"""Walks through Tellumo in a real browser, as a person on a phone would.

    test_browser_page.py SESSION_SCRIPT PROGRAM

Starts a browser session with the program and headless Chromium, driven over
its DevTools protocol on a pipe (no WebSocket client needed). At desktop,
tablet and phone sizes the page is Japanese and the picture fills the
viewport's width or height; a table of what a question's text, a choice and
the 次へ button measure is printed; a reload reconnects. On the phone (390×844, touch, scale 3) it
types 46 distinct kana, then 山田花子 and the numbers through the page's entry, taps every answer
300 ms after the one before, long-presses the score page for its menu, saves
the PDF, receives it as a download and reads it with pdftotext; then 終了
ends the session and the page says so. With TELLUMO_SCREENSHOTS set to a
folder, the pictures are kept there. Exits 77 when Chromium is missing.
"""
import base64
import fcntl
import json
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SESSION, PROGRAM = sys.argv[1], sys.argv[2]
SHOTS = os.environ.get("TELLUMO_SCREENSHOTS")
TWIPS = 15  # per pixel at 96 dpi
from checks import check, failures


def wait_for(probe, what, timeout=60, every=0.1):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = probe()
        if value:
            return value
        time.sleep(every)
    raise TimeoutError(what)


class Chromium:
    """The browser, and one DevTools session on its current tab."""

    def __init__(self, work):
        self.downloads = os.path.join(work, "downloads")
        os.mkdir(self.downloads)
        to_browser, self.commands = os.pipe()
        self.answers, from_browser = os.pipe()

        def pipes():  # the browser reads on 3 and writes on 4
            a, b = fcntl.fcntl(to_browser, fcntl.F_DUPFD, 10), fcntl.fcntl(from_browser, fcntl.F_DUPFD, 10)
            os.dup2(a, 3)
            os.dup2(b, 4)

        self.process = subprocess.Popen(
            [shutil.which("chromium"), "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--remote-debugging-pipe", f"--user-data-dir={work}/profile", "about:blank"],
            preexec_fn=pipes, pass_fds=(3, 4), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser)
        os.close(from_browser)
        self.buffer, self.next_id, self.events, self.session = b"", 0, [], None
        self.call("Browser.setDownloadBehavior", behavior="allow", downloadPath=self.downloads, eventsEnabled=True)

    def call(self, method, session=True, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        while True:
            answer = self.receive()
            if answer.get("id") == self.next_id:
                if "error" in answer:
                    raise RuntimeError(f"{method}: {answer['error']}")
                return answer.get("result", {})
            self.events.append(answer)

    def receive(self):
        while b"\0" not in self.buffer:
            chunk = os.read(self.answers, 1 << 20)
            if not chunk:
                raise ConnectionError("the browser has gone")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def event(self, method, state, timeout=20):
        """The first event `method` whose parameters have `state`."""
        deadline = time.monotonic() + timeout
        while True:
            for e in self.events:
                if e.get("method") == method and e["params"].get("state") == state:
                    return e
            if time.monotonic() > deadline:
                raise TimeoutError(f"{method} {state}")
            if b"\0" in self.buffer or select.select([self.answers], [], [], 0.2)[0]:
                self.events.append(self.receive())

    def open(self, url, width, height, touch=False):
        """A new tab of the given size in place of the last one."""
        if self.session:
            self.call("Target.closeTarget", session=False, targetId=self.target)
        self.target = self.call("Target.createTarget", session=False, url="about:blank")["targetId"]
        self.session = self.call("Target.attachToTarget", session=False, targetId=self.target,
                                 flatten=True)["sessionId"]
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=3 if touch else 1, mobile=touch)
        self.call("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=5 if touch else 1)
        self.call("Page.navigate", url=url)

    def js(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def tap(self, x, y, hold=0.0):
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        if hold:
            time.sleep(hold)
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def screenshot(self, name):
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
            with open(os.path.join(SHOTS, name + ".png"), "wb") as f:
                f.write(base64.b64decode(self.call("Page.captureScreenshot", format="png")["data"]))

    def close(self):
        self.process.kill()
        self.process.wait()


# The picture: where its canvas is and how large it is drawn.
PICTURE = """(() => { const c = document.querySelector('#screen canvas');
  if (!c || !document.body.classList.contains('connected')) return null;
  const r = c.getBoundingClientRect();
  return {left: r.left, top: r.top, width: r.width, height: r.height, fbWidth: c.width, fbHeight: c.height}; })()"""
# A checksum of what the picture shows, to see it change and settle.
CHECKSUM = """(() => { const c = document.querySelector('#screen canvas');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data; let s = 0;
  for (let i = 0; i < d.length; i += 7) s = (s * 31 + d[i]) >>> 0; return s; })()"""


class Page:
    """Tellumo's picture in the tab: program pixels to CSS pixels."""

    def __init__(self, browser, main_size):
        self.browser = browser
        last = [None]

        def settled():  # at the main window's size, and scaled to fit for good
            p = browser.js(PICTURE)
            done = p and (p["fbWidth"], p["fbHeight"]) == main_size and p == last[0]
            last[0] = p
            return done and p
        self.picture = wait_for(settled, "the picture at the main window's size", every=0.2)
        self.scale = self.picture["width"] / self.picture["fbWidth"]
        self.menu_bar = self.picture["fbHeight"] - round(7305 / TWIPS)
        self.shown = browser.js(CHECKSUM)

    def at(self, x_twips, y_twips):
        """CSS position of a page point given in twips."""
        return (self.picture["left"] + x_twips / TWIPS * self.scale,
                self.picture["top"] + (y_twips / TWIPS + self.menu_bar) * self.scale)

    def tap(self, x_twips, y_twips, hold=0.0):
        self.browser.tap(*self.at(x_twips, y_twips), hold=hold)

    def changed(self, what):
        """Waits until the picture changes and then stays the same."""
        last = [self.shown, None]

        def settled():
            now = self.browser.js(CHECKSUM)
            done = now != self.shown and now == last[1]
            last[1] = now
            return done
        wait_for(settled, what, every=0.25)
        self.shown = last[1]

    def type(self, text):
        """Through the page's entry and its 送る button, as a phone's keyboard would."""
        self.browser.js("document.getElementById('text').focus()")
        self.browser.call("Input.insertText", text=text)
        box = self.browser.js("(() => { const r = document.getElementById('send').getBoundingClientRect();"
                              " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
        self.browser.tap(*box)
        wait_for(lambda: self.browser.js("document.getElementById('text').value === ''"), "the entry cleared")


def start_session():
    process = subprocess.Popen(["bash", SESSION, PROGRAM], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               stdin=subprocess.DEVNULL, start_new_session=True, text=True)
    started = time.monotonic()
    line = process.stdout.readline()
    m = re.search(r"(http://\S+) in a web browser", line)
    if not m:
        process.kill()
        raise RuntimeError(f"no address: {line!r} {process.stderr.read()}")
    print(f"address printed after {time.monotonic() - started:.1f} s", flush=True)
    return process, m.group(1)


def measure(browser, url, width, height, touch, main_size):
    browser.open(url, width, height, touch)
    page = Page(browser, main_size)
    p = page.picture
    name = f"{width}x{height}{' touch' if touch else ''}"
    check(browser.js("document.documentElement.lang") == "ja" and browser.js("document.title") == "Tellumo",
          f"{name}: page language or title")
    screen = browser.js("(() => { const r = document.getElementById('screen').getBoundingClientRect();"
                        " return [r.width, r.height]; })()")
    check(abs(p["width"] - screen[0]) < 1.5 and p["height"] <= screen[1] + 1.5
          or abs(p["height"] - screen[1]) < 1.5 and p["width"] <= screen[0] + 1.5,
          f"{name}: picture {p['width']:.0f}x{p['height']:.0f} does not fill {screen}")
    check(abs(p["width"] / p["fbWidth"] - p["height"] / p["fbHeight"]) < 0.01, f"{name}: picture distorted")
    browser.screenshot(name.replace(" ", "-"))
    # A question's text is 14.25 pt (19 px); a choice 300 twips, 次へ 800 twips high.
    print(f"| {name} | {page.scale:.2f} | {19 * page.scale:.1f} | {300 / TWIPS * page.scale:.1f} |"
          f" {800 / TWIPS * page.scale:.1f} |", flush=True)
    return page


def walk(browser, page):
    """The whole questionnaire by touch, down to the saved PDF."""
    # More distinct characters than Xvnc has spare keycodes for, then 訂正:
    # the name typed after them must still arrive whole.
    page.tap(5000, 1460)                    # 氏名
    page.type("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん")
    page.tap(6100, 5900)                    # 訂正
    page.tap(5000, 1460)
    page.type("山田花子")
    page.tap(5800, 1950)                    # 女
    for field, text in (((5250, 2460), "30"), ((5150, 2960), "170"), ((5150, 3460), "65")):
        page.tap(*field)
        page.type(text)
    page.tap(5300, 3950)                    # A
    page.tap(5500, 4950)                    # ふつう
    browser.screenshot("phone-personal-data")
    page.tap(3900, 5900)                    # 次へ
    page.changed("the first question page")
    # Down one column, 300 ms apart: every tap must land on its own row.
    for q in range(10):
        page.tap(3800, 1600 + q * 400 + 150)
        time.sleep(0.3)
    browser.screenshot("phone-questions-1")
    page.tap(3900, 6200)
    page.changed("the second question page")
    for q in range(9):
        page.tap(3700 + 3900 + 300, 1600 + q * 400 + 150)
        time.sleep(0.3)
    page.tap(3900, 6200)
    page.changed("the score page")
    browser.screenshot("phone-score")
    page.tap(2000, 900, hold=0.8)           # the page's menu
    page.changed("the menu")
    x, y = page.at(2000, 900)
    browser.tap(x + 40 * page.scale, y + 12 * page.scale)  # 結果をPDFで保存…
    browser.event("Browser.downloadProgress", "completed")
    files = os.listdir(browser.downloads)
    check(files == ["Tellumo-結果-" + time.strftime("%Y%m%d") + ".pdf"], f"downloaded {files}")
    text = subprocess.run(["pdftotext", "-enc", "UTF-8", os.path.join(browser.downloads, files[0]), "-"],
                          capture_output=True, text=True).stdout.replace(" ", "").replace("\n", "")
    # 14 personal points (女, 30, A, ふつう), 28 from Q1–Q10, 34 from Q11–Q19.
    check("山田花子さんの総合点数は100点満点で76点です。" in text, f"PDF text: {text[:200]!r}")
    browser.screenshot("phone-downloaded")


def main():
    if not shutil.which("chromium") or not shutil.which("pdftotext"):
        print("SKIP: chromium or pdftotext not installed")
        sys.exit(77)
    started = time.monotonic()
    work = tempfile.mkdtemp(prefix="browser-page-test.")
    session, url = start_session()
    browser = Chromium(work)
    try:
        browser.open(url, 1280, 800)
        opened = time.monotonic()
        wait_for(lambda: browser.js(PICTURE), "the splash")
        print(f"splash shown {time.monotonic() - opened:.1f} s after opening", flush=True)
        browser.screenshot("1280x800-splash")
        main_size = wait_for(lambda: (p := browser.js(PICTURE)) and p["fbWidth"] < 761
                             and (p["fbWidth"], p["fbHeight"]), "the main window", timeout=40)
        print("| viewport | scale | question text (CSS px) | choice box | 次へ |\n|---|---|---|---|---|")
        for width, height, touch in ((1280, 800, False), (1024, 768, False), (820, 1180, True), (844, 390, True)):
            measure(browser, url, width, height, touch, main_size)
        phone = measure(browser, url, 390, 844, True, main_size)
        check(19 * phone.scale >= 10, "question text under 10 CSS px on the phone")
        browser.call("Page.reload")         # does no harm
        phone = Page(browser, main_size)
        walk(browser, phone)
        phone.tap(7300 + 600, 5800 + 400)   # 終了
        wait_for(lambda: browser.js("document.getElementById('notice-title').textContent")
                 == "Tellumo は終了しました", "the page saying the program ended")
        browser.screenshot("phone-ended")
        status = session.wait(20)
        check(status == 0, f"session ended with {status}: {session.stderr.read()[-2000:]!r}")
    except (TimeoutError, RuntimeError, ConnectionError) as e:
        check(False, f"{type(e).__name__}: {e}")
        browser.screenshot("failure")
    finally:
        browser.close()
        if session.poll() is None:
            session.send_signal(signal.SIGTERM)
            session.wait(20)
        shutil.rmtree(work, ignore_errors=True)
    print(f"{len(failures)} failure(s) in {time.monotonic() - started:.1f} s")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
