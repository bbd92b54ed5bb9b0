// Events in an awkward order, in the real main window: a forward button
// pressed twice before the page change has run, input repeated as the next
// page appears (a double press, a held key, a burst of clicks), the main
// window closed
// while a message box or an information dialog is open, and every menu
// dialog opened over every page.
#include "MainWindow.h"
#include "ProgramDriver.h"
#include "TestSupport.h"

#include <QAction>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

// How a button is pressed twice before the event loop runs again.
enum class Press {
    Mouse,    // two clicks
    Keyboard, // the space bar twice on the button
    Handler,  // the click handler itself twice, past the button's own state
};

// A button's click handler: "onNext" for "nextButton".
QString handlerOf(const QString& buttonName)
{
    return QStringLiteral("on") + buttonName.front().toUpper() + buttonName.mid(1).chopped(6);
}

void press(QWidget* page, const QString& buttonName, Press how)
{
    auto* button = page->findChild<QAbstractButton*>(buttonName);
    QVERIFY2(button, qPrintable(buttonName));
    switch (how) {
    case Press::Mouse:
        QTest::mouseClick(button, Qt::LeftButton);
        break;
    case Press::Keyboard:
        QTest::keyClick(button, Qt::Key_Space);
        break;
    case Press::Handler:
        // A result page sends every button through follow(); the question
        // pages have a handler per button.
        if (page->inherits("tellumo::ResultPage"))
            QVERIFY(QMetaObject::invokeMethod(page, "follow", Qt::DirectConnection, Q_ARG(QString, buttonName)));
        else
            QVERIFY(QMetaObject::invokeMethod(page, qPrintable(handlerOf(buttonName)), Qt::DirectConnection));
        break;
    }
}

// Where the buttons of each page lead, in the order the pages come; an
// empty name: the program ends.
struct Way {
    const char* button;
    const char* next;
};
const std::pair<const char*, std::vector<Way>> PageWays[] = {
    {"PersonalDataPage", {{"nextButton", "QuestionsQ1toQ10Page"}}},
    {"QuestionsQ1toQ10Page", {{"nextButton", "QuestionsQ11toQ19Page"}}},
    {"QuestionsQ11toQ19Page", {{"nextButton", "ScorePage"}}},
    {"ScorePage", {{"detailsButton", "DetailsPage"}, {"cautionButton", "CautionPage"}, {"quitButton", ""}}},
    {"DetailsPage", {{"cautionButton", "CautionPage"}, {"quitButton", ""}}},
    {"CautionPage", {{"adviceButton", "AdvicePage"}, {"quitButton", ""}}},
    {"AdvicePage", {{"quitButton", ""}}},
};

// The menu's commands and the dialogs they open.
const std::pair<const char*, const char*> MenuDialogs[] = {
    {"copyrightAction", "CopyrightDialog"},       {"disclaimerAction", "DisclaimerDialog"},
    {"redistributionAction", "RedistributionDialog"}, {"medicalBasisAction", "MedicalBasisDialog"},
    {"versionAction", "VersionDialog"},
};

// Input that goes on after the page it was meant for has been left.
enum class Repeat {
    SpaceTwice,  // the space bar pressed twice
    ReturnTwice, // Return pressed twice
    ReturnHeld,  // Return held down: the keyboard repeats it
    ClickBurst,  // the mouse button clicked four times on one spot
};

// The first press, on the button that leaves the page.
void pressFirst(QAbstractButton* button, Repeat input)
{
    switch (input) {
    case Repeat::SpaceTwice: QTest::keyClick(button, Qt::Key_Space); break;
    case Repeat::ReturnTwice: QTest::keyClick(button, Qt::Key_Return); break;
    case Repeat::ReturnHeld: QTest::keyPress(button, Qt::Key_Return); break;
    case Repeat::ClickBurst: QTest::mouseClick(button, Qt::LeftButton); break;
    }
}

// The rest of the input, wherever it lands now: the focus for keys, the
// same spot of the main window for clicks.
void pressAgain(QWidget* window, QPoint spot, Repeat input)
{
    QWidget* focus = QApplication::focusWidget();
    switch (input) {
    case Repeat::SpaceTwice:
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key_Space);
        break;
    case Repeat::ReturnTwice:
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key_Return);
        break;
    case Repeat::ReturnHeld:
        QVERIFY(focus);
        for (int i = 0; i < 3; ++i) {
            QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
            QApplication::sendEvent(focus, &repeated);
        }
        QTest::keyRelease(focus, Qt::Key_Return);
        break;
    case Repeat::ClickBurst:
        for (int i = 0; i < 3; ++i) {
            QWidget* target = window->childAt(spot);
            QVERIFY(target);
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, spot));
        }
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Press)
Q_DECLARE_METATYPE(Repeat)

