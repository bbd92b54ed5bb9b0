// The start-up procedure: splash sequence, standard-weight table, main window.
//
// Data flow: run() makes the run's assessment record and hands it to
// startUp(), which steps SplashWindow through the steps of SplashSteps (each
// drawn, then its work done inside its wait) on the injected clock, closes it, fills the record's StandardWeightTable and returns the
// shown main window; the window serves the record to its pages and opens the
// first one.
#pragma once

#include "InputGuard.h"
#include "Platform.h"

#include <QObject>
#include <functional>
#include <memory>

namespace tellumo {

struct AssessmentRecord;
class MainWindow;
class SplashWindow;
class SplashClock;

namespace Program {

// Called after each state has been drawn, before its wait (for tests).
using SplashObserver = std::function<void(SplashWindow& splash, int state)>;

// Runs the whole start-up and returns the main window, shown. While the
// splash waits, user input to the program is swallowed; inputClock, if
// given, guards each page against input meant for the one before it.
std::unique_ptr<MainWindow> startUp(SplashClock& clock, AssessmentRecord& record,
                                    const SplashObserver& observer = {}, InputGuard::Clock inputClock = {});

// Waits on clock until more than `seconds` have passed since it was called.
// `meanwhile`, if given, runs once right after the start time is noted, so it
// takes nothing from the wait's length.
void waitMoreThan(SplashClock& clock, double seconds, const std::function<void()>& meanwhile = {});

// Sets the whole application up as every run does: checks the display and
// the session bus, makes the application object (Platform::makeApplication)
// by `make` when given (the benchmarks' probing one), then gives it the
// program's names, version, desktop id, font substitutions and bold style.
// Null when no display is available (that has been said on standard error).
std::unique_ptr<QApplication> setUpApplication(int& argc, char** argv,
                                               const Platform::ApplicationMaker& make = {});

// Program entry after the command line: application set-up, startUp, event loop.
int run(char* programPath);

} // namespace Program
} // namespace tellumo
