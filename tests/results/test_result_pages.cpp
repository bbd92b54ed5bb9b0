// The four result pages: what they show for a given record, their keyboard
// order, and the routes between them.
#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"
#include "TextPieces.h"
#include "Twips.h"
#include "results/RichTextView.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

using Factory = QWidget* (*)(PageHost&);

const QString Sentence = QStringLiteral(" さんの総合点数は100点満点で%1点です。");

// The class scale from top to bottom and its Tops before any highlighting.
constexpr const char* Scale[] = {"Label5", "Label6", "Label7", "Label8"};
constexpr int ScaleTops[] = {2300, 2800, 3300, 3800};

void setDetails(const QString& name, int score, int answerTotal, const QString& height, const QString& weight)
{
    AssessmentRecord& record = Module1::Record;
    record.PersonalData[Name] = PersonalEntry(name.toStdString());
    record.PersonalData[HeightText] = PersonalEntry(height.toStdString());
    record.PersonalData[WeightText] = PersonalEntry(weight.toStdString());
    record.SusceptibilityScore = static_cast<std::uint8_t>(score);
    record.AnswerCodes[0] = static_cast<std::uint8_t>(answerTotal);
}

QString obesity(const char* degree) { return QStringLiteral("あなたの肥満度は　%1%　です。").arg(QLatin1String(degree)); }
QString bmi(const char* value) { return QStringLiteral("あなたのBMIは　%1　です。").arg(QLatin1String(value)); }

// Leftmost dark pixel of each of the first `lines` lines of a page label.
QList<int> lineStarts(PageLabel* shown, int lines)
{
    const QImage image = shown->grab().toImage();
    QList<int> starts(lines, -1);
    for (int y = 0; y < image.height() && y < lines * shown->linePitch(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                int& start = starts[y / shown->linePitch()];
                start = start < 0 ? x : qMin(start, x);
                break;
            }
    return starts;
}

} // namespace

class TestResultPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void scoreLine_data();
    void scoreLine();
    void classDisplay_data();
    void classDisplay();
    void typeSentence_data();
    void typeSentence();
    void measures_data();
    void measures();
    void legendColumnsLineUp();
    void fixedTexts_data();
    void fixedTexts();
    void spacesIndentTheSecondLine_data();
    void spacesIndentTheSecondLine();
    void keyboardOrder_data();
    void keyboardOrder();
    void routes_data();
    void routes();
};

void TestResultPages::initTestCase()
{
    installFontSubstitutions();
}

void TestResultPages::init()
{
    resetRecord();
}

void TestResultPages::cleanup()
{
    QTRY_VERIFY_WITH_TIMEOUT(leftoverWindows().isEmpty(), 2000);
}

void TestResultPages::scoreLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("score");

    QTest::newRow("worked example") << QStringLiteral("ABC") << 57;
    QTest::newRow("inner and outer spaces") << QStringLiteral("  山田  太郎 ") << 42;
    QTest::newRow("braces and a colour word") << QStringLiteral("a}b{\\CF5 x") << 42;
    QTest::newRow("closing the document early") << QStringLiteral("x}} y") << 42;
    QTest::newRow("backslashes") << QStringLiteral("C:\\Users\\\\taro\\") << 42;
    QTest::newRow("paragraph, bold and hex words") << QStringLiteral("\\par\\b\\Par \\'41B") << 42;
    QTest::newRow("Japanese") << QStringLiteral("蚊野　刺子") << 100;
    QTest::newRow("emoji") << QStringLiteral("🦟 Mosquito 😀") << 10;
    QTest::newRow("starts with digits") << QStringLiteral("57 ABC") << 19;
}

void TestResultPages::scoreLine()
{
    QFETCH(QString, name);
    QFETCH(int, score);
    fillRecordForScore(name.toStdString(), score);
    RecordingHost host;
    auto* line = host.start(createForm4)->findChild<RichTextView*>(QStringLiteral("RichTextBox1"));
    QVERIFY(line);

    // The name as typed in blue, then the sentence in the default colour, on one line.
    QCOMPARE(line->toPlainText(), name + Sentence.arg(score));
    const QList<TextPiece> pieces = textPieces(line->document());
    QCOMPARE(pieces.size(), 2);
    QCOMPARE(pieces[0].text, name);
    QCOMPARE(pieces[0].colour, QStringLiteral("#0000ff"));
    QCOMPARE(pieces[1].colour, QStringLiteral("default"));
    QCOMPARE(pieces[1].block, 0);
}

