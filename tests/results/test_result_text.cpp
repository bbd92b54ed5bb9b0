// The text controls of the result pages: the rich-text line, the page
// labels, and whether every page's texts fit their places.
#include "Fonts.h"
#include "MakeRtf.h"
#include "PageFactories.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"
#include "TextPieces.h"
#include "Twips.h"
#include "results/PageLabel.h"
#include "results/RichTextView.h"

#include <QAbstractTextDocumentLayout>
#include <QPushButton>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

QString describe(const QList<TextPiece>& pieces)
{
    QStringList parts;
    for (const TextPiece& p : pieces)
        parts << QStringLiteral("[%1|%2|%3px|%4|b%5]")
                     .arg(p.text, p.colour)
                     .arg(p.pixelSize)
                     .arg(p.bold ? QStringLiteral("bold") : QStringLiteral("plain"))
                     .arg(p.block);
    return parts.join(u' ');
}

// One fragment: first opens the document, last closes it.
std::string fragment(const char* text, bool first, bool last, int colour, int halfPoints = 0,
                     bool bold = false, bool par = false)
{
    return MakeRtf(text, first ? -1 : 0, par ? -1 : 0, last ? -1 : 0, colour,
                   static_cast<std::uint8_t>(halfPoints), bold ? -1 : 0);
}

} // namespace

class TestResultText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void formatting_data();
    void formatting();
    void continuationBreaks_data();
    void continuationBreaks();
    void lineBreaks_data();
    void lineBreaks();
    void textsFitTheirPlaces_data();
    void textsFitTheirPlaces();
};

void TestResultText::initTestCase()
{
    installFontSubstitutions();
}

void TestResultText::cleanup()
{
    QTRY_VERIFY_WITH_TIMEOUT(leftoverWindows().isEmpty(), 2000);
}

void TestResultText::formatting_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("expected");

    QTest::newRow("worked example")
        << QString::fromStdString(fragment("ABC", true, false, 2)
                                  + fragment(" さんの総合点数は100点満点で57点です。", false, true, 0))
        << QStringLiteral("[ABC|#0000ff|0px|bold|b0] [ さんの総合点数は100点満点で57点です。|default|0px|bold|b0]");
    QTest::newRow("every colour of the table")
        << QString::fromStdString(fragment("k", true, false, 1) + fragment("g", false, false, 3)
                                  + fragment("c", false, false, 4) + fragment("r", false, false, 5)
                                  + fragment("m", false, false, 6) + fragment("y", false, false, 7)
                                  + fragment("w", false, true, 8))
        << QStringLiteral("[k|#000000|0px|bold|b0] [g|#00ff00|0px|bold|b0] [c|#00ffff|0px|bold|b0] "
                          "[r|#ff0000|0px|bold|b0] [m|#ff00ff|0px|bold|b0] [y|#ffff00|0px|bold|b0] "
                          "[w|#ffffff|0px|bold|b0]");
    QTest::newRow("size in half-points, bold, paragraph")
        << QString::fromStdString(fragment("big", true, false, 0, 48, true) + fragment("small", false, true, 5, 30, false, true))
        << QStringLiteral("[big|default|32px|bold|b0] [small|#ff0000|20px|bold|b1]");
    QTest::newRow("formatting ends with its fragment")
        << QString::fromStdString(fragment("a", true, false, 6, 30, true) + fragment("b", false, true, 0))
        << QStringLiteral("[a|#ff00ff|20px|bold|b0] [b|default|0px|bold|b0]");
}

void TestResultText::formatting()
{
    QFETCH(QString, document);
    QFETCH(QString, expected);

    RichTextView view;
    view.setRtf(fragment("replaced", true, true, 5, 40, true, true));
    view.setRtf(document.toStdString());
    QCOMPARE(describe(textPieces(view.document())), expected);
    // Text without a size of its own keeps the page font.
    QCOMPARE(view.document()->defaultFont().pixelSize(), pointsToPixels(14.25));
    QVERIFY(view.document()->defaultFont().bold());
}

