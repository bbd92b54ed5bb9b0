#include "Program.h"

#include "AppInfo.h"
#include "Appearance.h"
#include "AssessmentRecord.h"
#include "MainWindow.h"
#include "SplashWindow.h"
#include "Platform.h"
#include "SplashClock.h"
#include "SplashSteps.h"

#include <QApplication>
#include <QEvent>

namespace tellumo::Program {

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

void waitMoreThan(SplashClock& clock, double seconds, const std::function<void()>& meanwhile)
{
    const double start = clock.now();
    if (meanwhile)
        meanwhile();
    for (double elapsed = 0.0; elapsed <= seconds; elapsed = clock.now() - start)
        clock.idle(seconds - elapsed);
}

std::unique_ptr<MainWindow> startUp(SplashClock& clock, AssessmentRecord& record,
                                    const SplashObserver& observer, InputGuard::Clock inputClock)
{
    {
        InputBlocker blocker;
        SplashWindow splash;
        splash.showCentred();
        int state = 0;
        for (const SplashStep& step : SplashSteps) {
            splash.enterState(++state);
            splash.repaint();
            if (observer)
                observer(splash, state);
            const qreal ratio = splash.devicePixelRatioF();
            std::function<void()> work;
            if (step.work)
                work = [&step, ratio] { step.work(ratio); };
            waitMoreThan(clock, step.waitSeconds, work);
        }
        splash.finish();
        splash.close();
    }

    FillStandardWeightTable(record);

    auto main = std::make_unique<MainWindow>(record, std::move(inputClock));
    main->showCentred();
    return main;
}

std::unique_ptr<QApplication> setUpApplication(int& argc, char** argv, const Platform::ApplicationMaker& make)
{
    if (!Platform::displayAvailable())
        return nullptr;
    Platform::avoidUnresponsiveSessionBus();
    std::unique_ptr<QApplication> app = Platform::makeApplication(argc, argv, make);
    QApplication::setApplicationName(QStringLiteral("Tellumo"));
    QApplication::setApplicationVersion(AppInfo::version());
    Platform::integrateWithDesktop();
    installAppearance();
    return app;
}

int run(char* programPath)
{
    // Qt is given the program's path alone: its own command-line options
    // (-reverse, -style …) never reach the windows.
    int qtArgc = 1;
    char* qtArgv[] = {programPath, nullptr};
    const std::unique_ptr<QApplication> app = setUpApplication(qtArgc, qtArgv);
    if (!app)
        return 1;

    // The one assessment of this run: alive until the program ends.
    AssessmentRecord record;
    SteadySplashClock clock;
    const std::unique_ptr<MainWindow> main = startUp(clock, record, {}, InputGuard::steadySeconds);
    return QApplication::exec();
}

} // namespace tellumo::Program
