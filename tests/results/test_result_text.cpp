// The text controls of the result pages: the rich-text line, the page
// labels, and whether every page's texts fit their places.
#include "Fonts.h"
#include "MakeRtf.h"
#include "PageFactories.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"
#include "results/PageLabel.h"
#include "results/RichTextView.h"
#include "TextPieces.h"
#include "Twips.h"

#include <QAbstractTextDocumentLayout>
#include <QPushButton>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

Q_DECLARE_METATYPE(QList<TextPiece>)

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
    return parts.join(QLatin1Char(' '));
}

std::string fragment(const char* text, bool first, bool last, int colour, int size, bool bold,
                     bool par = false)
{
    return MakeRtf(text, first ? -1 : 0, par ? -1 : 0, last ? -1 : 0, colour,
                   static_cast<std::uint8_t>(size), bold ? -1 : 0);
}

} // namespace

class TestResultText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void formatting_data();
    void formatting();
    void newContentReplacesOld();
    void scoreLineFitsOneLine();
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
    QTest::addColumn<QList<TextPiece>>("expected");

    QTest::newRow("worked example")
        << QString::fromStdString(fragment("ABC", true, false, 2, 0, false)
                                  + fragment(" さんの総合点数は100点満点で57点です。", false, true, 0, 0, false))
        << QList<TextPiece>{{"ABC", "#0000ff", 0, true, 0},
                            {QStringLiteral(" さんの総合点数は100点満点で57点です。"), "default", 0, true, 0}};
    QTest::newRow("every colour of the table")
        << QString::fromStdString(fragment("k", true, false, 1, 0, false) + fragment("g", false, false, 3, 0, false)
                                  + fragment("c", false, false, 4, 0, false) + fragment("r", false, false, 5, 0, false)
                                  + fragment("m", false, false, 6, 0, false) + fragment("y", false, false, 7, 0, false)
                                  + fragment("w", false, true, 8, 0, false))
        << QList<TextPiece>{{"k", "#000000", 0, true, 0}, {"g", "#00ff00", 0, true, 0},
                            {"c", "#00ffff", 0, true, 0}, {"r", "#ff0000", 0, true, 0},
                            {"m", "#ff00ff", 0, true, 0}, {"y", "#ffff00", 0, true, 0},
                            {"w", "#ffffff", 0, true, 0}};
    QTest::newRow("size in half-points")
        << QString::fromStdString(fragment("big", true, false, 0, 48, true) + fragment("small", false, true, 0, 20, false))
        << QList<TextPiece>{{"big", "default", pointsToPixels(24), true, 0},
                            {"small", "default", pointsToPixels(10), true, 0}};
    QTest::newRow("paragraph word starts a new line")
        << QString::fromStdString(fragment("one", true, false, 0, 0, false) + fragment("two", false, true, 5, 0, false, true))
        << QList<TextPiece>{{"one", "default", 0, true, 0}, {"two", "#ff0000", 0, true, 1}};
    QTest::newRow("formatting ends with its fragment")
        << QString::fromStdString(fragment("a", true, false, 6, 30, true) + fragment("b", false, true, 0, 0, false))
        << QList<TextPiece>{{"a", "#ff00ff", pointsToPixels(15), true, 0}, {"b", "default", 0, true, 0}};
}

void TestResultText::formatting()
{
    QFETCH(QString, document);
    QFETCH(QList<TextPiece>, expected);

    RichTextView view;
    view.setRtf(document.toStdString());
    QCOMPARE(describe(textPieces(view.document())), describe(expected));
    // Text without a size of its own keeps the page font.
    QCOMPARE(view.document()->defaultFont().pixelSize(), pointsToPixels(14.25));
    QVERIFY(view.document()->defaultFont().bold());
}

void TestResultText::newContentReplacesOld()
{
    RichTextView view;
    view.setRtf(fragment("first", true, true, 5, 40, true, true));
    view.setRtf(fragment("second", true, true, 0, 0, false));
    QCOMPARE(describe(textPieces(view.document())), describe({{"second", "default", 0, true, 0}}));
}

