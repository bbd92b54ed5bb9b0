// The caution points and advice pages: fixed texts, their spaces and line
// breaks, layout and buttons.
#include "Fonts.h"
#include "Page.h"
#include "PageFactories.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

using Factory = QWidget* (*)(PageHost&);

// Leftmost dark pixel of each text line of a label, -1 for a line without ink.
QList<int> lineStarts(QLabel* shown, int lines)
{
    const QImage image = shown->grab().toImage();
    auto* lined = qobject_cast<PageLabel*>(shown);
    const int spacing = lined ? lined->linePitch() : qRound(QFontMetricsF(shown->font()).lineSpacing());
    QList<int> starts(lines, -1);
    for (int y = 0; y < image.height() && y < lines * spacing; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                int& start = starts[y / spacing];
                if (start < 0 || x < start)
                    start = x;
                break;
            }
    return starts;
}

} // namespace

class TestForm6And7 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void texts_data();
    void texts();
    void pageSizes();
    void spacesIndentTheSecondLine_data();
    void spacesIndentTheSecondLine();
    void lineBreaksDrawNoGlyph_data();
    void lineBreaksDrawNoGlyph();
    void buttons_data();
    void buttons();
};

void TestForm6And7::initTestCase()
{
    installFontSubstitutions();
}

void TestForm6And7::init()
{
    resetRecord();
}

void TestForm6And7::cleanup()
{
    QTRY_VERIFY_WITH_TIMEOUT(leftoverWindows().isEmpty(), 2000);
}