void TestResultText::continuationBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("run in mid-text starts the indented line")
        << QStringLiteral("２．素足を避け、     靴下と靴を") << QStringLiteral("２．素足を避け、\n     靴下と靴を");
    QTest::newRow("one space is an ordinary space") << QStringLiteral("BMI is 20") << QStringLiteral("BMI is 20");
    QTest::newRow("leading and trailing runs stay") << QStringLiteral("    ～17.6   ") << QStringLiteral("    ～17.6   ");
    QTest::newRow("runs next to line breaks stay")
        << QStringLiteral("a\r\n   b   \r\nc") << QStringLiteral("a\r\n   b   \r\nc");
    QTest::newRow("every run in the text") << QStringLiteral("a  b   c") << QStringLiteral("a\n  b\n   c");
}

void TestResultText::continuationBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(PageLabel::breakBeforeSpaceRuns(text), shown);
}

void TestResultText::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");

    QTest::newRow("one line") << QStringLiteral("あいう") << 1;
    QTest::newRow("CR LF") << QStringLiteral("あ\r\nい") << 2;
    QTest::newRow("LF and lone CR") << QStringLiteral("あ\nい\rう") << 3;
    QTest::newRow("trailing breaks add no text height") << QStringLiteral("あ\r\n\r\n") << 1;
    QTest::newRow("empty line inside counts") << QStringLiteral("あ\r\n\r\nい") << 3;
    QTest::newRow("wrapped within the width") << QString(40, QChar(0x868A)) << 2;
}

void TestResultText::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    QWidget page;
    PageLabel shown(text, PageLabel::Breaks::Plain, &page);
    shown.setFont(pageFont());
    shown.setWordWrap(true);
    shown.setGeometry(0, 0, 600, 200);
    // Lines stand one em apart, 19 px at 14.25 pt.
    QCOMPARE(shown.textHeight(), lines * pointsToPixels(14.25));
    QCOMPARE(shown.text(), text);
}

void TestResultText::textsFitTheirPlaces_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("pageName");

    for (int score : {15, 30, 50, 100})
        QTest::addRow("Form4 at %d", score) << score << "Form4";
    QTest::newRow("Form5") << 57 << "Form5";
    QTest::newRow("Form6") << 57 << "Form6";
    QTest::newRow("Form7") << 57 << "Form7";
}

void TestResultText::textsFitTheirPlaces()
{
    QFETCH(int, score);
    QFETCH(QString, pageName);
    resetRecord();
    fillRecordForScore("山田太郎", score);
    const PageHost::PageFactory create = pageName == QLatin1String("Form4")   ? createForm4
                                         : pageName == QLatin1String("Form5") ? createForm5
                                         : pageName == QLatin1String("Form6") ? createForm6
                                                                              : createForm7;
    RecordingHost host;
    QWidget* page = host.start(create);

    // Each control's text ends inside its place, no two controls overlap
    // where they show text, and every control stands on the page.
    QList<std::pair<QWidget*, QRect>> used;
    for (auto* shown : page->findChildren<PageLabel*>()) {
        QVERIFY2(shown->textHeight() <= shown->height(), qPrintable(shown->objectName()));
        used.append({shown, QRect(shown->pos(), QSize(shown->width(), shown->textHeight()))});
    }
    for (auto* line : page->findChildren<RichTextView*>()) {
        const QSizeF size = line->document()->documentLayout()->documentSize();
        QVERIFY2(size.width() <= line->width() && size.height() <= line->height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
        used.append({line, line->geometry()});
    }
    for (auto* button : page->findChildren<QPushButton*>())
        used.append({button, button->geometry()});
    for (const auto& [control, place] : used) {
        QVERIFY2(place.x() >= 0 && place.y() >= 0 && place.bottom() < page->height(), qPrintable(control->objectName()));
        for (const auto& [other, otherPlace] : used)
            QVERIFY2(control == other || !place.intersects(otherPlace),
                     qPrintable(control->objectName() + QStringLiteral(" overlaps ") + other->objectName()));
    }
}

QTEST_MAIN(TestResultText)
#include "test_result_text.moc"
