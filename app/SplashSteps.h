// The splash sequence as one table: for each of its five states, the picture
// shown and where, whether the credits show with it, how long it stays and
// the work the program does while it waits.
//
// Data flow: SplashWindow makes one hidden picture box per step; the
// start-up procedure (Program::startUp) enters the steps in order, draws
// each, then runs its work at the start of its wait (Program::waitMoreThan),
// so the work takes nothing from the wait's length.
#pragma once

#include "Placement.h"

#include <QtGlobal>

#include <array>

namespace tellumo {

struct SplashStep {
    const char* pictureName; // the picture box's object name, by what it shows
    const char* picturePath;
    Place at;
    bool withCredits;
    // Seconds on screen; the wait ends only when the elapsed time is
    // strictly greater.
    double waitSeconds;
    // Done in the wait, for the splash's device pixel ratio; none if null.
    void (*work)(qreal devicePixelRatio);
};

extern const std::array<SplashStep, 5> SplashSteps;

} // namespace tellumo
