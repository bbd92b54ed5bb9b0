// The windows of the program in the states a user meets them, for the
// checks that look at every window: each scene opens its window (and
// whatever keeps it alive) and hands it to the check.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

namespace tellumo::testing {

struct Scene {
    QString name;
    // Opens the window in its state, shown, and calls check with it while
    // it is on screen.
    std::function<void(const std::function<void(QWidget*)>& check)> open;
};

// Splash states 1..5, main window, every page in its usual states, the five
// dialogs.
const std::vector<Scene>& allScenes();

} // namespace tellumo::testing
