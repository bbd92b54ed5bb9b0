// One whole run of the program: the splash on a fake clock, the three
// questionnaire pages filled in with clicks and typed keys, the four result
// pages read and left, and "終了" closing the main window.
#include "AssessmentRecord.h"
#include "Fonts.h"
#include "FormMain.h"
#include "Module1.h"
#include "ResultTestSupport.h"
#include "SplashClock.h"
#include "TestSupport.h"
#include "TextPieces.h"
#include "Twips.h"

#include <QAbstractButton>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextEdit>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

// Time moves on by a quarter second whenever the splash idles.
class FakeClock : public SplashClock {
public:
    double now() override { return time_; }
    void idle(double) override { time_ += 0.25; }

private:
    double time_ = 500.0;
};

} // namespace

class TestWalk : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void wholeRun();

private:
    // Waits until the page shown is `name` and makes it page_.
    void waitForPage(const char* name);
    void click(const char* control);
    void type(const char* field, const QString& keys);
    void typeWithInputMethod(const char* field, const QString& text);

    void fillPersonalData();
    void answerQuestions();
    void readSusceptibility();
    void readDetails();
    void readCaution();
    void readAdvice();

    std::unique_ptr<FormMain> main_;
    QWidget* page_ = nullptr;
};

void TestWalk::initTestCase()
{
    installFontSubstitutions();
    resetRecord();
}

void TestWalk::cleanup()
{
    main_.reset();
    QTRY_VERIFY_WITH_TIMEOUT(leftoverWindows().isEmpty(), 2000);
}

void TestWalk::waitForPage(const char* name)
{
    page_ = nullptr;
    QTRY_COMPARE(main_->currentPage() ? main_->currentPage()->objectName() : QString(),
                 QString::fromLatin1(name));
    QWidget* page = main_->currentPage();
    // One page at a time, at the client area's top-left corner.
    const QList<QMdiSubWindow*> windows = main_->clientArea()->subWindowList();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows[0]->pos(), QPoint(0, 0));
    QCOMPARE(windows[0]->size(), page->size());
    QVERIFY(page->isVisible());
    page_ = page;
}

