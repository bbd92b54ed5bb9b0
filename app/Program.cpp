#include "Program.h"

#include "AppInfo.h"
#include "Appearance.h"
#include "AssessmentRecord.h"
#include "Fonts.h"
#include "MainWindow.h"
#include "PagePreparation.h"
#include "SplashWindow.h"
#include "Platform.h"
#include "SplashClock.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>

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

// Looks up each face the windows use, and the application font of the menu
// bar and message boxes, once for the scripts they write in. The first
// lookup of a face costs tens of milliseconds of system font search; done
// here, it is not paid by the main window or by the first page showing the
// face. Only Qt's font caches change.
void preloadFonts()
{
    // Kana, kanji, Latin letters and digits.
    const QString sample = QStringLiteral("あア蚊Aa1");
    for (const auto& [face, substitutes] : fontSubstitutionTable())
        QFontMetrics(makeFont(face, 14.25, true)).horizontalAdvance(sample);
    QFontMetrics(QApplication::font()).horizontalAdvance(sample);
}

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
        for (int state = 1; state <= SplashWindow::StateCount; ++state) {
            splash.enterState(state);
            splash.repaint();
            if (observer)
                observer(splash, state);
            // What the main window and the pages need is done inside the
            // waits, once the first frame is on screen (on X11 it is painted
            // only when the first wait lets the window system's events in):
            // the font check and the faces while the second picture shows, the page backgrounds during the third,
            // every page painted once off screen during the fourth.
            const qreal ratio = splash.devicePixelRatioF();
            std::function<void()> meanwhile;
            if (state == 2)
                meanwhile = [] {
                    Platform::warnIfJapaneseFontsMissing();
                    preloadFonts();
                };
            else if (state == 3)
                meanwhile = [ratio] { PagePreparation::decodeBackgrounds(ratio); };
            else if (state == 4)
                meanwhile = [ratio] { PagePreparation::paintEveryPageOnce(ratio); };
            waitMoreThan(clock, SplashWaits[state - 1], meanwhile);
        }
        splash.finish();
        splash.close();
    }

    FillStandardWeightTable(record);

    auto main = std::make_unique<MainWindow>(record, std::move(inputClock));
    main->showCentred();
    return main;
}

std::unique_ptr<QApplication> openApplication(int& argc, char** argv, const Platform::ApplicationMaker& make)
{
    if (!Platform::displayAvailable())
        return nullptr;
    Platform::avoidUnresponsiveSessionBus();
    std::unique_ptr<QApplication> app = Platform::openApplication(argc, argv, make);
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
    const std::unique_ptr<QApplication> app = openApplication(qtArgc, qtArgv);
    if (!app)
        return 1;

    // The one assessment of this run: alive until the program ends.
    AssessmentRecord record;
    SteadySplashClock clock;
    const std::unique_ptr<MainWindow> main = startUp(clock, record, {}, InputGuard::steadySeconds);
    return QApplication::exec();
}

} // namespace tellumo::Program
