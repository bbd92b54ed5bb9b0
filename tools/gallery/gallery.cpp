// The screenshot gallery: runs the program in-process from the splash to the
// last page, stopping at every window and state worth seeing, and saves each
// one as <out>/<nn>-<name>.png.
//
// Data flow: the splash runs on a clock that never sleeps and is shot from
// the start-up observer; the pages are filled through the page driver's clicks
// and typed keys; modal windows (message box, information dialogs) are shot
// from a timer while their exec() loop runs, then closed with their button.
// A shot is either the window itself (QWidget::grab, the default) or, with
// --screen-command, whatever that shell command captures (a whole X screen);
// either way a picture whose window area is one flat colour counts as failed.
//
//   tellumo_gallery --out DIR [--screen-command CMD] [--settle MS]
//
// CMD runs through sh with the PNG path as $1 and the window's native id as
// $2; it must write the PNG.
#include "AssessmentRecord.h"
#include "Appearance.h"
#include "Fonts.h"
#include "MainWindow.h"
#include "SplashWindow.h"
#include "Judgement.h"
#include "Program.h"
#include "PageFactories.h"
#include "FakeClock.h"
#include "PageDriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace tellumo;

namespace {

// True when every pixel of `area` (device pixels) has one colour.
bool isFlat(const QImage& image, QRect area)
{
    area &= image.rect();
    if (area.isEmpty())
        return true;
    const QRgb first = image.pixel(area.topLeft());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}

class Gallery {
public:
    Gallery(QString outDir, QString screenCommand, int settleMs)
        : outDir_(std::move(outDir)), screenCommand_(std::move(screenCommand)), settleMs_(settleMs)
    {
    }

    // Walks the whole program; returns the number of failures.
    int run();
    int shots() const { return shots_; }

private:
    void settle(QWidget* window);
    void shoot(const QString& name, QWidget* window);
    void fail(const QString& what);

    // Opens a modal window with `open` (which returns once it has closed),
    // shoots it as `name` and closes it with its button `closeButton`.
    void shootModal(const QString& name, const char* closeButton, const std::function<void()>& open);

    bool waitForPage(const char* name);
    void click(const char* control);
    // Replaces the page shown with a fresh score page built from the record.
    bool reopenScorePage();

    void splash();
    void personalData();
    void dialogs();
    void questions();
    void results();

    QString outDir_;
    QString screenCommand_;
    int settleMs_;
    int shots_ = 0;
    QStringList failures_;
    AssessmentRecord record_;
    std::unique_ptr<MainWindow> main_;
    driving::PageDriver pages_{[this] { return main_ ? main_->currentPage() : nullptr; }};
    QWidget* page_ = nullptr;
};

void Gallery::fail(const QString& what)
{
    failures_ << what;
    std::fprintf(stderr, "gallery: %s\n", qPrintable(what));
}

void Gallery::settle(QWidget* window)
{
    // A window on a real screen needs the window manager to map and frame it
    // and the X server to expose it before its picture is there to capture.
    QDeadlineTimer deadline(3000);
    while (window->windowHandle() && !window->windowHandle()->isExposed() && !deadline.hasExpired())
        QTest::qWait(10);
    QTest::qWait(settleMs_);
}

void Gallery::shoot(const QString& name, QWidget* window)
{
    const QString path = QDir(outDir_).filePath(QStringLiteral("%1-%2.png").arg(shots_ + 1, 2, 10, QLatin1Char('0')).arg(name));
    QImage image;
    QRect area; // the window's content in the picture, device pixels
    if (screenCommand_.isEmpty()) {
        window->repaint();
        image = window->grab().toImage();
        area = image.rect();
        if (!image.save(path)) {
            fail(QStringLiteral("%1: cannot write %2").arg(name, path));
            return;
        }
    } else {
        settle(window);
        const int status = QProcess::execute(QStringLiteral("sh"),
            {QStringLiteral("-c"), screenCommand_, QStringLiteral("gallery"), path,
             QString::number(window->winId())});
        if (status != 0 || !image.load(path)) {
            fail(QStringLiteral("%1: the capture command failed (exit status %2)").arg(name).arg(status));
            return;
        }
        const qreal ratio = window->devicePixelRatioF();
        const QRect client = window->geometry();
        area = QRect((client.topLeft() * ratio), client.size() * ratio);
    }
    ++shots_;
    if (isFlat(image, area))
        fail(QStringLiteral("%1: the window is one flat colour in %2").arg(name, path));
    else
        std::printf("%s\n", qPrintable(path));
}

void Gallery::shootModal(const QString& name, const char* closeButton, const std::function<void()>& open)
{
    bool shot = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll.stop();
        shoot(name, modal);
        shot = true;
        auto* button = modal->findChild<QAbstractButton*>(QString::fromLatin1(closeButton));
        if (!button)
            button = modal->findChild<QAbstractButton*>();
        if (button)
            button->click();
        else
            modal->close();
    });
    poll.start();
    open();
    if (!shot)
        fail(QStringLiteral("%1: no modal window appeared").arg(name));
}

