// Start-up, main window, menu dialogs and the message box, driven offscreen.
#include "AssessmentRecord.h"
#include "FormMain.h"
#include "FormMenu.h"
#include "FormSplash.h"
#include "Messages.h"
#include "Module1.h"
#include "SplashClock.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace tellumo;

namespace {

// Time passes only when the sequence idles, by a fixed step.
class FakeClock : public SplashClock {
public:
    explicit FakeClock(double step) : step_(step) {}
    double now() override { return time_; }
    void idle(double) override
    {
        time_ += step_;
        ++idles_;
    }
    int idles() const { return idles_; }

private:
    double step_;
    double time_ = 1000.0;
    int idles_ = 0;
};

// Records what was on screen when the main window first showed.
class ShowWatcher : public QObject {
public:
    bool sawMain = false;
    bool splashAliveAtMainShow = true;
    float weight51AtMainShow = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("FormMain") && !sawMain) {
            sawMain = true;
            splashAliveAtMainShow = false;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("FormSplash"))
                    splashAliveAtMainShow = true;
            weight51AtMainShow = Module1::Record.StandardWeightTable[51];
        }
        return false;
    }
};

struct SplashSnapshot {
    int state;
    int visiblePictures;
    int visibleCredits;
    bool shown;
};

// Answers the next modal dialog from inside its event loop. check() looks at
// it and closes it; if a check fails, the dialog is closed anyway so the test
// reports the failure instead of hanging.
template <typename Check>
void whenModal(Check check)
{
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        QPointer<QWidget> guard(modal);
        check(modal);
        if (guard && guard->isVisible())
            guard->close();
    });
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void splashStatesInOrder();
    void splashCannotBeClosedEarly();
    void waitEndsOnlyPastItsLimit_data();
    void waitEndsOnlyPastItsLimit();
    void mainWindowAfterSplashWithTableFilled();
    void mainWindowLayout();
    void menuDialogs_data();
    void menuDialogs();
    void dialogLeavesPageEntries();
    void messageBoxLook();

private:
    std::unique_ptr<FormMain> startProgram();
};

void TestShell::init()
{
    Module1::Record = AssessmentRecord{};
}

void TestShell::cleanup()
{
    Messages::setHook({});
    QTRY_VERIFY_WITH_TIMEOUT(testing::visibleTopLevels().isEmpty(), 2000);
}

std::unique_ptr<FormMain> TestShell::startProgram()
{
    FakeClock clock(0.5);
    return Module1::Startup(clock);
}

void TestShell::splashStatesInOrder()
{
    FakeClock clock(0.25);
    std::vector<SplashSnapshot> seen;
    auto main = Module1::Startup(clock, [&](FormSplash& splash, int state) {
        int pictures = 0, credits = 0;
        for (int i = 1; i <= 5; ++i)
            pictures += splash.findChild<QLabel*>(QStringLiteral("Picture%1").arg(i))->isVisible();
        for (int i = 2; i <= 4; ++i)
            credits += splash.findChild<QLabel*>(QStringLiteral("Label%1").arg(i))->isVisible();
        seen.push_back({splash.visibleState(), pictures, credits, splash.isVisible()});
        QCOMPARE(state, splash.visibleState());
    });

    QCOMPARE(seen.size(), std::size_t(5));
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(seen[i].state, i + 1);
        QCOMPARE(seen[i].visiblePictures, 1);
        QCOMPARE(seen[i].visibleCredits, i == 4 ? 3 : 0);
        QVERIFY(seen[i].shown);
    }
    // 2 s at 0.25 s steps ends at 2.25 s (9 idles), 5 s at 5.25 s (21 idles).
    QCOMPARE(clock.idles(), 4 * 9 + 21);
    QVERIFY(main->isVisible());
}

void TestShell::splashCannotBeClosedEarly()
{
    FakeClock clock(1.0);
    bool stillShown = false;
    auto main = Module1::Startup(clock, [&](FormSplash& splash, int state) {
        if (state == 2) {
            splash.close();
            stillShown = splash.isVisible();
        }
    });
    QVERIFY(stillShown);
}

void TestShell::waitEndsOnlyPastItsLimit_data()
{
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("limit");
    QTest::addColumn<int>("idles");
    QTest::newRow("lands exactly on 2 s, waits once more") << 0.5 << 2.0 << 5;
    QTest::newRow("whole seconds") << 1.0 << 2.0 << 3;
    QTest::newRow("one step of the limit is not enough") << 2.0 << 2.0 << 2;
    QTest::newRow("overshoot in one step") << 3.0 << 2.0 << 1;
    QTest::newRow("five seconds in quarters") << 0.25 << 5.0 << 21;
}

void TestShell::waitEndsOnlyPastItsLimit()
{
    QFETCH(double, step);
    QFETCH(double, limit);
    QFETCH(int, idles);
    FakeClock clock(step);
    const double start = clock.now();
    Module1::WaitMoreThan(clock, limit);
    QCOMPARE(clock.idles(), idles);
    QVERIFY(clock.now() - start > limit);
}

void TestShell::mainWindowAfterSplashWithTableFilled()
{
    ShowWatcher watcher;
    qApp->installEventFilter(&watcher);
    auto main = startProgram();
    qApp->removeEventFilter(&watcher);

    QVERIFY(watcher.sawMain);
    QVERIFY(!watcher.splashAliveAtMainShow);
    QCOMPARE(watcher.weight51AtMainShow, 3.23f);
    QCOMPARE(Module1::Record.StandardWeightTable[190], 71.49f);
    QCOMPARE(Module1::Record.StandardWeightTable[50], 0.0f);
    // Nothing else of the record changed.
    AssessmentRecord expected;
    FillStandardWeightTable(expected);
    QVERIFY(Module1::Record == expected);
}