void TestForm6And7::texts_data()
{
    QTest::addColumn<Factory>("create");
    QTest::addColumn<QString>("labelName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("place");

    const QRect caution[] = {twipsRect(0, 800, 10000, 450), twipsRect(1000, 1500, 8000, 300),
                             twipsRect(1000, 2200, 8100, 600), twipsRect(1000, 3200, 8000, 600),
                             twipsRect(1000, 4200, 8000, 600)};
    int i = 0;
    for (const auto& [name, text] : cautionTexts())
        QTest::addRow("Form6 %s", name) << Factory(createForm6) << QString::fromLatin1(name) << text << caution[i++];

    const QRect advice[] = {twipsRect(0, 700, 10000, 450), twipsRect(1000, 1200, 8000, 600),
                            twipsRect(1000, 2050, 8000, 900), twipsRect(1000, 3180, 7995, 1200),
                            twipsRect(1000, 4600, 8200, 900)};
    i = 0;
    for (const auto& [name, text] : adviceTexts(QStringLiteral(TELLUMO_CONTACT_EMAIL)))
        QTest::addRow("Form7 %s", name) << Factory(createForm7) << QString::fromLatin1(name) << text << advice[i++];
}

void TestForm6And7::texts()
{
    QFETCH(Factory, create);
    QFETCH(QString, labelName);
    QFETCH(QString, text);
    QFETCH(QRect, place);
    RecordingHost host;
    QWidget* page = host.start(create);
    QLabel* shown = label(page, qPrintable(labelName));
    QVERIFY(shown);
    QCOMPARE(shown->text(), text);
    QCOMPARE(shown->geometry(), place);
    // Plain text, so runs of spaces are never collapsed as markup would.
    QCOMPARE(shown->textFormat(), Qt::PlainText);
    QVERIFY(shown->wordWrap());
    QCOMPARE(shown->font().pixelSize(), pointsToPixels(14.25));
    QVERIFY(shown->font().bold());
    QCOMPARE(textColour(shown), QApplication::palette().color(QPalette::WindowText));
    const bool title = place.x() == 0;
    QCOMPARE(bool(shown->alignment() & Qt::AlignHCenter), title);
}

void TestForm6And7::pageSizes()
{
    for (Factory create : {Factory(createForm6), Factory(createForm7)}) {
        RecordingHost host;
        QWidget* page = host.start(create);
        QCOMPARE(page->size(), twipsSize(9945, 6975));
        QVERIFY(page->inherits("tellumo::Page"));
    }
}

void TestForm6And7::spacesIndentTheSecondLine_data()
{
    QTest::addColumn<QString>("labelName");
    QTest::addColumn<int>("spaces");
    QTest::newRow("point 2") << "Label3" << 5;
    QTest::newRow("point 3") << "Label4" << 6;
    QTest::newRow("point 4") << "Label5" << 6;
}

void TestForm6And7::spacesIndentTheSecondLine()
{
    QFETCH(QString, labelName);
    QFETCH(int, spaces);
    RecordingHost host;
    QLabel* point = label(host.start(createForm6), qPrintable(labelName));
    QVERIFY(point);

    // The point reads as two lines; the second starts after the run of
    // spaces, shown at their full width.
    const qreal runWidth = QFontMetricsF(point->font()).horizontalAdvance(QString(spaces, u' '));
    const QList<int> starts = lineStarts(point, 2);
    QVERIFY2(starts[0] >= 0 && starts[0] < 4, qPrintable(QString::number(starts[0])));
    QVERIFY2(starts[1] >= runWidth - 2 && starts[1] <= runWidth + 6,
             qPrintable(QStringLiteral("%1 vs %2").arg(starts[1]).arg(runWidth)));
}

void TestForm6And7::lineBreaksDrawNoGlyph_data()
{
    QTest::addColumn<QString>("labelName");
    QTest::addColumn<bool>("breakInText");
    QTest::newRow("advice 1, two trailing breaks") << "Label2" << false;
    QTest::newRow("advice 3, break between sentences") << "Label4" << true;
    QTest::newRow("advice 4, contact") << "Label5" << true;
}

void TestForm6And7::lineBreaksDrawNoGlyph()
{
    QFETCH(QString, labelName);
    QFETCH(bool, breakInText);
    RecordingHost host;
    QLabel* advice = label(host.start(createForm7), qPrintable(labelName));
    QVERIFY(advice);
    QVERIFY(advice->text().contains(QStringLiteral("\r\n")));
    QVERIFY(paintsLike(advice, QString(advice->text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
    // A break inside the text starts a new line; trailing breaks add empty space only.
    QCOMPARE(!paintsLike(advice, QString(advice->text()).remove(QStringLiteral("\r\n"))), breakInText);
}

void TestForm6And7::buttons_data()
{
    QTest::addColumn<Factory>("create");
    QTest::addColumn<QStringList>("tabOrder");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<QRect>>("places");
    QTest::newRow("Form6") << Factory(createForm6) << QStringList{"Command1", "Command2"}
                           << QStringList{QStringLiteral("終了"), QStringLiteral("蚊の対策法")}
                           << QList<QRect>{twipsRect(5800, 5500, 1200, 800), twipsRect(2800, 5500, 2000, 800)};
    QTest::newRow("Form7") << Factory(createForm7) << QStringList{"Command1"} << QStringList{QStringLiteral("終了")}
                           << QList<QRect>{twipsRect(4400, 5700, 1200, 800)};
}

void TestForm6And7::buttons()
{
    QFETCH(Factory, create);
    QFETCH(QStringList, tabOrder);
    QFETCH(QStringList, texts);
    QFETCH(QList<QRect>, places);
    RecordingHost host;
    QWidget* page = host.start(create);
    QCOMPARE(page->findChildren<QPushButton*>().size(), tabOrder.size());
    QWidget* focus = page->focusWidget();
    QVERIFY(focus);
    for (qsizetype i = 0; i < tabOrder.size(); ++i) {
        auto* button = page->findChild<QPushButton*>(tabOrder[i]);
        QVERIFY(button);
        QCOMPARE(button->text(), texts[i]);
        QCOMPARE(button->geometry(), places[i]);
        QCOMPARE(focus, button);
        do
            focus = focus->nextInFocusChain();
        while (!(focus->focusPolicy() & Qt::TabFocus));
    }
}

QTEST_MAIN(TestForm6And7)
#include "test_form6_7.moc"
