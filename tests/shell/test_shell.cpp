// Start-up, main window, menu dialogs and the message box, driven offscreen.
#include "AssessmentRecord.h"
#include "MainWindow.h"
#include "InfoDialog.h"
#include "SplashWindow.h"
#include "Messages.h"
#include "Program.h"
#include "ScreenPlacement.h"
#include "ShellSupport.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

class TestShell : public WidgetTest {
    Q_OBJECT

private slots:
    void init() { record_ = AssessmentRecord{}; } // the start-up fills the table

    void splashStatesInOrder();
    void workDuringAWaitCountsTowardsIt();
    void mainWindowAfterSplashWithTableFilled();
    void menuDialogs_data();
    void menuDialogs();
    void messageBox();
    void centredPosition_data();
    void centredPosition();
    void windowsOpenOnScreen();
};

void TestShell::splashStatesInOrder()
{
    FakeClock clock(0.25);
    QStringList seen; // state: visible pictures, visible credit lines
    auto main = Program::startUp(clock, record_, [&](SplashWindow& splash, int state) {
        int pictures = 0, credits = 0;
        for (const char* picture : {"firstMosquito", "secondMosquito", "thirdMosquito", "fallingMosquito", "titleArtwork"})
            pictures += control<QLabel>(&splash, QString::fromLatin1(picture))->isVisible();
        for (const char* credit : {"supervisionCredit", "providerCredit", "programmingCredit"})
            credits += control<QLabel>(&splash, QString::fromLatin1(credit))->isVisible();
        seen << QStringLiteral("%1/%2: %3 %4").arg(state).arg(splash.visibleState()).arg(pictures).arg(credits);
        // It cannot be closed before the sequence ends.
        splash.close();
        QVERIFY(splash.isVisible());
    });
    QCOMPARE(seen, QStringList({"1/1: 1 0", "2/2: 1 0", "3/3: 1 0", "4/4: 1 0", "5/5: 1 3"}));
    // Each wait ends only past its limit: 2 s at 0.25 s steps lands exactly
    // on 2 s after 8 idles and waits once more (9), 5 s takes 21.
    QCOMPARE(clock.idles(), 4 * 9 + 21);
    QVERIFY(main->isVisible());
}

void TestShell::workDuringAWaitCountsTowardsIt()
{
    FakeClock clock(0.5);
    int runs = 0;
    // The task uses 1.5 s of the wait; the wait still ends just past 2 s:
    // three idles in the task, then 2.0 s (not yet past) and 2.5 s.
    Program::waitMoreThan(clock, 2.0, [&] {
        ++runs;
        for (int i = 0; i < 3; ++i)
            clock.idle(0);
    });
    QCOMPARE(runs, 1);
    QCOMPARE(clock.idles(), 5);
}

void TestShell::mainWindowAfterSplashWithTableFilled()
{
    // Records what was on screen when the main window first showed.
    struct ShowWatcher : QObject {
        explicit ShowWatcher(const AssessmentRecord& record) : record(record) {}
        const AssessmentRecord& record;
        QStringList windowsAtMainShow;
        float weight51AtMainShow = 0;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("MainWindow")
                && windowsAtMainShow.isEmpty()) {
                for (QWidget* w : QApplication::topLevelWidgets())
                    windowsAtMainShow << w->objectName();
                weight51AtMainShow = record.StandardWeightTable[51];
            }
            return false;
        }
    } watcher(record_);
    qApp->installEventFilter(&watcher);
    auto main = startedProgram(record_);
    qApp->removeEventFilter(&watcher);

    QVERIFY(!watcher.windowsAtMainShow.isEmpty());
    QVERIFY(!watcher.windowsAtMainShow.contains(QStringLiteral("SplashWindow")));
    QCOMPARE(watcher.weight51AtMainShow, 3.23f);
    AssessmentRecord expected; // nothing but the table changed
    FillStandardWeightTable(expected);
    QVERIFY(record_ == expected);

    // Exactly one child, the personal data page, at the client area's
    // top-left corner, with room for all of it; five plain commands in the
    // menu bar.
    QCOMPARE(main->windowTitle(), QStringLiteral("Tellumo"));
    const QList<QMdiSubWindow*> children = main->clientArea()->subWindowList();
    QCOMPARE(children.size(), 1);
    QCOMPARE(children[0]->widget()->objectName(), QStringLiteral("PersonalDataPage"));
    QCOMPARE(children[0]->widget()->mapTo(main->clientArea()->viewport(), QPoint(0, 0)), QPoint(0, 0));
    QVERIFY(main->clientArea()->viewport()->width() >= twips(10005));
    QVERIFY(main->clientArea()->viewport()->height() >= twips(7200));
    QStringList menu;
    for (QAction* action : main->menuBar()->actions())
        menu << action->objectName() + u':' + action->text() + (action->menu() ? u'>' : u' ');
    QCOMPARE(menu.join(QString()), QStringLiteral("copyrightAction:著作権 disclaimerAction:免責事項 redistributionAction:転載/再配布 "
                                                     "medicalBasisAction:医学的根拠 versionAction:バージョン情報 "));
}