void TestResultPages::classDisplay_data()
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

void TestResultPages::classDisplay()
{
    QFETCH(int, score);
    QFETCH(int, highlighted);
    QFETCH(QColor, colour);
    fillRecordForScore("N", score);
    RecordingHost host;
    QWidget* page = host.start(createForm4);

    const QColor systemText = QApplication::palette().color(QPalette::WindowText);
    for (int i = 0; i < 4; ++i) {
        QLabel* shown = label(page, Scale[i]);
        QVERIFY(shown);
        if (i == highlighted) {
            QCOMPARE(shown->geometry(), twipsRect(2500, ScaleTops[i], 5000, 600));
            QCOMPARE(shown->font().pixelSize(), pointsToPixels(24));
            QCOMPARE(textColour(shown), colour);
        } else {
            QCOMPARE(shown->geometry(), twipsRect(3000, ScaleTops[i] + (i > highlighted ? 200 : 0), 5000, 400));
            QCOMPARE(shown->font().pixelSize(), pointsToPixels(14.25));
            QCOMPARE(textColour(shown), i == 0 ? QColor(0, 0, 0) : systemText); // Label5 is black by design
        }
        QVERIFY(shown->font().bold());
    }
}

void TestResultPages::typeSentence_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("answerTotal");
    QTest::addColumn<QString>("expected");

    const QString n = QStringLiteral("ABC");
    QTest::newRow("score 19, total 0") << n << 19 << 0 << QStringLiteral("刺されにくい ABC さんは 虚証型 です。");
    QTest::newRow("score 20, total 24") << n << 20 << 24 << QStringLiteral("普通程度の ABC さんは 虚証型 です。");
    QTest::newRow("score 39, total 25") << n << 39 << 25 << QStringLiteral("普通程度の ABC さんは 虚実中間型 です。");
    QTest::newRow("score 40, total 45") << n << 40 << 45 << QStringLiteral("刺されやすい ABC さんは 虚実中間型 です。");
    QTest::newRow("score 59, total 46") << n << 59 << 46 << QStringLiteral("刺されやすい ABC さんは 実証型 です。");
    QTest::newRow("score 60, total 70") << n << 60 << 70 << QStringLiteral("非常に刺されやすい ABC さんは 実証型 です。");
    QTest::newRow("name with spaces") << QStringLiteral(" 山田　太郎 ") << 45 << 30
                                      << QStringLiteral("刺されやすい  山田　太郎  さんは 虚実中間型 です。");
}

void TestResultPages::typeSentence()
{
    QFETCH(QString, name);
    QFETCH(int, score);
    QFETCH(int, answerTotal);
    QFETCH(QString, expected);
    setDetails(name, score, answerTotal, QStringLiteral("170"), QStringLiteral("65"));
    RecordingHost host;
    QCOMPARE(labelText(host.start(createForm5), "Label4"), expected);
}

void TestResultPages::measures_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("obesityLine");
    QTest::addColumn<QString>("bmiLine");

    QTest::newRow("170 cm, 65 kg") << "170" << "65" << obesity("10.4") << bmi("22.5");
    QTest::newRow("200 cm, 80 kg: no standard weight") << "200" << "80" << QString() << bmi("20");
    QTest::newRow("standard weight gives 0") << "170" << "58.86" << obesity("0") << bmi("20.4");
    QTest::newRow("below standard weight") << "150" << "40" << obesity("-12.4") << bmi("17.8");
    QTest::newRow("lowest height in the table") << "51.0" << "3" << obesity("-7.1") << bmi("11.5");
    QTest::newRow("just below the table") << "50.9" << "3" << QString() << bmi("11.6");
    QTest::newRow("full-width digits") << "１７０" << "６５" << obesity("10.4") << bmi("22.5");
    // Entries the personal data page refuses never get here; if one did,
    // its lines stay empty.
    QTest::newRow("height not a number") << "abc" << "65" << QString() << QString();
    QTest::newRow("zero height") << "0" << "65" << QString() << QString();
    QTest::newRow("negative weight") << "170" << "-1" << QString() << QString();
    QTest::newRow("BMI beyond every number")
        << QStringLiteral("0.") + QString(199, u'0') + QStringLiteral("1") << "1" << QString() << QString();
}

