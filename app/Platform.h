// The few things that differ between operating systems and desktops, kept
// out of the rest of the program.
//
// Data flow: Module1::Main asks displayAvailable() before it creates the
// application object and calls integrateWithDesktop() right after.
#pragma once

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

// Ties the running program to its installed desktop entry, so that task bars
// and docks show the entry's name and icon for its windows.
void integrateWithDesktop();

} // namespace tellumo::Platform