void TestWalk::click(const char* control)
{
    auto* button = page_->findChild<QAbstractButton*>(QString::fromLatin1(control));
    QVERIFY2(button && button->isVisible(), control);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestWalk::type(const char* field, const QString& keys)
{
    auto* box = page_->findChild<QLineEdit*>(QString::fromLatin1(field));
    QVERIFY2(box && box->isVisible(), field);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClicks(box, keys);
}

void TestWalk::typeWithInputMethod(const char* field, const QString& text)
{
    // What the Japanese input method hands over when the user confirms a word.
    auto* box = page_->findChild<QLineEdit*>(QString::fromLatin1(field));
    QVERIFY2(box, field);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

void TestWalk::fillPersonalData()
{
    waitForPage("Form1");
    QVERIFY(page_);
    type("Text1", QStringLiteral("Ka {Taro}\\"));
    typeWithInputMethod("Text1", QStringLiteral("蚊野"));
    QCOMPARE(page_->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("Ka {Taro}\\蚊野"));
    click("Option11");             // male: 2
    type("Text2", QStringLiteral("30"));   // over 24: 5
    type("Text3", QStringLiteral("170"));
    type("Text4", QStringLiteral("65"));
    click("Option21");             // O: 8
    type("Text5", QStringLiteral("20"));   // 20 % of 65 kg = 13 kg: 5
    click("Option32");             // normal skin: 5
    click("Command1");
}

void TestWalk::answerQuestions()
{
    // Q1..Q10 all in the middle: 1, 1, 1, 1, 1, 5, 4, 1, 1, 1 = 17.
    waitForPage("Form2");
    QVERIFY(page_);
    for (int q = 1; q <= 10; ++q)
        click(qPrintable(QStringLiteral("Answer%1").arg(10 * q + 2)));
    click("Command1");

    // Q11..Q19: the middle where there is one (1, 1, 10, 1, 1), "はい" for
    // Q14..Q17 (0 each) = 14.
    waitForPage("Form3");
    QVERIFY(page_);
    for (int q : {11, 12, 13, 18, 19})
        click(qPrintable(QStringLiteral("Answer%1").arg(10 * q + 2)));
    for (int q : {14, 15, 16, 17})
        click(qPrintable(QStringLiteral("Answer%1").arg(10 * q + 1)));
    click("Command1");
}

void TestWalk::readSusceptibility()
{
    // 17 + 14 = 31 from the answers, 25 from the personal data: 56.
    waitForPage("Form4");
    QVERIFY(page_);
    auto* line = page_->findChild<QTextEdit*>(QStringLiteral("RichTextBox1"));
    QVERIFY(line);
    QCOMPARE(line->toPlainText(), QStringLiteral("Ka {Taro}\\蚊野 さんの総合点数は100点満点で56点です。"));
    const QList<TextPiece> pieces = textPieces(line->document());
    QCOMPARE(pieces.size(), 2);
    QCOMPARE(pieces[0].text, QStringLiteral("Ka {Taro}\\蚊野"));
    QCOMPARE(pieces[0].colour, QStringLiteral("#0000ff"));
    QCOMPARE(pieces[1].colour, QStringLiteral("default"));

    const std::pair<const char*, QString> texts[] = {
        {"Label2", QStringLiteral("判定結果")},
        {"Label3", QStringLiteral("あなたの蚊に刺されやすさ度は")},
        {"Label5", QStringLiteral("非常に刺されやすい")},
        {"Label6", QStringLiteral("刺されやすい")},
        {"Label7", QStringLiteral("普通程度")},
        {"Label8", QStringLiteral("刺されにくい")},
        {"Label4", QStringLiteral("非常に刺されやすい、刺されやすいの人は、是非注意すべき点を読んで、蚊に刺されないよう努めてください。")},
    };
    for (const auto& [name, text] : texts)
        QCOMPARE(labelText(page_, name), text);
    // Class 3 stands out in magenta; the two labels under it moved down.
    QLabel* easily = label(page_, "Label6");
    QCOMPARE(textColour(easily), QColor(255, 0, 255));
    QCOMPARE(easily->font().pixelSize(), pointsToPixels(24));
    QCOMPARE(easily->geometry(), twipsRect(2500, 2800, 5000, 600));
    QCOMPARE(label(page_, "Label7")->y(), twips(3500));
    QCOMPARE(label(page_, "Label8")->y(), twips(4000));
    click("Command2");
}

void TestWalk::readDetails()
{
    waitForPage("Form5");
    QVERIFY(page_);
    QCOMPARE(labelText(page_, "Label2"), QStringLiteral("判定結果の詳細"));
    QCOMPARE(labelText(page_, "Label4"), QStringLiteral("刺されやすい Ka {Taro}\\蚊野 さんは 虚実中間型 です。"));
    QCOMPARE(labelText(page_, "Label5"), QStringLiteral("あなたの肥満度は　10.4%　です。"));
    QCOMPARE(labelText(page_, "Label6"), QStringLiteral("あなたのBMIは　22.5　です。"));
    QCOMPARE(labelText(page_, "Label7"), TypeExplanation);
    QCOMPARE(labelText(page_, "Label1"), BmiExplanation);
    QCOMPARE(labelText(page_, "Label3"), Legend);
    click("Command2");
}

void TestWalk::readCaution()
{
    waitForPage("Form6");
    QVERIFY(page_);
    for (const auto& [name, text] : cautionTexts())
        QCOMPARE(labelText(page_, name), text);
    click("Command2");
}

void TestWalk::readAdvice()
{
    waitForPage("Form7");
    QVERIFY(page_);
    for (const auto& [name, text] : adviceTexts(QStringLiteral(TELLUMO_CONTACT_EMAIL)))
        QCOMPARE(labelText(page_, name), text);
    click("Command1");
}

void TestWalk::wholeRun()
{
    MessageRecorder messages;
    FakeClock clock;
    main_ = Module1::Startup(clock);
    QVERIFY(main_ && main_->isVisible());

    using Step = void (TestWalk::*)();
    for (Step step : {&TestWalk::fillPersonalData, &TestWalk::answerQuestions, &TestWalk::readSusceptibility,
                      &TestWalk::readDetails, &TestWalk::readCaution, &TestWalk::readAdvice}) {
        (this->*step)();
        if (QTest::currentTestFailed())
            return;
    }

    QTRY_VERIFY(!main_->isVisible());
    QCOMPARE(main_->currentPage(), nullptr);
    QCOMPARE(messages.messages(), QStringList());
    QCOMPARE(int(Module1::Record.answerTotal()), 31);
    QCOMPARE(int(Module1::Record.SusceptibilityScore), 56);
}

QTEST_MAIN(TestWalk)
#include "test_walk.moc"