bool Gallery::waitForPage(const char* name)
{
    page_ = pages_.waitFor(QString::fromLatin1(name));
    if (!page_)
        fail(QStringLiteral("page %1 did not appear").arg(QLatin1String(name)));
    return page_ != nullptr;
}

void Gallery::click(const char* control)
{
    pages_.click(QString::fromLatin1(control));
}

void Gallery::splash()
{
    driving::FakeClock clock(0.5);
    main_ = Program::startUp(clock, record_, [this](SplashWindow& splash, int state) {
        shoot(QStringLiteral("splash-state%1").arg(state), &splash);
    });
}

void Gallery::personalData()
{
    if (!waitForPage("PersonalDataPage"))
        return;
    shoot(QStringLiteral("main-personal-data-empty"), main_.get());
    shootModal(QStringLiteral("personal-data-message"), "", [this] { click("nextButton"); });

    const driving::PersonalEntries entries = driving::PersonalEntries::walker(QStringLiteral("蚊野　太郎"));
    pages_.fillPersonalData(entries);
    shoot(QStringLiteral("main-personal-data-filled"), main_.get());
}

void Gallery::dialogs()
{
    // The menu entries in menu-bar order, and the dialog each one opens.
    const std::pair<const char*, const char*> entries[] = {
        {"copyrightAction", "copyright"}, {"disclaimerAction", "disclaimer"}, {"redistributionAction", "redistribution"},
        {"medicalBasisAction", "medical-basis"}, {"versionAction", "version"},
    };
    for (const auto& [entry, dialog] : entries) {
        auto* action = main_->findChild<QAction*>(QString::fromLatin1(entry));
        if (!action) {
            fail(QStringLiteral("no menu entry %1").arg(QLatin1String(entry)));
            continue;
        }
        shootModal(QStringLiteral("dialog-%1").arg(QLatin1String(dialog)), "okButton",
                   [action] { action->trigger(); });
    }
}

void Gallery::questions()
{
    click("nextButton");
    if (!waitForPage("QuestionsQ1toQ10Page"))
        return;
    shoot(QStringLiteral("main-questions-q1-q10"), main_.get());
    pages_.answer(1, 10, 2);
    click("nextButton");

    if (!waitForPage("QuestionsQ11toQ19Page"))
        return;
    shoot(QStringLiteral("main-questions-q11-q19-empty"), main_.get());
    pages_.answer(11, 19, 2);
    shoot(QStringLiteral("main-questions-q11-q19-answered"), main_.get());
    click("nextButton");
}

bool Gallery::reopenScorePage()
{
    QWidget* current = main_->currentPage();
    main_->replacePage(current, [](PageHost& host) { return createScorePage(host); });
    QDeadlineTimer deadline(5000);
    while (main_->currentPage() == current && !deadline.hasExpired())
        QTest::qWait(10);
    return waitForPage("ScorePage");
}