void TestShell::menuDialogs_data()
{
    addColumns<QString, QString, QString, QString, bool>({"menu", "caption", "labelName", "labelText", "closeBox"});

    QTest::newRow("copyright") << "copyrightAction" << "著作権" << "patentText" << "本ソフトウェアは特許出願中です。" << false;
    QTest::newRow("disclaimer") << "disclaimerAction" << "免責事項" << "liabilityText" << "本ソフトウェアを使用したことにより発生したトラブルや商業的損害・損失等に対して一切の保証責任を負いません。" << true;
    QTest::newRow("redistribution") << "redistributionAction" << "転載/再配布" << "redistributionText" << "内容を改変しない限り本ソフトウェアの転載/再配布は自由ですが、バージョンアップに際しアップデートや旧バージョンの削除をお願いする場合がありますので、必ず連絡をお願いします。" << false;
    QTest::newRow("medical basis") << "medicalBasisAction" << "医学的根拠" << "tendencyText" << "この「刺され易さ度」はあくまでも「傾向」や「めやす」を示すものであり、絶対に当てはまるものではございません。\r\n\r\n" << true;
    QTest::newRow("version") << "versionAction" << "ﾊﾞｰｼﾞｮﾝ情報" << "providerLabel" << "提供 ： Ostrevan" << false;
}

void TestShell::menuDialogs()
{
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QString, labelName);
    QFETCH(QString, labelText);
    QFETCH(bool, closeBox);

    auto main = startedProgram(record_);
    bool checked = false;
    whenModal([&](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), caption);
        QCOMPARE(modal->parentWidget(), main.get());
        QVERIFY(modal->windowIcon().isNull());
        auto* ok = control<QPushButton>(modal, QStringLiteral("okButton"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(modal->focusWidget(), ok);
        auto* label = control<QLabel>(modal, labelName);
        QCOMPARE(label->text(), labelText);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        checked = true;
        if (closeBox)
            modal->close();
        else
            QTest::mouseClick(ok, Qt::LeftButton);
    });
    control<QAction>(main.get(), menu)->trigger();

    QVERIFY(checked);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(main->findChildren<InfoDialog*>().size(), 0); // destroyed, not hidden
    QVERIFY(main->isVisible());
}

// The message box: the program's title, the text, no icon, OK alone; to
// assistive technology an alert that reads its text, with OK focused so
// that Enter answers it.
void TestShell::messageBox()
{
    bool checked = false;
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        QVERIFY(QTest::qWaitForWindowActive(box));
        QCOMPARE(box->windowTitle(), QStringLiteral("Tellumo"));
        QCOMPARE(box->text(), QStringLiteral("氏名が入力されていません"));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
        QVERIFY(face);
        QCOMPARE(int(face->role()), int(QAccessible::AlertMessage));
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Tellumo"));
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("氏名が入力されていません"));
        QCOMPARE(QApplication::focusWidget(), box->button(QMessageBox::Ok));
        checked = true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    Messages::show(nullptr, QStringLiteral("氏名が入力されていません"));
    QVERIFY(checked);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestShell::centredPosition_data()
{
    addColumns<QSize, QRect, QPoint>({"frame", "available", "expected"});
    const QRect laptop(0, 0, 1366, 768);
    QTest::newRow("fits: centred") << QSize(700, 560) << laptop << QPoint(333, 104);
    QTest::newRow("panel on top") << QSize(700, 560) << QRect(0, 32, 1366, 736) << QPoint(333, 120);
    QTest::newRow("too tall: top edge") << QSize(1400, 1120) << QRect(0, 0, 1600, 900) << QPoint(100, 0);
    QTest::newRow("too wide: left edge") << QSize(1400, 500) << QRect(0, 0, 1280, 1024) << QPoint(0, 262);
    QTest::newRow("larger both ways") << QSize(2100, 1680) << QRect(0, 0, 1280, 1024) << QPoint(0, 0);
    QTest::newRow("second screen") << QSize(2100, 1680) << QRect(1920, 24, 1280, 1000) << QPoint(1920, 24);
}

// The title bar is never above or left of the screen's available area.
void TestShell::centredPosition()
{
    QFETCH(QSize, frame);
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);
    QCOMPARE(tellumo::centredPosition(frame, available), expected);
}

// Every top-level window opens with its top-left corner on the screen, also
// when a large scale factor makes it bigger than the screen (run again at
// scale 3).
void TestShell::windowsOpenOnScreen()
{
    const auto onScreen = [](QWidget* window) {
        const QRect available = window->screen()->availableGeometry();
        const QPoint corner = window->frameGeometry().topLeft();
        return available.contains(corner)
               || (corner.x() >= available.left() && corner.y() >= available.top());
    };
    {
        SplashWindow splash;
        splash.showCentred();
        QVERIFY2(onScreen(&splash), qPrintable(QDebug::toString(splash.frameGeometry())));
    }
    MainWindow window(record_);
    window.showCentred();
    QVERIFY2(onScreen(&window), qPrintable(QDebug::toString(window.frameGeometry())));
    bool checked = false;
    whenModal([&](QWidget* modal) {
        QVERIFY2(onScreen(modal), qPrintable(QDebug::toString(modal->frameGeometry())));
        checked = true;
        modal->close();
    });
    control<QAction>(&window, QStringLiteral("medicalBasisAction"))->trigger();
    QVERIFY(checked);
}

QTEST_MAIN(TestShell)
#include "test_shell.moc"
