// Helpers for tests that run the program's start-up (they link tellumo_shell).
#pragma once

#include "MainWindow.h"
#include "Program.h"
#include "SplashClock.h"

#include <memory>

namespace tellumo::testing {

// Time passes only when the splash sequence idles, by a fixed step.
class FakeClock : public SplashClock {
public:
    explicit FakeClock(double step = 0.25) : step_(step) {}
    double now() override { return time_; }
    void idle(double) override { time_ += step_, ++idles_; }
    int idles() const { return idles_; }

private:
    double step_;
    double time_ = 1000.0;
    int idles_ = 0;
};

// The program started through its whole splash on a fake clock: the main
// window, shown.
inline std::unique_ptr<MainWindow> startedProgram(AssessmentRecord& record)
{
    FakeClock clock(1.0);
    return Program::startUp(clock, record);
}

} // namespace tellumo::testing
