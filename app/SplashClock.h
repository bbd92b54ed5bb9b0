// The clock the splash sequence waits on. The program uses a monotonic clock
// that sleeps in the event loop; tests inject a fake one so the whole
// sequence runs in milliseconds.
#pragma once

#include <QElapsedTimer>

namespace tellumo {

class SplashClock {
public:
    virtual ~SplashClock() = default;
    // Seconds since an arbitrary fixed point; never goes backwards.
    virtual double now() = 0;
    // Lets up to `seconds` pass while keeping the windows painted.
    virtual void idle(double seconds) = 0;
};

// Monotonic time; idles in the event loop, so the process sleeps instead of
// spinning while window-system events (exposure, repaint) are still handled.
class SteadySplashClock : public SplashClock {
public:
    SteadySplashClock();
    double now() override;
    void idle(double seconds) override;

private:
    QElapsedTimer timer_;
};

} // namespace tellumo