void Gallery::results()
{
    if (!waitForPage("ScorePage"))
        return;

    // Each class in turn: personal-data points and an answer total whose sum
    // falls inside the class; then the walk's own answers again.
    struct ClassCase {
        int susceptibilityClass;
        std::int16_t sex, age, blood, bodyFat, skin;
        std::uint8_t answers;
    };
    constexpr ClassCase cases[] = {
        {1, 0, 3, 4, 0, 3, 6},     // 16
        {2, 0, 3, 4, 0, 5, 18},    // 30
        {3, 2, 5, 8, 5, 5, 31},    // 56
        {4, 2, 5, 8, 5, 10, 50},   // 80
    };
    const AssessmentRecord walked = record_;
    for (const ClassCase& c : cases) {
        record_.PersonalData[SexPointsEntry] = c.sex;
        record_.PersonalData[AgePointsEntry] = c.age;
        record_.PersonalData[BloodTypePointsEntry] = c.blood;
        record_.PersonalData[BodyFatPointsEntry] = c.bodyFat;
        record_.PersonalData[SkinTonePointsEntry] = c.skin;
        std::uint8_t left = c.answers;
        for (int q = 1; q <= 19; ++q) {
            const std::uint8_t code = std::min<std::uint8_t>(left, 2);
            record_.AnswerCodes[q] = code;
            left = static_cast<std::uint8_t>(left - code);
        }
        record_.AnswerCodes[13] = static_cast<std::uint8_t>(record_.AnswerCodes[13] + left);
        if (!reopenScorePage())
            return;
        const int shown = ClassifySusceptibility(record_.SusceptibilityScore);
        if (shown != c.susceptibilityClass)
            fail(QStringLiteral("the score page shows class %1 instead of %2").arg(shown).arg(c.susceptibilityClass));
        shoot(QStringLiteral("main-score-class%1").arg(c.susceptibilityClass), main_.get());
    }
    record_ = walked;
    if (!reopenScorePage())
        return;

    click("detailsButton");
    if (!waitForPage("DetailsPage"))
        return;
    shoot(QStringLiteral("main-details"), main_.get());
    click("cautionButton");
    if (!waitForPage("CautionPage"))
        return;
    shoot(QStringLiteral("main-caution"), main_.get());
    click("adviceButton");
    if (!waitForPage("AdvicePage"))
        return;
    shoot(QStringLiteral("main-advice"), main_.get());
    click("quitButton");
    QDeadlineTimer deadline(5000);
    while (main_->isVisible() && !deadline.hasExpired())
        QTest::qWait(10);
    if (main_->isVisible())
        fail(QStringLiteral("\"終了\" did not close the main window"));
}

int Gallery::run()
{
    if (!QDir().mkpath(outDir_)) {
        fail(QStringLiteral("cannot create %1").arg(outDir_));
        return 1;
    }
    splash();
    personalData();
    dialogs();
    questions();
    results();
    main_.reset();
    return int(failures_.size());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tellumo"));
    installAppearance();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Saves a picture of every window and state of Tellumo."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Folder for the pictures."),
                                 QStringLiteral("dir"));
    const QCommandLineOption screen(QStringLiteral("screen-command"),
                                    QStringLiteral("Shell command that captures the screen into $1 "
                                                   "($2: the window's native id)."),
                                    QStringLiteral("command"));
    const QCommandLineOption settle(QStringLiteral("settle"),
                                    QStringLiteral("Milliseconds to wait before a screen capture."),
                                    QStringLiteral("ms"), QStringLiteral("300"));
    parser.addOptions({out, screen, settle});
    parser.process(app);
    if (!parser.isSet(out)) {
        std::fputs("tellumo_gallery: --out DIR is required\n", stderr);
        return 2;
    }

    Gallery gallery(parser.value(out), parser.value(screen), parser.value(settle).toInt());
    const int failures = gallery.run();
    std::printf("gallery: %d pictures, %d failures\n", gallery.shots(), failures);
    return failures == 0 ? 0 : 1;
}