void TestShell::mainWindowLayout()
{
    auto main = startProgram();
    QCOMPARE(main->windowTitle(), QStringLiteral("Tellumo"));
    QVERIFY(!main->windowIcon().isNull());

    const QStringList captions{QStringLiteral("著作権"), QStringLiteral("免責事項"), QStringLiteral("転載/再配布"),
                               QStringLiteral("医学的根拠"), QStringLiteral("バージョン情報")};
    const QList<QAction*> actions = main->menuBar()->actions();
    QCOMPARE(actions.size(), captions.size());
    for (int i = 0; i < actions.size(); ++i) {
        QCOMPARE(actions[i]->objectName(), QStringLiteral("Menu%1").arg(i + 2));
        QCOMPARE(actions[i]->text(), captions[i]);
        QVERIFY(actions[i]->isEnabled() && actions[i]->isVisible());
        QVERIFY(!actions[i]->menu());
    }

    const QList<QMdiSubWindow*> children = main->clientArea()->subWindowList();
    QCOMPARE(children.size(), 1);
    QCOMPARE(children[0]->widget()->objectName(), QStringLiteral("Form1"));
    QCOMPARE(children[0]->pos(), QPoint(0, 0));
    QCOMPARE(children[0]->widget()->mapTo(main->clientArea()->viewport(), QPoint(0, 0)), QPoint(0, 0));
    // The whole page fits the client area, so nothing is hidden.
    QVERIFY(main->clientArea()->viewport()->width() >= twips(10005));
    QVERIFY(main->clientArea()->viewport()->height() >= twips(7200));
}

void TestShell::menuDialogs_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("clientTwips");
    QTest::addColumn<QString>("labelName");
    QTest::addColumn<QString>("labelText");
    QTest::addColumn<bool>("closeBox");

    const QSize large(6315, 5625), small(5730, 4230);
    QTest::newRow("copyright, OK") << "Menu2" << "著作権" << large << "Label2" << "本ソフトウェアは特許出願中です。" << false;
    QTest::newRow("copyright, close box") << "Menu2" << "著作権" << large << "Label3"
                                          << "本ソフトウェアの著作権はOstrevanが保有しています。" << true;
    QTest::newRow("disclaimer") << "Menu3" << "免責事項" << large << "Label1"
                                << "本ソフトウェアを使用したことにより発生したトラブルや商業的損害・損失等に対して一切の保証責任を負いません。"
                                << false;
    QTest::newRow("redistribution") << "Menu4" << "転載/再配布" << large << "Label1"
                                    << "内容を改変しない限り本ソフトウェアの転載/再配布は自由ですが、バージョンアップに際しアップデートや旧バージョンの削除をお願いする場合がありますので、必ず連絡をお願いします。"
                                    << true;
    QTest::newRow("medical basis, trailing breaks") << "Menu5" << "医学的根拠" << large << "Label32"
                                                    << "この「刺され易さ度」はあくまでも「傾向」や「めやす」を示すものであり、絶対に当てはまるものではございません。\r\n\r\n"
                                                    << false;
    QTest::newRow("version, half-width caption") << "Menu6" << "ﾊﾞｰｼﾞｮﾝ情報" << small << "Label20" << "Ver.2.00" << false;
    QTest::newRow("version, provider") << "Menu6" << "ﾊﾞｰｼﾞｮﾝ情報" << small << "Label30" << "提供 ： Ostrevan" << true;
}

void TestShell::menuDialogs()
{
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QSize, clientTwips);
    QFETCH(QString, labelName);
    QFETCH(QString, labelText);
    QFETCH(bool, closeBox);

    auto main = startProgram();
    QAction* action = main->findChild<QAction*>(menu);
    QVERIFY(action);

    bool checked = false;
    whenModal([&](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), caption);
        QCOMPARE(modal->parentWidget(), main.get());
        QCOMPARE(modal->size(), twipsSize(clientTwips.width(), clientTwips.height()));
        QVERIFY(modal->windowIcon().isNull());
        auto* ok = modal->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(modal->focusWidget(), ok);
        auto* label = modal->findChild<QLabel*>(labelName);
        QVERIFY(label);
        QCOMPARE(label->text(), labelText);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        checked = true;
        if (closeBox)
            modal->close();
        else
            QTest::mouseClick(ok, Qt::LeftButton);
    });
    action->trigger();

    QVERIFY(checked);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(main->findChildren<FormMenu*>().size(), 0); // destroyed, not hidden
    QVERIFY(main->isVisible());
}

void TestShell::dialogLeavesPageEntries()
{
    auto main = startProgram();
    QWidget* page = main->currentPage();
    QVERIFY(page);
    auto* name = page->findChild<QLineEdit*>(QStringLiteral("Text1"));
    if (!name)
        QSKIP("the personal data page has no fields yet");
    testing::typeText(name, QStringLiteral("蚊野 花子"));

    for (const char* menu : {"Menu2", "Menu6", "Menu6"}) {
        whenModal([](QWidget* modal) { modal->close(); });
        main->findChild<QAction*>(QString::fromLatin1(menu))->trigger();
    }
    QCOMPARE(main->currentPage(), page);
    QCOMPARE(name->text(), QStringLiteral("蚊野 花子"));
}

void TestShell::messageBoxLook()
{
    bool checked = false;
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Tellumo"));
        QCOMPARE(box->text(), QStringLiteral("氏名が入力されていません"));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        checked = true;
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    Messages::show(nullptr, QStringLiteral("氏名が入力されていません"));
    QVERIFY(checked);
}

QTEST_MAIN(TestShell)
#include "test_shell.moc"
