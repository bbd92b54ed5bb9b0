#include "Platform.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace tellumo::Platform {

const char* applicationId() { return TELLUMO_APP_ID; }

bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
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

void integrateWithDesktop()
{
    // Wayland compositors match windows to desktop entries by this name (X11
    // desktops use the window class, StartupWMClass in the entry); other
    // systems ignore it.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(applicationId()));
}

} // namespace tellumo::Platform
