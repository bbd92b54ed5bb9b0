// The susceptibility result page: score line, class scale, buttons.
#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "ResultTestSupport.h"
#include "results/RichTextView.h"
#include "TestSupport.h"
#include "TextPieces.h"
#include "Twips.h"

#include <QPushButton>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

const QString Sentence = QStringLiteral(" さんの総合点数は100点満点で%1点です。");

// Label5..Label8 from top to bottom, as laid out before any highlighting.
constexpr const char* Scale[] = {"Label5", "Label6", "Label7", "Label8"};
constexpr int DesignTops[] = {2300, 2800, 3300, 3800};

RichTextView* scoreLine(QWidget* page)
{
    return page->findChild<RichTextView*>(QStringLiteral("RichTextBox1"));
}

QString piecesOf(QWidget* page)
{
    QStringList parts;
    for (const TextPiece& p : textPieces(scoreLine(page)->document()))
        parts << p.text + QLatin1Char('|') + p.colour;
    return parts.join(QStringLiteral(" / "));
}

} // namespace

class TestForm4 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void workedExample();
    void namesShownUnchanged_data();
    void namesShownUnchanged();
    void classDisplay_data();
    void classDisplay();
    void computesScoreAndTotal();
    void buttonsAndTabOrder();
};

void TestForm4::initTestCase()
{
    installFontSubstitutions();
}

void TestForm4::init()
{
    resetRecord();
}

void TestForm4::cleanup()
{
    QTRY_VERIFY_WITH_TIMEOUT(leftoverWindows().isEmpty(), 2000);
}

void TestForm4::workedExample()
{
    fillRecordForScore("ABC", 57);
    RecordingHost host;
    QWidget* page = host.start(createForm4);

    RichTextView* line = scoreLine(page);
    QVERIFY(line);
    QCOMPARE(line->toPlainText(), QStringLiteral("ABC さんの総合点数は100点満点で57点です。"));
    QCOMPARE(piecesOf(page), QStringLiteral("ABC|#0000ff /  さんの総合点数は100点満点で57点です。|default"));
    QCOMPARE(line->geometry(), twipsRect(2000, 1200, 7500, 420));
}

void TestForm4::namesShownUnchanged_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("inner and outer spaces") << QStringLiteral("  山田  太郎 ");
    QTest::newRow("braces and a colour word") << QStringLiteral("a}b{\\CF5 x");
    QTest::newRow("closing the document early") << QStringLiteral("x}} y");
    QTest::newRow("backslashes") << QStringLiteral("C:\\Users\\\\taro\\");
    QTest::newRow("paragraph and bold words") << QStringLiteral("\\par\\b\\Par B");
    QTest::newRow("hex escape") << QStringLiteral("\\'41");
    QTest::newRow("Japanese") << QStringLiteral("蚊野　刺子");
    QTest::newRow("half-width kana") << QStringLiteral("ｶﾉ ｻｼｺ");
    QTest::newRow("emoji") << QStringLiteral("🦟 Mosquito 😀");
    QTest::newRow("starts with digits") << QStringLiteral("57 ABC");
}

void TestForm4::namesShownUnchanged()
{
    QFETCH(QString, name);
    fillRecordForScore(name.toStdString(), 42);
    RecordingHost host;
    QWidget* page = host.start(createForm4);

    QCOMPARE(scoreLine(page)->toPlainText(), name + Sentence.arg(42));
    // The whole name is blue and the sentence is not, all in one line.
    QCOMPARE(piecesOf(page), name + QStringLiteral("|#0000ff / ") + Sentence.arg(42) + QStringLiteral("|default"));
    QCOMPARE(scoreLine(page)->document()->blockCount(), 1);
}