void TestResultPages::measures()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, obesityLine);
    QFETCH(QString, bmiLine);
    setDetails(QStringLiteral("N"), 30, 20, height, weight);
    RecordingHost host;
    QWidget* page = host.start(createForm5);
    QCOMPARE(labelText(page, "Label5"), obesityLine);
    QCOMPARE(labelText(page, "Label6"), bmiLine);
}

void TestResultPages::legendColumnsLineUp()
{
    setDetails(QStringLiteral("N"), 30, 20, QStringLiteral("170"), QStringLiteral("65"));
    RecordingHost host;
    auto* legend = qobject_cast<PageLabel*>(label(host.start(createForm5), "Label3"));
    QVERIFY(legend);
    QCOMPARE(legend->text(), Legend);

    // The tilde and the name column start at the same place on every line.
    const QFontMetricsF metrics(legend->font());
    const auto columns = [&](const QString& line) {
        qsizetype name = line.size();
        while (name > 0 && line[name - 1] != u' ')
            --name;
        return std::pair{metrics.horizontalAdvance(line.left(line.indexOf(u'～'))),
                         metrics.horizontalAdvance(line.left(name))};
    };
    const QStringList lines = legend->text().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5);
    for (const QString& line : lines) {
        QVERIFY2(qAbs(columns(line).first - columns(lines[0]).first) < 0.5, qPrintable(line));
        QVERIFY2(qAbs(columns(line).second - columns(lines[0]).second) < 0.5, qPrintable(line));
    }
    QCOMPARE(legend->textHeight(), 5 * pointsToPixels(12));
}

void TestResultPages::fixedTexts_data()
{
    QTest::addColumn<Factory>("create");
    QTest::addColumn<QString>("labelName");
    QTest::addColumn<QString>("text");

    for (const auto& [name, text] : cautionTexts())
        QTest::addRow("Form6 %s", name) << Factory(createForm6) << QString::fromLatin1(name) << text;
    for (const auto& [name, text] : adviceTexts(QStringLiteral(TELLUMO_CONTACT_EMAIL)))
        QTest::addRow("Form7 %s", name) << Factory(createForm7) << QString::fromLatin1(name) << text;
    QTest::newRow("Form5 Label7") << Factory(createForm5) << "Label7" << TypeExplanation;
    QTest::newRow("Form5 Label1") << Factory(createForm5) << "Label1" << BmiExplanation;
    QTest::newRow("Form5 Label3") << Factory(createForm5) << "Label3" << Legend;
}

