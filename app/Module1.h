// The start-up procedure: splash sequence, standard-weight table, main window.
//
// Data flow: Startup() steps FormSplash through its five states on the
// injected clock, closes it, fills Module1::Record's StandardWeightTable and
// returns the shown main window, whose load handler opens the first page.
#pragma once

#include "InputGuard.h"

#include <QObject>
#include <functional>
#include <memory>

namespace tellumo {

class FormMain;
class FormSplash;
class SplashClock;

namespace Module1 {

// Seconds each splash state stays on screen; a wait ends only when the
// elapsed time is strictly greater than its limit.
inline constexpr double SplashWaits[] = {2.0, 2.0, 2.0, 2.0, 5.0};

// Called after each state has been drawn, before its wait (for tests).
using SplashObserver = std::function<void(FormSplash& splash, int state)>;

// Runs the whole start-up and returns the main window, shown. While the
// splash waits, user input to the program is swallowed; inputClock, if
// given, guards each page against input meant for the one before it.
std::unique_ptr<FormMain> Startup(SplashClock& clock, const SplashObserver& observer = {},
                                  InputGuard::Clock inputClock = {});

// Waits on clock until more than `seconds` have passed since it was called.
// `meanwhile`, if given, runs once right after the start time is noted, so it
// takes nothing from the wait's length.
void WaitMoreThan(SplashClock& clock, double seconds, const std::function<void()>& meanwhile = {});

// Program entry after the command line: application set-up, Startup, event loop.
// The application's names, version, desktop id and font substitutions: what
// the program and the benchmarks set up right after the application object.
void SetUpApplication();

int Main(char* programPath);

} // namespace Module1
} // namespace tellumo
