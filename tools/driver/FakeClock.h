// A splash clock on which time passes only when the splash idles, by a
// fixed step: the start-up sequence runs through all of its states at once,
// without sleeping, for the tests and the screenshot gallery.
#pragma once

#include "SplashClock.h"

namespace tellumo::driving {

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

} // namespace tellumo::driving