void TestResultText::scoreLineFitsOneLine()
{
    // The widest line the page shows for a short name: it must fit the
    // view's one line without wrapping or clipping.
    RichTextView view;
    view.setGeometry(twipsRect(2000, 1200, 7500, 420));
    view.setRtf(fragment("山田太郎", true, false, 2, 0, false)
                + fragment(" さんの総合点数は100点満点で100点です。", false, true, 0, 0, false));
    const QSizeF used = view.document()->documentLayout()->documentSize();
    QCOMPARE(view.document()->blockCount(), 1);
    QVERIFY2(used.width() <= view.viewport()->width(), qPrintable(QString::number(used.width())));
    QVERIFY2(used.height() <= view.viewport()->height(), qPrintable(QString::number(used.height())));
}

void TestResultText::continuationBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("run in mid-text starts the indented line")
        << QStringLiteral("２．素足を避け、     靴下と靴を") << QStringLiteral("２．素足を避け、\n     靴下と靴を");
    QTest::newRow("one space is an ordinary space") << QStringLiteral("BMI is 20") << QStringLiteral("BMI is 20");
    QTest::newRow("leading run stays") << QStringLiteral("    ～17.6 やせすぎ") << QStringLiteral("    ～17.6 やせすぎ");
    QTest::newRow("trailing run stays") << QStringLiteral("end   ") << QStringLiteral("end   ");
    QTest::newRow("runs next to line breaks stay")
        << QStringLiteral("a\r\n   b   \r\nc") << QStringLiteral("a\r\n   b   \r\nc");
    QTest::newRow("every run in the text") << QStringLiteral("a  b   c") << QStringLiteral("a\n  b\n   c");
    QTest::newRow("empty") << QString() << QString();
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

    // One line is 19 px at 14.25 pt; a 600-pixel label wraps nothing here.
    QTest::newRow("one line") << QStringLiteral("あいう") << 1;
    QTest::newRow("CR LF") << QStringLiteral("あ\r\nい") << 2;
    QTest::newRow("LF and lone CR") << QStringLiteral("あ\nい\rう") << 3;
    QTest::newRow("trailing breaks add no text height") << QStringLiteral("あ\r\n\r\n") << 1;
    QTest::newRow("empty line inside counts") << QStringLiteral("あ\r\n\r\nい") << 3;
    QTest::newRow("wrapped within the width") << QString(60, QChar(0x868A)) << 2;
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
    QCOMPARE(shown.linePitch(), pointsToPixels(14.25));
    QCOMPARE(shown.textHeight(), lines * shown.linePitch());
    QCOMPARE(shown.text(), text);
    QVERIFY(!shown.displayText().contains(u'\r'));
}

void TestResultText::textsFitTheirPlaces_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("pageName");

    for (int score : {15, 30, 50, 75})
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
    QCOMPARE(page->objectName(), pageName);

    // Every label's lines end inside its height, no two controls overlap
    // where they show text, and every control stands on the page.
    QList<QWidget*> controls;
    for (auto* shown : page->findChildren<PageLabel*>()) {
        QVERIFY2(shown->textHeight() <= shown->height(),
                 qPrintable(QStringLiteral("%1: %2 > %3").arg(shown->objectName()).arg(shown->textHeight()).arg(shown->height())));
        controls << shown;
    }
    for (auto* button : page->findChildren<QPushButton*>())
        controls << button;
    for (auto* line : page->findChildren<RichTextView*>())
        controls << line;
    QVERIFY(controls.size() >= 6);
    for (QWidget* a : controls) {
        QVERIFY2(a->x() >= 0 && a->y() >= 0 && a->geometry().bottom() < page->height(),
                 qPrintable(a->objectName()));
        for (QWidget* b : controls) {
            if (a == b)
                continue;
            QRect ra = a->geometry(), rb = b->geometry();
            if (auto* l = qobject_cast<PageLabel*>(a))
                ra.setHeight(l->textHeight());
            if (auto* l = qobject_cast<PageLabel*>(b))
                rb.setHeight(l->textHeight());
            QVERIFY2(!ra.intersects(rb), qPrintable(a->objectName() + QStringLiteral(" overlaps ") + b->objectName()));
        }
    }
}

QTEST_MAIN(TestResultText)
#include "test_result_text.moc"
