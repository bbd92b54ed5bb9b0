// The result pages: the rich-text score line and the page labels, what the
// score, details, caution and advice pages show for a given record.
#include "AssessmentRecord.h"
#include "Fonts.h"
#include "Judgement.h"
#include "MakeRtf.h"
#include "PageFactories.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"
#include "Twips.h"
#include "results/RichTextView.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QPushButton>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

// One fragment: first opens the document, last closes it.
std::string fragment(const char* text, bool first, bool last, int colour, int halfPoints = 0, bool bold = false,
                     bool par = false)
{
    return MakeRtf(text, first ? -1 : 0, par ? -1 : 0, last ? -1 : 0, colour, static_cast<std::uint8_t>(halfPoints),
                   bold ? -1 : 0);
}

QString accessibleText(QObject* object, QAccessible::Text which)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(which) : QStringLiteral("<not accessible>");
}

void setDetails(AssessmentRecord& record, const QString& name, int score, int answerTotal, const QString& height,
                const QString& weight)
{
    record.PersonalData[Name] = PersonalEntry(name.toStdString());
    record.PersonalData[HeightText] = PersonalEntry(height.toStdString());
    record.PersonalData[WeightText] = PersonalEntry(weight.toStdString());
    record.SusceptibilityScore = static_cast<std::uint8_t>(score);
    record.AnswerCodes[0] = static_cast<std::uint8_t>(answerTotal);
}

} // namespace

class TestResults : public WidgetTest {
    Q_OBJECT

private slots:
    void richText_data();
    void richText();
    void labelLines_data();
    void labelLines();
    void scoreLine_data();
    void scoreLine();
    void classDisplay_data();
    void classDisplay();
    void typeSentence_data();
    void typeSentence();
    void longNamesKeepTheSentenceWhole_data();
    void longNamesKeepTheSentenceWhole();
    void measures_data();
    void measures();
    void textsKeepTheirSpacesAndBreaks_data();
    void textsKeepTheirSpacesAndBreaks();
};

void TestResults::richText_data()
{
    addColumns<QString, QString>({"document", "expected"});
    QTest::newRow("worked example")
        << QString::fromStdString(fragment("ABC", true, false, 2) + fragment(" さんの総合点数は100点満点で57点です。", false, true, 0))
        << QStringLiteral("[ABC|#0000ff|0px|b0] [ さんの総合点数は100点満点で57点です。|default|0px|b0]");
    QTest::newRow("size in half-points, bold, paragraph")
        << QString::fromStdString(fragment("big", true, false, 0, 48, true) + fragment("small", false, true, 5, 30, false, true))
        << QStringLiteral("[big|default|32px|b0] [small|#ff0000|20px|b1]");
    QTest::newRow("formatting ends with its fragment")
        << QString::fromStdString(fragment("a", true, false, 6, 30, true) + fragment("b", false, true, 0))
        << QStringLiteral("[a|#ff00ff|20px|b0] [b|default|0px|b0]");
}

// A new document replaces the old one; text without a size of its own keeps
// the page font, bold.
void TestResults::richText()
{
    QFETCH(QString, document);
    QFETCH(QString, expected);
    RichTextView view;
    view.setRtf(fragment("replaced", true, true, 5, 40, true, true));
    view.setRtf(document.toStdString());
    QCOMPARE(textPieces(view.document()), expected);
    QCOMPARE(view.document()->defaultFont().pixelSize(), pointsToPixels(14.25));
    QVERIFY(view.document()->defaultFont().bold());
}

void TestResults::labelLines_data()
{
    // continued: with a break before each inner run of spaces
    addColumns<QString, int, QString>({"text", "lines", "continued"});
    QTest::newRow("CR LF") << QStringLiteral("あ\r\nい") << 2 << QStringLiteral("あ\r\nい");
    QTest::newRow("LF and lone CR") << QStringLiteral("あ\nい\rう") << 3 << QStringLiteral("あ\nい\rう");
    QTest::newRow("trailing breaks add no height") << QStringLiteral("あ\r\n\r\n") << 1 << QStringLiteral("あ\r\n\r\n");
    QTest::newRow("wrapped within the width") << QString(40, QChar(0x868A)) << 2 << QString(40, QChar(0x868A));
    QTest::newRow("inner runs of spaces") << QStringLiteral("a  b   c d") << 1 << QStringLiteral("a\n  b\n   c d");
    QTest::newRow("outer runs and runs at breaks stay") << QStringLiteral("  a  \r\n   b") << 2 << QStringLiteral("  a  \r\n   b");
}

