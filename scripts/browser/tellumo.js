// Tellumo's page in a browser session: the program's picture through noVNC's
// RFB client, scaled to fill the window; an entry of the page's own whose
// text goes to the program as one paste; taps turned into single clicks; and
// every result the program keeps offered as a download.
//
// The address carries the VNC password and the download key in its fragment
// (#password=…&key=…), which the browser never sends to a server.
import RFB from "./novnc/core/rfb.js";

const params = new URLSearchParams(location.hash.slice(1));
const password = params.get("password") || "";
const downloadKey = params.get("key") || "";
const touch = matchMedia("(pointer: coarse)").matches || navigator.maxTouchPoints > 0;

const screen = document.getElementById("screen");
const panel = document.getElementById("panel");
const entry = document.getElementById("entry");
const text = document.getElementById("text");
const downloads = document.getElementById("downloads");

// Side panel or bottom bar, whichever leaves the picture larger.
const SideWidth = 220;
let pictureSize = { width: 4, height: 3 };
let rfb = null;
let ended = false;

document.body.classList.toggle("touch", touch);
document.getElementById("hint").textContent = touch
    ? "Tellumo の欄をタップしてから、ここに入力して「送る」"
    : "Tellumo の欄をクリックしてから、ここに入力して「送る」";

function sleep(ms) {
    return new Promise((resolve) => setTimeout(resolve, ms));
}

function arrange() {
    const width = window.innerWidth, height = window.innerHeight;
    // The bar's height is measured while it is a bar.
    document.body.classList.remove("side");
    screen.style.flex = "";
    const bottom = Math.min(width / pictureSize.width, (height - panel.offsetHeight) / pictureSize.height);
    const side = Math.min((width - SideWidth) / pictureSize.width, height / pictureSize.height);
    if (side > bottom)
        document.body.classList.add("side");
    else // the picture at the top, the entry right under it
        screen.style.flex = `0 0 ${Math.ceil(bottom * pictureSize.height)}px`;
}

function finish(title, message) {
    if (ended)
        return;
    ended = true;
    document.getElementById("notice-title").textContent = title;
    document.getElementById("notice-text").textContent = message;
    document.getElementById("notice").hidden = false;
    document.body.classList.add("ended");
    document.title = "Tellumo — " + title;
}

const EndedMessage = "接続が切れただけのときは、このページを再読み込みすると続きから使えます。"
    + "再読み込みしても表示されないときは、Tellumo を起動し直して、表示されたアドレスを開いてください。";
const BusyMessage = "ほかの画面が Tellumo を使っています。その画面を閉じてから、このページを再読み込みしてください。";

async function busy() {
    try {
        const answer = await fetch("status", { cache: "no-store" });
        return (await answer.json()).busy;
    } catch {
        return false;
    }
}

// ----- Typing: the entry's text goes over the clipboard and one Ctrl+V -----
// The VNC server only announces the browser's clipboard to the program and
// asks for its text when the program pastes. A second text announced before
// that answer would be pasted in place of the first, so each paste waits
// until the previous one has been answered (or a moment has passed).

const Control = 0xffe3, LetterV = 0x76;
const AnswerWaitMs = 1500;
let answered = null;
let pasting = Promise.resolve();

const provide = RFB.messages.extendedClipboardProvide;
RFB.messages.extendedClipboardProvide = function (...args) {
    const result = provide.apply(this, args);
    if (answered)
        answered();
    return result;
};

function paste(value) {
    return new Promise((resolve) => {
        const done = () => {
            clearTimeout(timer);
            answered = null;
            resolve();
        };
        const timer = setTimeout(done, AnswerWaitMs);
        answered = done;
        rfb.clipboardPasteFrom(value);
        rfb.sendKey(Control, "ControlLeft", true);
        rfb.sendKey(LetterV, "KeyV");
        rfb.sendKey(Control, "ControlLeft", false);
    });
}

function send() {
    const value = text.value;
    if (!rfb || !value)
        return;
    text.value = "";
    pasting = pasting.then(() => paste(value));
}

entry.addEventListener("submit", (event) => {
    event.preventDefault();
    send();
});
text.addEventListener("keydown", (event) => {
    // Enter that ends a composition belongs to the input method.
    if (event.key === "Enter" && (event.isComposing || event.keyCode === 229))
        event.preventDefault();
});

// ----- Touch: one tap, one click where the finger was -----
// The listeners sit on the picture's container in the capture phase and stop
// every touch there, so noVNC's gesture handling (which would move a quick
// second tap onto the first) never sees one. Pinching and panning stay the
// browser's own; a tap becomes a left click, holding still for a while a
// right click (the result pages' commands are in their context menu).

const TapSlop = 10, HoldMs = 600;
let tap = null;

function pointer(type, x, y, button) {
    const canvas = screen.querySelector("canvas");
    if (!canvas)
        return;
    // Between its press and release noVNC covers the page with an element
    // of its own that takes the release, as a real mouse's would be taken.
    const target = type === "mouseup" ? document.elementFromPoint(x, y) || canvas : canvas;
    target.dispatchEvent(new MouseEvent(type, {
        clientX: x, clientY: y, button, buttons: type === "mousedown" ? 1 << button : 0,
        bubbles: true, cancelable: true, view: window,
    }));
}