void TestResultPages::fixedTexts()
{
    QFETCH(Factory, create);
    QFETCH(QString, labelName);
    QFETCH(QString, text);
    fillRecordForScore("N", 30);
    RecordingHost host;
    QLabel* shown = label(host.start(create), qPrintable(labelName));
    QVERIFY(shown);
    QCOMPARE(shown->text(), text);
    // Plain text: runs of spaces are never collapsed as markup would.
    QCOMPARE(shown->textFormat(), Qt::PlainText);
    // CR LF breaks draw no glyph of their own.
    if (text.contains(QStringLiteral("\r\n")))
        QVERIFY(paintsLike(shown, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
}

void TestResultPages::spacesIndentTheSecondLine_data()
{
    QTest::addColumn<QString>("labelName");
    QTest::addColumn<int>("spaces");
    QTest::newRow("point 2") << "Label3" << 5;
    QTest::newRow("point 3") << "Label4" << 6;
    QTest::newRow("point 4") << "Label5" << 6;
}

void TestResultPages::spacesIndentTheSecondLine()
{
    QFETCH(QString, labelName);
    QFETCH(int, spaces);
    RecordingHost host;
    auto* point = qobject_cast<PageLabel*>(label(host.start(createForm6), qPrintable(labelName)));
    QVERIFY(point);

    // Two lines; the second starts after the run of spaces at its full width.
    const qreal runWidth = QFontMetricsF(point->font()).horizontalAdvance(QString(spaces, u' '));
    const QList<int> starts = lineStarts(point, 3);
    QVERIFY2(starts[0] >= 0 && starts[0] < 4, qPrintable(QString::number(starts[0])));
    QVERIFY2(starts[1] >= runWidth - 2 && starts[1] <= runWidth + 6,
             qPrintable(QStringLiteral("%1 vs %2").arg(starts[1]).arg(runWidth)));
    QCOMPARE(starts[2], -1);
}

void TestResultPages::keyboardOrder_data()
{
    QTest::addColumn<Factory>("create");
    QTest::addColumn<QStringList>("buttons"); // in keyboard order
    QTest::newRow("Form4") << Factory(createForm4) << QStringList{"Command1:終了", "Command2:判定結果の詳細", "Command3:注意すべき点"};
    QTest::newRow("Form5") << Factory(createForm5) << QStringList{"Command1:終了", "Command2:注意すべき点"};
    QTest::newRow("Form6") << Factory(createForm6) << QStringList{"Command1:終了", "Command2:蚊の対策法"};
    QTest::newRow("Form7") << Factory(createForm7) << QStringList{"Command1:終了"};
}

void TestResultPages::keyboardOrder()
{
    QFETCH(Factory, create);
    QFETCH(QStringList, buttons);
    fillRecordForScore("N", 30);
    RecordingHost host;
    QWidget* page = host.start(create);

    // The focus starts on the first button and Tab visits only the buttons, in order.
    QWidget* focus = page->focusWidget();
    for (int round = 0; round < 2; ++round)
        for (const QString& expected : buttons) {
            QVERIFY(focus);
            auto* button = qobject_cast<QPushButton*>(focus);
            QVERIFY2(button, qPrintable(focus->objectName()));
            QCOMPARE(button->objectName() + u':' + button->text(), expected);
            do
                focus = focus->nextInFocusChain();
            while (!(focus->focusPolicy() & Qt::TabFocus));
        }
}

void TestResultPages::routes_data()
{
    // Buttons pressed from Form4 on and the pages they lead to; the last
    // press is always "終了".
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QStringList>("pages");

    QTest::newRow("4 → 5 → 6 → 7, end") << QStringList{"Command2", "Command2", "Command2", "Command1"}
                                        << QStringList{"Form5", "Form6", "Form7"};
    QTest::newRow("4 → 6 → 7, end") << QStringList{"Command3", "Command2", "Command1"} << QStringList{"Form6", "Form7"};
    QTest::newRow("end on 4") << QStringList{"Command1"} << QStringList{};
    QTest::newRow("end on 5") << QStringList{"Command2", "Command1"} << QStringList{"Form5"};
    QTest::newRow("end on 6") << QStringList{"Command3", "Command1"} << QStringList{"Form6"};
}

void TestResultPages::routes()
{
    QFETCH(QStringList, presses);
    QFETCH(QStringList, pages);
    fillRecordForScore("ABC", 57);
    RecordingHost host;
    host.start(createForm4);
    QStringList destroyed{"Form4"};
    for (qsizetype i = 0; i < presses.size(); ++i) {
        auto* button = host.page()->findChild<QPushButton*>(presses[i]);
        QVERIFY2(button, qPrintable(presses[i]));
        QTest::mouseClick(button, Qt::LeftButton);
        if (i < pages.size()) {
            QTRY_COMPARE(host.page() ? host.page()->objectName() : QString(), pages[i]);
            // Each page is gone before the next one is made.
            QCOMPARE(host.livePagesAtCreation(), QStringList());
            QCOMPARE(host.destroyedPages(), destroyed);
            destroyed << pages[i];
        }
    }
    QTRY_VERIFY(host.ended());
    QCOMPARE(host.page(), nullptr);
    QCOMPARE(host.destroyedPages(), destroyed);
}

QTEST_MAIN(TestResultPages)
#include "test_result_pages.moc"