// Lines stand one em apart, 19 px at 14.25 pt.
void TestResults::labelLines()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    QFETCH(QString, continued);
    QWidget page;
    PageLabel shown(text, PageLabel::Breaks::Plain, &page);
    shown.setFont(pageFont());
    shown.setWordWrap(true);
    shown.setGeometry(0, 0, 600, 200);
    QCOMPARE(shown.textHeight(), lines * pointsToPixels(14.25));
    QCOMPARE(shown.text(), text);
    QCOMPARE(ParagraphLayout::breakBeforeSpaceRuns(text), continued);
}

void TestResults::scoreLine_data()
{
    addColumns<QString, int>({"name", "score"});
    QTest::newRow("worked example") << QStringLiteral("ABC") << 57;
    QTest::newRow("inner and outer spaces") << QStringLiteral("  山田  太郎 ") << 42;
    QTest::newRow("braces and a colour word") << QStringLiteral("a}b{\\CF5 x}} y") << 42;
    QTest::newRow("backslashes, paragraph and hex words") << QStringLiteral("C:\\\\\\par\\'41B\\") << 19;
    QTest::newRow("Japanese and emoji") << QStringLiteral("蚊野　🦟") << 100;
}

// The name as typed in blue, then the sentence in the default colour, on one line.
void TestResults::scoreLine()
{
    QFETCH(QString, name);
    QFETCH(int, score);
    RecordingHost host(record_);
    auto* line = control<RichTextView>(host.startScored(createScorePage, name.toStdString(), score),
                                       QStringLiteral("scoreLine"));
    QCOMPARE(textPieces(line->document()),
             QStringLiteral("[%1|#0000ff|0px|b0] [ さんの総合点数は100点満点で%2点です。|default|0px|b0]").arg(name, QString::number(score)));
}

void TestResults::classDisplay_data()
{
    // highlighted: 0 for the top of the scale (class 4) .. 3 for its bottom (class 1)
    addColumns<int, int, QColor>({"score", "highlighted", "colour"});
    const QColor green(0, 255, 0), black(0, 0, 0), magenta(255, 0, 255), red(255, 0, 0);
    QTest::newRow("19") << 19 << 3 << green;
    QTest::newRow("20") << 20 << 2 << black;
    QTest::newRow("39") << 39 << 2 << black;
    QTest::newRow("40") << 40 << 1 << magenta;
    QTest::newRow("59") << 59 << 1 << magenta;
    QTest::newRow("60") << 60 << 0 << red;
    QTest::newRow("100") << 100 << 0 << red;
}

// The class of the score stands out, larger and in its colour; the labels
// under it move down to make room. Shown by size and colour, the class is
// also told in words to assistive technology, on the score line and on the
// class's label.
void TestResults::classDisplay()
{
    QFETCH(int, score);
    QFETCH(int, highlighted);
    QFETCH(QColor, colour);
    RecordingHost host(record_);
    QWidget* page = host.startScored(createScorePage, "N", score);

    const std::string_view caption = SusceptibilityCaption(4 - highlighted);
    const QString judgement = QStringLiteral("あなたの蚊に刺されやすさ度は")
                              + QString::fromUtf8(caption.data(), qsizetype(caption.size()));
    QObject* line = control(page, QStringLiteral("scoreLine"));
    QCOMPARE(accessibleText(line, QAccessible::Name), QStringLiteral("N さんの総合点数は100点満点で%1点です。").arg(score));
    QCOMPARE(accessibleText(line, QAccessible::Description), judgement);
    const QColor systemText = QApplication::palette().color(QPalette::WindowText);
    for (int i = 0; i < 4; ++i) {
        QLabel* shown = control<QLabel>(page, QString::fromLatin1(ClassScale[i]));
        const int top = 2300 + 500 * i;
        const QColor text = shown->palette().color(QPalette::WindowText);
        QVERIFY(shown->font().bold());
        QCOMPARE(accessibleText(shown, QAccessible::Name), shown->text());
        QCOMPARE(accessibleText(shown, QAccessible::Description), i == highlighted ? judgement : QString());
        if (i == highlighted) {
            QCOMPARE(shown->geometry(), twipsRect(2500, top, 5000, 600));
            QCOMPARE(shown->font().pixelSize(), pointsToPixels(24));
            QCOMPARE(text, colour);
        } else {
            QCOMPARE(shown->geometry(), twipsRect(3000, top + (i > highlighted ? 200 : 0), 5000, 400));
            QCOMPARE(shown->font().pixelSize(), pointsToPixels(14.25));
            QCOMPARE(text, i == 0 ? QColor(0, 0, 0) : systemText); // the top label is black by design
        }
    }
}

