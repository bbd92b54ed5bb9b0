#include "Platform.h"

#include "Fonts.h"
#include "SessionBus.h"

#include <QApplication>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
#define TELLUMO_FREEDESKTOP 1
#endif

namespace tellumo::Platform {

namespace {

// Exit status when no window can be opened.
constexpr int ExitNoDisplay = 1;
// The display a Wayland client connects to when WAYLAND_DISPLAY is unset.
constexpr std::string_view DefaultWaylandDisplay = "wayland-0";
// Qt's logging categories of its platform plugins and their loader.
constexpr QLatin1StringView PlatformCategoryPrefix("qt.qpa");

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about
// "\"" + std::string.
std::string quoted(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    result += text;
    result += '"';
    return result;
}

std::string describeOne(std::string_view platform, std::string_view x11Display, std::string_view waylandDisplay)
{
    if (platform == "xcb")
        return x11Display.empty() ? std::string("X11 display (DISPLAY is not set)")
                                  : "X11 display " + quoted(x11Display);
    if (platform.starts_with("wayland"))
        return "Wayland display " + quoted(waylandDisplay.empty() ? DefaultWaylandDisplay : waylandDisplay);
    return "display of platform " + quoted(platform);
}

// A message Qt logged while the application object was being made, held
// back until it is known whether the display could be opened.
struct HeldMessage {
    QtMsgType type;
    std::string file;
    int line;
    std::string function;
    std::string category;
    QString text;
};

// What makeApplication() keeps while the application object is being made.
// Qt may log from its own threads meanwhile, hence the lock; a thread that
// picked up holdMessage() just before it was replaced still finds this
// object, told to pass the message on.
struct Opening {
    std::mutex mutex;
    bool holding = false;
    std::vector<HeldMessage> held;
    std::string display;
};
Opening opening;

// Qt ends the process after a fatal message, and the platform plugin that
// cannot reach its display sends one. Its text blames the installation
// ("Reinstalling the application may fix this problem"), and the abort
// leaves a core file; say instead which display was out of reach, with the
// plugin's own reason, and end normally.
[[noreturn]] void reportNoDisplay(const QString& fatalText)
{
    QString reason = fatalText.section(QLatin1Char('\n'), 0, 0);
    {
        const std::lock_guard lock(opening.mutex);
        for (const HeldMessage& message : opening.held) {
            if (message.type != QtDebugMsg && message.type != QtInfoMsg
                && QLatin1StringView(message.category.c_str()).startsWith(PlatformCategoryPrefix)) {
                reason = message.text.section(QLatin1Char('\n'), 0, 0);
                break;
            }
        }
    }
    std::fprintf(stderr, "tellumo: cannot open the %s: %s\n", opening.display.c_str(), qPrintable(reason));
    std::fflush(stderr);
    // Nothing has been set up that needs undoing, and the half-made
    // application object must not be destroyed: leave at once.
    std::_Exit(ExitNoDisplay);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    {
        std::unique_lock lock(opening.mutex);
        if (opening.holding) {
            if (type == QtFatalMsg) {
                lock.unlock();
                reportNoDisplay(text);
            }
            opening.held.push_back({type, context.file ? context.file : "", context.line,
                                    context.function ? context.function : "",
                                    context.category ? context.category : "", text});
            return;
        }
    }
    qt_message_output(type, context, text);
}

} // namespace

const char* applicationId() { return TELLUMO_APP_ID; }

bool displayAvailable()
{
#if defined(TELLUMO_FREEDESKTOP)
    // X11 and Wayland sessions name their display in the environment; Qt
    // would otherwise abort with a message about its xcb plugin.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("tellumo: no display found; run it under a virtual one with: "
                   "xvfb-run -a tellumo\n",
                   stderr);
        return false;
    }
#endif
    return true;
}

void avoidUnresponsiveSessionBus()
{
#if defined(TELLUMO_FREEDESKTOP)
    const SessionBus::Verdict verdict
        = SessionBus::checkSessionBus(std::getenv(SessionBus::AddressVariable), std::getenv("XDG_RUNTIME_DIR"));
    if (!verdict.silent)
        return;
    std::fprintf(stderr,
                 "tellumo: the session bus (%s) does not answer; going on without it, "
                 "so screen readers cannot follow the program\n",
                 verdict.address.c_str());
    setenv(SessionBus::AddressVariable, SessionBus::DisabledAddress, 1);
#endif
}

std::string describeDisplay(std::string_view platform, std::string_view x11Display, std::string_view waylandDisplay)
{
    // QT_QPA_PLATFORM may list platforms to try in order, separated by ';',
    // each followed by ':'-separated options.
    std::string words;
    while (!platform.empty()) {
        const std::string_view entry = platform.substr(0, platform.find(';'));
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (!name.empty())
            words += (words.empty() ? "" : " or ") + describeOne(name, x11Display, waylandDisplay);
        platform.remove_prefix(std::min(platform.size(), entry.size() + 1));
    }
    if (!words.empty())
        return words;
    // No platform chosen: Qt uses the desktop session's window system.
    if (!x11Display.empty() && !waylandDisplay.empty())
        return describeOne("xcb", x11Display, {}) + " or " + describeOne("wayland", {}, waylandDisplay);
    if (!waylandDisplay.empty())
        return describeOne("wayland", {}, waylandDisplay);
    return describeOne("xcb", x11Display, {});
}

std::unique_ptr<QApplication> makeApplication(int& argc, char** argv, const ApplicationMaker& make)
{
    {
        const std::lock_guard lock(opening.mutex);
        opening.display = describeDisplay(qgetenv("QT_QPA_PLATFORM").toStdString(),
                                          qgetenv("DISPLAY").toStdString(),
                                          qgetenv("WAYLAND_DISPLAY").toStdString());
        opening.holding = true;
    }
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    std::unique_ptr<QApplication> app = make ? make(argc, argv) : std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);

    std::vector<HeldMessage> held;
    {
        const std::lock_guard lock(opening.mutex);
        opening.holding = false;
        held.swap(opening.held);
    }
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(message.file.empty() ? nullptr : message.file.c_str(), message.line,
                                         message.function.empty() ? nullptr : message.function.c_str(),
                                         message.category.empty() ? nullptr : message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
    return app;
}

void integrateWithDesktop()
{
    // Wayland compositors match windows to desktop entries by this name (X11
    // desktops use the window class, StartupWMClass in the entry); other
    // systems ignore it.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(applicationId()));
}

void warnIfJapaneseFontsMissing()
{
#if defined(TELLUMO_FREEDESKTOP)
    if (hasJapaneseFace())
        return;
    std::fprintf(stderr,
                 "tellumo: no Japanese font is installed, so the text shows as empty boxes; "
                 "install the Debian packages %s\n",
                 JapaneseFontPackages);
#endif
}

} // namespace tellumo::Platform