class TestEventOrder : public WidgetTest {
    Q_OBJECT

private slots:
    void forwardPressedTwice_data();
    void forwardPressedTwice();
    void inputAcrossPageChange_data();
    void inputAcrossPageChange();
    void pageChangeUnderMenuDialog_data();
    void pageChangeUnderMenuDialog();
    void closeWhileModal_data();
    void closeWhileModal();
    void menuDialogOverEveryPage_data();
    void menuDialogOverEveryPage();
};

void TestEventOrder::forwardPressedTwice_data()
{
    // next: empty when the program ends
    addColumns<QString, QString, QString, Press, QString>({"page", "first", "second", "how", "next"});

    const auto rows = [](const char* page, const char* first, const char* second, const char* next) {
        const std::pair<const char*, Press> presses[] = {
            {"mouse", Press::Mouse}, {"keyboard", Press::Keyboard}, {"handler", Press::Handler}};
        for (const auto& [way, how] : presses)
            QTest::addRow("%s %s, then %s, %s", page, first, second, way)
                << QString::fromLatin1(page) << QString::fromLatin1(first) << QString::fromLatin1(second) << how
                << QString::fromLatin1(next);
    };
    for (const auto& [page, ways] : PageWays)
        for (const Way& way : ways)
            rows(page, way.button, way.button, way.next);
    // Two different buttons: the first one wins.
    rows("ScorePage", "detailsButton", "cautionButton", "DetailsPage");
    rows("ScorePage", "quitButton", "detailsButton", "");
}

void TestEventOrder::forwardPressedTwice()
{
    QFETCH(QString, page);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(Press, how);
    QFETCH(QString, next);

    ProgramDriver program;
    QWidget* current = program.goTo(page);
    QVERIFY(current);
    program.fillIn();

    // A way that ends the program is the button "終了".
    if (next.isEmpty())
        QCOMPARE(program.control<QAbstractButton>(first)->text(), QStringLiteral("終了"));
    MessageRecorder messages;
    PageShows shows;
    press(current, first, how);
    press(current, second, how);

    if (next.isEmpty()) {
        QTRY_VERIFY(!program.main().isVisible());
        QTest::qWait(50);
        QCOMPARE(program.page(), nullptr);
        QCOMPARE(shows.shown(), QStringList());
    } else {
        QVERIFY(program.settledOn(next));
        QTest::qWait(50); // time for a second page change, if one were queued
        QCOMPARE(shows.shown(), QStringList{next});
        QCOMPARE(program.page()->objectName(), next);
        QCOMPARE(program.main().clientArea()->subWindowList().size(), 1);
        QVERIFY(program.page()->isEnabled());
    }
    QCOMPARE(messages.messages(), QStringList());
}

void TestEventOrder::inputAcrossPageChange_data()
{
    // pause: seconds from the next page's appearance to the rest
    // next: where the first press leads
    // finally: where the program is at the end, empty when it has ended
    addColumns<QString, QString, Repeat, double, QString, QString>(
        {"page", "button", "input", "pause", "next", "finally"});

    const QString personalData = QStringLiteral("PersonalDataPage"),
                  firstQuestions = QStringLiteral("QuestionsQ1toQ10Page"),
                  lastQuestions = QStringLiteral("QuestionsQ11toQ19Page"), score = QStringLiteral("ScorePage"),
                  caution = QStringLiteral("CautionPage"), forward = QStringLiteral("nextButton");
    // Too soon: the rest never reaches the page that has just appeared.
    QTest::newRow("Space twice on 次へ") << personalData << forward << Repeat::SpaceTwice << 0.0 << firstQuestions << firstQuestions;
    QTest::newRow("Space twice on 判定") << lastQuestions << forward << Repeat::SpaceTwice << 0.0 << score << score;
    QTest::newRow("Return twice on 判定") << lastQuestions << forward << Repeat::ReturnTwice << 0.2 << score << score;
    QTest::newRow("clicks in a burst on 注意すべき点")
        << score << QStringLiteral("cautionButton") << Repeat::ClickBurst << 0.1 << caution << caution;
    // A key held across the page change stays ignored until it is released.
    QTest::newRow("Return held on 判定") << lastQuestions << forward << Repeat::ReturnHeld << 2.0 << score << score;
    // Once the page has settled, a deliberate press works: "終了" ends.
    QTest::newRow("Space later on the score page")
        << lastQuestions << forward << Repeat::SpaceTwice << 0.3 << score << QString();
    QTest::newRow("Return later on the score page")
        << lastQuestions << forward << Repeat::ReturnTwice << 0.3 << score << QString();
}

