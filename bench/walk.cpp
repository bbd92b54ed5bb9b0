// A whole run driven in-process: the splash with each wait cut to a short
// turn of the event loop (every state is still shown and painted), the three
// questionnaire pages filled in, then every forward and navigation button up
// to the advice page, and "終了". For each page change it reports the time
// from the click to the next page's first painted frame (wall and CPU), and
// at the end the peak resident memory of the whole run.
#include "Probe.h"

#include "Fonts.h"
#include "PageDriver.h"
#include "AssessmentRecord.h"
#include "MainWindow.h"
#include "SplashWindow.h"
#include "Program.h"
#include "SplashClock.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace tellumo;
using namespace tellumo::bench;

namespace {

// Each splash wait passes in one short turn of the event loop, long enough
// for every state to be shown and painted as in a real run.
class QuickClock : public SplashClock {
public:
    double now() override
    {
        lastReading_ = usageNow().wall;
        return time_;
    }
    // Wall time of the last reading: the end of the last wait.
    double lastReading() const { return lastReading_; }
    void idle(double seconds) override
    {
        QEventLoop loop;
        QTimer::singleShot(TurnMs, &loop, &QEventLoop::quit);
        loop.exec();
        time_ += seconds + 0.001;
    }

private:
    static constexpr int TurnMs = 40;
    double time_ = 0;
    double lastReading_ = 0;
};

constexpr int WalkLimitMs = 60000;

[[noreturn]] void fail(const char* what, const char* name)
{
    std::fprintf(stderr, "tellumo_walk: %s %s\n", what, name);
    std::_Exit(2);
}

class Walk {
public:
    explicit Walk(ProbeApplication& app) : app_(app) {}

    void start()
    {
        QuickClock clock;
        bool shown = false;
        double shownAt = 0;
        app_.watchFirstFrame(named(QStringLiteral("PersonalDataPage")), [&] {
            shown = true;
            shownAt = usageNow().wall;
        });
        main_ = Program::startUp(clock, record_, [](SplashWindow&, int state) {
            stage(qPrintable(QStringLiteral("splash%1").arg(state)));
        });
        spinUntil(shown, "PersonalDataPage");
        // From the end of the splash's last wait to the first page on screen.
        report("personal_data_after_splash", shownAt - clock.lastReading());
        settle();
        stage("PersonalDataPage");
    }

    // The pages' input, as the tests give it.
    driving::PageDriver& pages() { return pages_; }

    // Clicks `button` on the page shown and waits for `next` to be painted.
    void change(const char* button, const char* next, const char* key)
    {
        bool shown = false;
        app_.watchFirstFrame(named(QString::fromLatin1(next)), [&shown] { shown = true; });
        instructionMark("before");
        const Usage before = usageNow();
        pages_.click(QString::fromLatin1(button));
        spinUntil(shown, next);
        const Usage after = usageNow();
        instructionMark(key);
        report(key, after.wall - before.wall);
        report(qPrintable(QLatin1String(key) + QLatin1String("_cpu")), after.cpu - before.cpu);
        settle();
        stage(next);
    }

    void end()
    {
        pages_.click(QStringLiteral("quitButton"));
        QElapsedTimer timer;
        timer.start();
        while (main_->isVisible() && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (main_->isVisible())
            fail("the main window did not close after", "AdvicePage");
    }

private:
    // Resident memory once a page has settled, for finding where it goes.
    static void stage(const char* page)
    {
        report(qPrintable(QStringLiteral("rss_%1_kib").arg(QLatin1String(page))), static_cast<double>(residentKiB()));
        report(qPrintable(QStringLiteral("hwm_%1_kib").arg(QLatin1String(page))), static_cast<double>(peakResidentKiB()));
        keepMemoryMap(page);
    }

    QWidget* page() const
    {
        QWidget* page = main_->currentPage();
        if (!page)
            fail("no page shown", "");
        return page;
    }

    void spinUntil(const bool& flag, const char* what)
    {
        QElapsedTimer timer;
        timer.start();
        while (!flag && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 50);
        if (!flag)
            fail("never painted:", what);
    }

    // A user takes a while before the next click: let the window settle.
    static void settle()
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < SettleMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents,
                                            static_cast<int>(SettleMs - timer.elapsed()));
    }
    static constexpr qint64 SettleMs = 150;

    ProbeApplication& app_;
    driving::PageDriver pages_{[this] { return main_ ? main_->currentPage() : nullptr; }};
    AssessmentRecord record_;
    std::unique_ptr<MainWindow> main_;
};

} // namespace

int main(int argc, char** argv)
{
    markLaunch();
    const std::unique_ptr<QApplication> application = Program::setUpApplication(
        argc, argv, [](int& c, char** v) { return std::make_unique<ProbeApplication>(c, v); });
    if (!application)
        return 1;
    auto& app = static_cast<ProbeApplication&>(*application);

    // A page that refused its input would open a message box and wait for
    // an answer that never comes.
    QTimer::singleShot(WalkLimitMs, [] { fail("gave up after", "60 s"); });

    Walk walk(app);
    walk.start();
    const driving::PersonalEntries entries = driving::PersonalEntries::walker(QStringLiteral("Ka Taro"));
    walk.pages().fillPersonalData(entries);
    walk.change("nextButton", "QuestionsQ1toQ10Page", "change_1_2");
    walk.pages().answer(1, 10, 2);
    walk.change("nextButton", "QuestionsQ11toQ19Page", "change_2_3");
    walk.pages().answer(11, 19, 2);
    walk.change("nextButton", "ScorePage", "change_3_4");
    walk.change("detailsButton", "DetailsPage", "change_4_5");
    walk.change("cautionButton", "CautionPage", "change_5_6");
    walk.change("adviceButton", "AdvicePage", "change_6_7");
    walk.end();
    report("walk_peak_kib", static_cast<double>(peakResidentKiB()));
    report("walk_font_files_kib", static_cast<double>(mappedFontFilesKiB()));
    keepMemoryMap("end");
    std::_Exit(0);
}