void TestResults::typeSentence_data()
{
    addColumns<QString, int, int, QString>({"name", "score", "answerTotal", "expected"});
    const QString n = QStringLiteral("ABC");
    QTest::newRow("score 19, total 0") << n << 19 << 0 << QStringLiteral("刺されにくい ABC さんは 虚証型 です。");
    QTest::newRow("score 20, total 24") << n << 20 << 24 << QStringLiteral("普通程度の ABC さんは 虚証型 です。");
    QTest::newRow("score 39, total 25") << n << 39 << 25 << QStringLiteral("普通程度の ABC さんは 虚実中間型 です。");
    QTest::newRow("score 40, total 45") << n << 40 << 45 << QStringLiteral("刺されやすい ABC さんは 虚実中間型 です。");
    QTest::newRow("score 59, total 46") << n << 59 << 46 << QStringLiteral("刺されやすい ABC さんは 実証型 です。");
    QTest::newRow("score 60, total 70") << n << 60 << 70 << QStringLiteral("非常に刺されやすい ABC さんは 実証型 です。");
    QTest::newRow("name with spaces") << QStringLiteral(" 山田　太郎 ") << 45 << 30 << QStringLiteral("刺されやすい  山田　太郎  さんは 虚実中間型 です。");
}

void TestResults::typeSentence()
{
    QFETCH(QString, name);
    QFETCH(int, score);
    QFETCH(int, answerTotal);
    QFETCH(QString, expected);
    setDetails(record_, name, score, answerTotal, QStringLiteral("170"), QStringLiteral("65"));
    RecordingHost host(record_);
    QCOMPARE(labelText(host.start(createDetailsPage), "typeSentenceLabel"), expected);
}

void TestResults::longNamesKeepTheSentenceWhole_data()
{
    // shortened: on the score line, which has the least room
    addColumns<QString, bool>({"name", "shortened"});
    QTest::newRow("short") << QStringLiteral("蚊野 花子") << false;
    QTest::newRow("long Latin") << QStringLiteral("Maximilian Alexander Schwarzenegger") << true;
    QTest::newRow("long Japanese") << QStringLiteral("勅使河原　三郎右衛門") << true;
    QTest::newRow("mixed") << QStringLiteral("山田 Alexandra Marie-Claire 花子") << true;
    // Each 'e' with a combining acute, and emoji beyond the 16-bit range:
    // the cut must fall between whole characters.
    QTest::newRow("combining marks") << QStringLiteral("Rene\u0301e Ce\u0301line Be\u0301atrice Ame\u0301lie") << true;
    QTest::newRow("emoji") << QString(16, QChar(0xD83E)).replace(QChar(0xD83E), QStringLiteral("🦟")) << true;
    QTest::newRow("right to left") << QStringLiteral("عبد الرحمن بن محمد بن عبد الله الفلاني") << true;
}

// Whatever the name, the score sentence and the type sentence each stay on
// their one line, whole: the name gives way, ending in "…", and stays
// available in full to the tooltip and to assistive technology.
void TestResults::longNamesKeepTheSentenceWhole()
{
    QFETCH(QString, name);
    QFETCH(bool, shortened);
    const QString sentence = QStringLiteral(" さんの総合点数は100点満点で57点です。");
    const auto checkName = [&](const QString& shown, QWidget* control, bool mayBeWhole) {
        QString inner = shown;
        inner.remove(QChar(0x2068)).remove(QChar(0x2069));
        if (!shortened || (mayBeWhole && inner == name)) {
            QCOMPARE(inner, name);
            return;
        }
        QVERIFY2(inner.endsWith(QChar(0x2026)) && name.startsWith(inner.chopped(1)), qPrintable(inner));
        QVERIFY(inner.size() > 1);
        // Not cut inside a surrogate pair or before a combining mark.
        QVERIFY(!inner.chopped(1).back().isHighSurrogate());
        QVERIFY(name.at(inner.size() - 1).category() != QChar::Mark_NonSpacing);
        QCOMPARE(control->toolTip().remove(QChar(0x2068)).remove(QChar(0x2069)), name);
        QVERIFY(control->accessibleName().contains(name));
    };

    fillRecordForScore(record_, name.toStdString(), 57);
    {
        RecordingHost host(record_);
        auto* line = control<RichTextView>(host.start(createScorePage), QStringLiteral("scoreLine"));
        const QString text = line->toPlainText();
        QVERIFY2(text.endsWith(sentence), qPrintable(text));
        QVERIFY(line->document()->idealWidth() <= line->width());
        checkName(text.chopped(sentence.size()), line, false);
    }
    QCOMPARE(QString::fromStdString(record_.PersonalData[Name].text()), name);
    {
        RecordingHost host(record_);
        auto* typeLine = static_cast<PageLabel*>(label(host.start(createDetailsPage), "typeSentenceLabel"));
        const QString lead = QStringLiteral("刺されやすい "), phrase = QStringLiteral(" さんは 実証型 です。");
        const QString text = typeLine->text();
        QVERIFY2(text.startsWith(lead) && text.endsWith(phrase), qPrintable(text));
        QCOMPARE(typeLine->textHeight(), typeLine->linePitch());
        checkName(text.mid(lead.size()).chopped(phrase.size()), typeLine, true);
    }
}

