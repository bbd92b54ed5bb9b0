#include "SplashClock.h"

#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace tellumo {

SteadySplashClock::SteadySplashClock()
{
    timer_.start();
}

double SteadySplashClock::now()
{
    return static_cast<double>(timer_.nsecsElapsed()) / 1e9;
}

void SteadySplashClock::idle(double seconds)
{
    // Round up so a wait never wakes just before its limit and spins.
    const int ms = std::max(1, static_cast<int>(std::ceil(seconds * 1000.0)));
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace tellumo
