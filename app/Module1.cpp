#include "Module1.h"

#include "AssessmentRecord.h"
#include "Fonts.h"
#include "FormMain.h"
#include "FormSplash.h"
#include "Platform.h"
#include "SplashClock.h"

#include <QApplication>
#include <QEvent>

namespace tellumo::Module1 {

namespace {

// Swallows keyboard, mouse, wheel and touch input for as long as it lives.
class InputBlocker : public QObject {
public:
    InputBlocker() { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void WaitMoreThan(SplashClock& clock, double seconds)
{
    const double start = clock.now();
    for (double elapsed = 0.0; elapsed <= seconds; elapsed = clock.now() - start)
        clock.idle(seconds - elapsed);
}

std::unique_ptr<FormMain> Startup(SplashClock& clock, const SplashObserver& observer)
{
    {
        InputBlocker blocker;
        FormSplash splash;
        splash.showCentred();
        for (int state = 1; state <= FormSplash::StateCount; ++state) {
            splash.enterState(state);
            splash.repaint();
            if (observer)
                observer(splash, state);
            WaitMoreThan(clock, SplashWaits[state - 1]);
        }
        splash.finish();
        splash.close();
    }

    FillStandardWeightTable();

    auto main = std::make_unique<FormMain>();
    main->showCentred();
    return main;
}

int Main(int argc, char** argv)
{
    if (!Platform::displayAvailable())
        return 1;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tellumo"));
    QApplication::setApplicationVersion(QStringLiteral("2.00"));
    Platform::integrateWithDesktop();
    installFontSubstitutions();

    SteadySplashClock clock;
    const std::unique_ptr<FormMain> main = Startup(clock);
    return QApplication::exec();
}

} // namespace tellumo::Module1