void TestResults::measures_data()
{
    // obesity: "" for an empty line
    addColumns<QString, QString, QString, QString>({"height", "weight", "obesity", "bmi"});
    QTest::newRow("170 cm, 65 kg") << "170" << "65" << "10.4" << "22.5";
    QTest::newRow("200 cm: no standard weight") << "200" << "80" << "" << "20";
    QTest::newRow("standard weight gives 0") << "170" << "58.86" << "0" << "20.4";
    QTest::newRow("full-width digits") << "１７０" << "６５" << "10.4" << "22.5";
    // Entries the personal data page refuses never get here; if one did,
    // its lines would stay empty.
    QTest::newRow("zero height") << "0" << "65" << "" << "";
}

void TestResults::measures()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, obesity);
    QFETCH(QString, bmi);
    setDetails(record_, QStringLiteral("N"), 30, 20, height, weight);
    RecordingHost host(record_);
    QWidget* page = host.start(createDetailsPage);
    QCOMPARE(labelText(page, "obesityLabel"), obesity.isEmpty() ? obesity : QStringLiteral("あなたの肥満度は　%1%　です。").arg(obesity));
    QCOMPARE(labelText(page, "bmiLabel"), bmi.isEmpty() ? bmi : QStringLiteral("あなたのBMIは　%1　です。").arg(bmi));
}

void TestResults::textsKeepTheirSpacesAndBreaks_data()
{
    // indent: spaces that indent the second line, 0 for none
    addColumns<Factory, QString, QString, int>({"create", "labelName", "text", "indent"});
    QTest::newRow("caution point 2") << Factory(createCautionPage) << "point2Label"
        << QStringLiteral("２．足元が特に狙われやすいので、サンダルなどの素足を避け、     靴下と靴を履きましょう。") << 5;
    QTest::newRow("details legend") << Factory(createDetailsPage) << "bmiLegendLabel"
        << QStringLiteral("    ～17.6 やせすぎ\r\n17.6～20.0 やせ気味\r\n20.0～24.0 正常\r\n24.0～26.5 やや肥満\r\n26.5～     肥満") << 0;
    QTest::newRow("advice contact") << Factory(createAdvicePage) << "contactLabel"
        << QStringLiteral("ヤブカによく刺され、蚊の発生源がどこにあるか分からない場合、蚊の専門家が発生源を調べ、発生を抑える処理を致します。\r\n有限会社Quenmar：")
               + QStringLiteral(TELLUMO_CONTACT_EMAIL) + QStringLiteral("までご連絡下さい。\r\n") << 0;
}

// Plain text whose runs of spaces are never collapsed as markup would
// collapse them, CR LF breaks that draw no glyph of their own, and a run of
// spaces that starts an indented continuation line.
void TestResults::textsKeepTheirSpacesAndBreaks()
{
    QFETCH(Factory, create);
    QFETCH(QString, labelName);
    QFETCH(QString, text);
    QFETCH(int, indent);
    RecordingHost host(record_);
    auto* shown = control<PageLabel>(host.startScored(create, "N", 30), labelName);
    QCOMPARE(shown->text(), text);
    QCOMPARE(shown->textFormat(), Qt::PlainText);
    if (text.contains(QStringLiteral("\r\n")))
        QVERIFY(paintsLike(shown, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
    if (indent == 0)
        return;

    // Leftmost dark pixel of each of the first three lines.
    const QImage image = shown->grab().toImage();
    const int pitch = shown->linePitch();
    QList<int> starts;
    for (int line = 0; line < 3; ++line)
        starts << inkedColumns(image, line * pitch, (line + 1) * pitch, 100).value(0, -1);
    // Where exactly the continuation starts is measured by the fidelity test.
    QVERIFY2(starts[0] >= 0 && starts[0] < 4, qPrintable(QString::number(starts[0])));
    QVERIFY2(starts[1] > starts[0] + pitch, qPrintable(QString::number(starts[1])));
    QCOMPARE(starts[2], -1);
}

QTEST_MAIN(TestResults)
#include "test_results.moc"