function click(x, y, button) {
    pointer("mousemove", x, y, 0);
    pointer("mousedown", x, y, button);
    pointer("mouseup", x, y, button);
}

function cancelTap() {
    if (tap)
        clearTimeout(tap.timer);
    tap = null;
}

screen.addEventListener("touchstart", (event) => {
    event.stopPropagation();
    cancelTap();
    if (event.touches.length !== 1)
        return;
    const t = event.touches[0];
    tap = { id: t.identifier, x: t.clientX, y: t.clientY, held: false };
    tap.timer = setTimeout(() => {
        if (tap) {
            tap.held = true;
            click(tap.x, tap.y, 2);
        }
    }, HoldMs);
}, { capture: true, passive: true });

screen.addEventListener("touchmove", (event) => {
    event.stopPropagation();
    if (!tap)
        return;
    const t = [...event.touches].find((one) => one.identifier === tap.id);
    if (!t || event.touches.length > 1 || Math.hypot(t.clientX - tap.x, t.clientY - tap.y) > TapSlop)
        cancelTap();
}, { capture: true, passive: true });

screen.addEventListener("touchend", (event) => {
    event.stopPropagation();
    if (!tap || ![...event.changedTouches].some((one) => one.identifier === tap.id))
        return;
    // No emulated mouse events and no double-tap zoom after our own click.
    event.preventDefault();
    if (!tap.held)
        click(tap.x, tap.y, 0);
    cancelTap();
}, { capture: true });

screen.addEventListener("touchcancel", (event) => {
    event.stopPropagation();
    cancelTap();
}, { capture: true });

screen.addEventListener("contextmenu", (event) => event.preventDefault());

// ----- Downloads: every finished file in the session's download folder -----

const seen = new Map();

function offer(name, automatic) {
    const link = document.createElement("a");
    link.href = `download/${encodeURIComponent(downloadKey)}/${encodeURIComponent(name)}`;
    link.download = name;
    link.textContent = name;
    const item = document.createElement("li");
    item.append("ダウンロード: ", link);
    for (const old of downloads.querySelectorAll("li"))
        if (old.dataset.name === name)
            old.remove();
    item.dataset.name = name;
    downloads.append(item);
    if (automatic)
        link.click();
    arrange();
}

async function watchDownloads() {
    let first = true;
    while (!ended && downloadKey) {
        try {
            const answer = await fetch(`download/${encodeURIComponent(downloadKey)}/`, { cache: "no-store" });
            if (answer.ok) {
                for (const file of await answer.json()) {
                    const stamp = `${file.time}/${file.size}`;
                    if (seen.get(file.name) === stamp)
                        continue;
                    seen.set(file.name, stamp);
                    // Files from before a reload are offered, not downloaded again.
                    offer(file.name, !first);
                }
                first = false;
            }
        } catch {
            // The server is gone when the session ends; the connection says so.
        }
        await sleep(700);
    }
}

// ----- The connection -----

async function connect() {
    if (!password) {
        finish("アドレスが違います", "Tellumo を起動したときに表示されたアドレスを、そのまま開いてください。");
        return;
    }
    // A reload closes the previous connection only a moment after it asks for the page.
    for (let i = 0; await busy(); i++) {
        if (i === 15) {
            finish("使用中です", BusyMessage);
            return;
        }
        await sleep(200);
    }
    const scheme = location.protocol === "https:" ? "wss:" : "ws:";
    rfb = new RFB(screen, `${scheme}//${location.host}/websockify`, { credentials: { password }, shared: true });
    rfb.scaleViewport = true;
    rfb.resizeSession = false;
    rfb.showDotCursor = false;
    rfb.background = "transparent";
    rfb.focusOnClick = !touch;
    let connected = false;
    rfb.addEventListener("connect", () => {
        connected = true;
        document.body.classList.add("connected");
        // The display is fitted to the main window after the splash.
        const canvas = screen.querySelector("canvas");
        new ResizeObserver(() => {
            pictureSize = { width: canvas.width || 4, height: canvas.height || 3 };
            arrange();
            // Xvnc draws the pointer into the picture until this client moves
            // it; on a touch screen it goes out of the way, to the corner.
            if (touch) {
                const r = canvas.getBoundingClientRect();
                pointer("mousemove", r.right - 1, r.bottom - 1, 0);
            }
        }).observe(canvas);
        if (!touch)
            rfb.focus();
        watchDownloads();
    });
    rfb.addEventListener("securityfailure", () => {
        finish("接続できませんでした", "アドレスのパスワードが違います。Tellumo を起動したときに表示されたアドレスを、そのまま開いてください。");
    });
    rfb.addEventListener("credentialsrequired", () => {
        finish("接続できませんでした", "Tellumo を起動したときに表示されたアドレスを、そのまま開いてください。");
    });
    rfb.addEventListener("disconnect", async () => {
        if (!connected && await busy())
            finish("使用中です", BusyMessage);
        else
            finish("Tellumo は終了しました", EndedMessage);
    });
}

window.addEventListener("resize", arrange);
arrange();
connect();
