// The floor: the smallest Qt Widgets program there is. It shows one empty
// window of the splash window's size and quits at its first painted frame,
// reporting the same figures as the Tellumo start-up benchmark.
#include "Probe.h"

#include <QWidget>

#include <cstdlib>

using namespace tellumo::bench;

int main(int argc, char** argv)
{
    markLaunch();
    ProbeApplication app(argc, argv);
    QWidget window;
    window.resize(761, 490);  // SplashWindow's client area, 11415 × 7350 twips
    app.watchFirstFrame([&window](const QObject* object) { return object == &window; }, reportFirstFrameAndExit);
    window.show();
    return QApplication::exec();
}