void TestForm4::classDisplay_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("highlighted"); // index into Scale
    QTest::addColumn<QColor>("colour");

    const QColor green(0, 255, 0), black(0, 0, 0), magenta(255, 0, 255), red(255, 0, 0);
    QTest::newRow("19: hard to get bitten") << 19 << 3 << green;
    QTest::newRow("20: about average") << 20 << 2 << black;
    QTest::newRow("39: about average") << 39 << 2 << black;
    QTest::newRow("40: easily bitten") << 40 << 1 << magenta;
    QTest::newRow("59: easily bitten") << 59 << 1 << magenta;
    QTest::newRow("60: very easily bitten") << 60 << 0 << red;
    QTest::newRow("100: very easily bitten") << 100 << 0 << red;
}

void TestForm4::classDisplay()
{
    QFETCH(int, score);
    QFETCH(int, highlighted);
    QFETCH(QColor, colour);
    fillRecordForScore("N", score);
    RecordingHost host;
    QWidget* page = host.start(createForm4);
    QCOMPARE(int(Module1::Record.SusceptibilityScore), score);

    const QColor systemText = QApplication::palette().color(QPalette::WindowText);
    for (int i = 0; i < 4; ++i) {
        QLabel* scaleLabel = label(page, Scale[i]);
        QVERIFY(scaleLabel);
        const QString at = QString::fromLatin1(Scale[i]);
        if (i == highlighted) {
            QCOMPARE(scaleLabel->geometry(), twipsRect(2500, DesignTops[i], 5000, 600));
            QCOMPARE(scaleLabel->font().pixelSize(), pointsToPixels(24));
            QVERIFY2(scaleLabel->font().bold(), qPrintable(at));
            QCOMPARE(textColour(scaleLabel), colour);
        } else {
            const int top = DesignTops[i] + (i > highlighted ? 200 : 0);
            QCOMPARE(scaleLabel->geometry(), twipsRect(3000, top, 5000, 400));
            QCOMPARE(scaleLabel->font().pixelSize(), pointsToPixels(14.25));
            // Label5 is black by design; the others keep the system colour.
            QCOMPARE(textColour(scaleLabel), i == 0 ? QColor(0, 0, 0) : systemText);
        }
    }
    // The enlarged label does not reach the one moved under it.
    if (highlighted < 3)
        QVERIFY(label(page, Scale[highlighted])->geometry().bottom()
                < label(page, Scale[highlighted + 1])->geometry().top());
}

void TestForm4::computesScoreAndTotal()
{
    fillRecordForScore("N", 75);
    Module1::Record.AnswerCodes[0] = 99;   // stale values of an earlier walk
    Module1::Record.SusceptibilityScore = 1;
    RecordingHost host;
    QWidget* page = host.start(createForm4);

    QCOMPARE(int(Module1::Record.SusceptibilityScore), 75);
    QCOMPARE(int(Module1::Record.answerTotal()), 65);
    QCOMPARE(scoreLine(page)->toPlainText(), QStringLiteral("N") + Sentence.arg(75));
}

void TestForm4::buttonsAndTabOrder()
{
    fillRecordForScore("N", 30);
    RecordingHost host;
    QWidget* page = host.start(createForm4);

    const struct {
        const char* name;
        const char* text;
        QRect place;
    } buttons[] = {
        {"Command1", "終了", twipsRect(7300, 5800, 1200, 800)},
        {"Command2", "判定結果の詳細", twipsRect(1500, 5800, 2400, 800)},
        {"Command3", "注意すべき点", twipsRect(4400, 5800, 2400, 800)},
    };
    QList<QWidget*> order;
    for (const auto& b : buttons) {
        auto* button = page->findChild<QPushButton*>(QString::fromLatin1(b.name));
        QVERIFY2(button, b.name);
        QCOMPARE(button->text(), QString::fromUtf8(b.text));
        QCOMPARE(button->geometry(), b.place);
        order << button;
    }
    // Keyboard order Command1, Command2, Command3 and round again; the focus
    // starts on Command1 and nothing else on the page takes it.
    QCOMPARE(page->focusWidget(), order[0]);
    QWidget* w = order[0];
    for (int i = 1; i <= 3; ++i) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        QCOMPARE(w, order[i % 3]);
    }
}

QTEST_MAIN(TestForm4)
#include "test_form4.moc"