void TestEventOrder::inputAcrossPageChange()
{
    QFETCH(QString, page);
    QFETCH(QString, button);
    QFETCH(Repeat, input);
    QFETCH(double, pause);
    QFETCH(QString, next);
    QFETCH(QString, finally);

    ProgramDriver program(ProgramDriver::Guard::On);
    QVERIFY(program.goTo(page));
    program.fillIn();

    auto* pressed = program.control<QAbstractButton>(button);
    // Near the button's left end, where the next page may have a button.
    const QPoint spot = pressed->mapTo(&program.main(), QPoint(pressed->width() / 8, pressed->height() / 2));
    pressed->setFocus();
    PageShows shows;
    pressFirst(pressed, input);
    QVERIFY(program.waitFor(next));
    program.advance(pause);
    pressAgain(&program.main(), spot, input);
    QTest::qWait(50); // time for a page change, if one were queued

    if (finally.isEmpty()) {
        QTRY_VERIFY(!program.main().isVisible());
        return;
    }
    QCOMPARE(shows.shown(), QStringList{next});
    QVERIFY(program.main().isVisible());
    QVERIFY(program.page());
    QCOMPARE(program.page()->objectName(), finally);
    // Nothing was chosen on the page either.
    for (QAbstractButton* choice : program.page()->findChildren<QAbstractButton*>())
        QVERIFY2(!choice->isChecked(), qPrintable(choice->objectName()));
}

void TestEventOrder::pageChangeUnderMenuDialog_data()
{
    addColumns<QString, QString, QString, QString>({"page", "forward", "next", "menu"});

    // Every way to another page, under each menu dialog in turn.
    std::size_t menu = 0;
    for (const auto& [page, ways] : PageWays)
        for (const Way& way : ways)
            if (*way.next) {
                const char* action = MenuDialogs[menu++ % std::size(MenuDialogs)].first;
                QTest::addRow("%s %s, then %s", page, way.button, action)
                    << QString::fromLatin1(page) << QString::fromLatin1(way.button) << QString::fromLatin1(way.next)
                    << QString::fromLatin1(action);
            }
}

void TestEventOrder::pageChangeUnderMenuDialog()
{
    // A forward click and a menu click in quick succession: the page change
    // runs while the dialog is open, and the dialog must not disturb it.
    QFETCH(QString, page);
    QFETCH(QString, forward);
    QFETCH(QString, next);
    QFETCH(QString, menu);

    ProgramDriver program;
    QVERIFY(program.goTo(page));
    program.fillIn();

    MessageRecorder messages;
    PageShows shows;
    QString underDialog;
    whenModal([&](QWidget*) {
        QTest::qWait(50);
        underDialog = program.page() ? program.page()->objectName() : QString();
    });
    program.click(forward);
    program.main().findChild<QAction*>(menu)->trigger();

    QCOMPARE(underDialog, next);
    QVERIFY(program.settledOn(next));
    QTest::qWait(50);
    QCOMPARE(shows.shown(), QStringList{next});
    QCOMPARE(program.main().clientArea()->subWindowList().size(), 1);
    QVERIFY(program.page()->isEnabled());
    QCOMPARE(messages.messages(), QStringList());
}

void TestEventOrder::closeWhileModal_data()
{
    // trigger: a button of the page or a menu action, empty when the page opens it
    // modal: object name of the window that comes up
    addColumns<QString, QString, QString>({"page", "trigger", "modal"});

    // The empty questionnaire pages refuse 次へ with a message.
    for (const char* page : {"PersonalDataPage", "QuestionsQ1toQ10Page", "QuestionsQ11toQ19Page"})
        QTest::addRow("message on %s", page) << QString::fromLatin1(page) << "nextButton" << "MessageBox";
    QTest::newRow("no-score message on the score page") << "ScorePage corrupted" << "" << "MessageBox";
    // Each menu dialog over another page.
    const char* const pages[] = {"PersonalDataPage", "QuestionsQ1toQ10Page", "QuestionsQ11toQ19Page", "ScorePage",
                                 "AdvicePage"};
    for (std::size_t i = 0; i < std::size(pages); ++i)
        QTest::addRow("%s over %s", MenuDialogs[i].second, pages[i])
            << QString::fromLatin1(pages[i]) << QString::fromLatin1(MenuDialogs[i].first)
            << QString::fromLatin1(MenuDialogs[i].second);
}

