// The few things that differ between operating systems and desktops, kept
// out of the rest of the program.
//
// Data flow: Program::setUpApplication asks displayAvailable() and
// avoidUnresponsiveSessionBus() before it has makeApplication() make the
// application object, then calls integrateWithDesktop(); the splash's second
// step (SplashSteps.h) calls warnIfJapaneseFontsMissing() once its first
// frame is on screen.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QApplication;

namespace tellumo::Platform {

// The id under which the program is known to the desktop: the name of its
// installed desktop entry (without ".desktop") and of its AppStream
// component. Set by the build from TELLUMO_APP_ID.
const char* applicationId();

// False when no window can be opened because no display server is reachable
// (a Unix desktop session without DISPLAY or WAYLAND_DISPLAY and no platform
// chosen through QT_QPA_PLATFORM); then it has already told the user on
// standard error how to run the program under a virtual display. Always true
// on Windows and macOS.
bool displayAvailable();

// Checks that the desktop session's message bus answers in a short, fixed
// time (SessionBus.h). When it does not, says so in one line on standard
// error and turns the bus off for this process, so that nothing in it
// (accessibility above all) waits for it. Does nothing on Windows and
// macOS.
void avoidUnresponsiveSessionBus();

// Makes the application object alone, which connects to the display,
// holding Qt's messages meanwhile (Program::setUpApplication does the rest of
// the set-up). When the window system cannot be reached (Qt would abort), it
// says which display could not be opened, and Qt's reason, in one line on
// standard error and ends the process with status 1. Qt's other messages during the creation
// are passed on once it succeeded. `make`, if given, makes the object in
// place of a plain QApplication (the benchmarks' probing one).
using ApplicationMaker = std::function<std::unique_ptr<QApplication>(int& argc, char** argv)>;
std::unique_ptr<QApplication> makeApplication(int& argc, char** argv, const ApplicationMaker& make = {});

// The display a Qt program would open, in words, from the values of
// QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY (empty when unset):
// `X11 display ":1"`, `Wayland display "wayland-0"`, `display of platform "vnc"`.
std::string describeDisplay(std::string_view platform, std::string_view x11Display,
                            std::string_view waylandDisplay);

// Ties the running program to its installed desktop entry, so that task bars
// and docks show the entry's name and icon for its windows.
void integrateWithDesktop();

// Says once on standard error, naming the packages that provide them, when
// none of the Japanese faces the windows are drawn with is installed; the
// program then goes on, though its text shows as boxes.
void warnIfJapaneseFontsMissing();

} // namespace tellumo::Platform