void TestEventOrder::closeWhileModal()
{
    QFETCH(QString, page);
    QFETCH(QString, trigger);
    QFETCH(QString, modal);

    auto program = std::make_unique<ProgramDriver>();
    const bool corrupted = page.endsWith(QLatin1String(" corrupted"));
    const QString pageName = page.section(u' ', 0, 0);
    if (corrupted) {
        fillRecordForScore(program->record(), "蚊野 花子", 44);
        program->record().AnswerCodes[13] = 250; // no page stores such a code
        program->main().replacePage(program->page(), createScorePage);
    } else {
        QVERIFY(program->goTo(pageName));
    }
    QPointer<MainWindow> main(&program->main());

    // The real boxes and dialogs, inside the application's own event loop,
    // as in the running program: closing the main window must end it.
    QStringList modalsSeen;
    auto watch = std::make_unique<ModalWatch>([&](QWidget* open) {
        modalsSeen << open->objectName();
        QTimer::singleShot(20, [main] {
            if (main)
                main->close();
        });
    });
    bool hung = false;
    QTimer::singleShot(10000, [&] {
        hung = true;
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QApplication::quit();
    });
    if (!trigger.isEmpty()) {
        QTimer::singleShot(0, [&] {
            if (trigger.endsWith(QLatin1String("Action")))
                program->main().findChild<QAction*>(trigger)->trigger();
            else
                program->click(trigger);
        });
    }

    const int status = QApplication::exec();
    watch.reset();
    QVERIFY2(!hung, "the event loop did not end after the main window was closed");
    QCOMPARE(status, 0);
    // One box or dialog came up, and nothing after it.
    QCOMPARE(modalsSeen, QStringList{modal});
    QVERIFY(main && !main->isVisible());
    QCOMPARE(visibleTopLevels(), QStringList());

    // Nothing is left to come up later, either.
    MessageRecorder later;
    QTest::qWait(100);
    QCOMPARE(later.messages(), QStringList());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    program.reset();
}

void TestEventOrder::menuDialogOverEveryPage_data()
{
    QTest::addColumn<QString>("page");
    for (const auto& [name, ways] : PageWays)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestEventOrder::menuDialogOverEveryPage()
{
    QFETCH(QString, page);

    ProgramDriver program;
    QWidget* current = program.goTo(page);
    QVERIFY(current);
    // Something entered, something chosen, the focus somewhere in the middle.
    if (page == QLatin1String("PersonalDataPage")) {
        typeText(program.control<QLineEdit>(QStringLiteral("nameField")), QStringLiteral("蚊野"));
        program.click(QStringLiteral("maleOption"));
        program.click(QStringLiteral("bloodTypeB"));
        QLineEdit* height = program.control<QLineEdit>(QStringLiteral("heightField"));
        QTest::mouseClick(height, Qt::LeftButton);
        typeText(height, QStringLiteral("17"));
    } else if (page == QLatin1String("QuestionsQ1toQ10Page") || page == QLatin1String("QuestionsQ11toQ19Page")) {
        const bool firstPage = page == QLatin1String("QuestionsQ1toQ10Page");
        program.answer(firstPage ? 1 : 11, firstPage ? 4 : 14);
        program.click(firstPage ? QStringLiteral("q6Choice2") : QStringLiteral("q18Choice2"));
    } else {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // The focus is the one the main window keeps for when it is active
    // again: without a window manager nothing activates it when a dialog
    // closes.
    const PageState before = pageState(current);
    const AssessmentRecord stored = program.record();
    QCOMPARE(QApplication::focusWidget(), program.main().focusWidget());
    QVERIFY(current->isAncestorOf(QApplication::focusWidget()));

    MessageRecorder messages;
    for (const auto& [action, dialogName] : MenuDialogs) {
        for (bool viaOk : {true, false}) {
            // Answered with OK or closed.
            QString opened;
            whenModal([&opened, viaOk](QWidget* dialog) {
                opened = dialog->objectName();
                if (viaOk)
                    QTest::mouseClick(control(dialog, QStringLiteral("okButton")), Qt::LeftButton);
            });
            program.main().findChild<QAction*>(QString::fromLatin1(action))->trigger();
            QCOMPARE(opened, QString::fromLatin1(dialogName));
            QVERIFY(!QApplication::activeModalWidget());
            QCOMPARE(program.page(), current);
            QCOMPARE(pageState(current), before);
            // Back in the main window, the keys go where they went before.
            program.main().activateWindow();
            QTRY_COMPARE(QApplication::focusWidget(), program.main().focusWidget());
        }
    }
    QCOMPARE(messages.messages(), QStringList());
    QVERIFY(program.record() == stored);
}

QTEST_MAIN(TestEventOrder)
#include "test_event_order.moc"
