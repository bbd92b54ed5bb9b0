// Bold text keeps its weight on scaled screens. Each kind of text the windows
// draw bold (a label, a command button's caption, a choice's caption) is
// drawn bold and regular at scale 1 and at 1.25, 1.5 and 2; the ink that bold
// adds over regular must be what it adds at scale 1, and the bold text must
// stand where the regular text stands.
#include "BoldText.h"
#include "Fonts.h"
#include "PageLabel.h"
#include "Twips.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace tellumo;

namespace {

enum class Kind { Label, CommandButton, Choice };

struct Sample {
    Kind kind;
    QString face;
    double points;
    QString text;
    bool enabled;
};

const QList<std::pair<const char*, Sample>>& samples()
{
    static const QList<std::pair<const char*, Sample>> list = {
        {"title", {Kind::Label, ProportionalGothic, 14.25, QStringLiteral("個人データ　Q11 暑がりですか"), true}},
        {"small label", {Kind::Label, ProportionalGothic, 12, QStringLiteral("次のうち、当てはまるか"), true}},
        {"class scale", {Kind::Label, ProportionalGothic, 24, QStringLiteral("非常に刺されやすい"), true}},
        {"credit", {Kind::Label, ProportionalMincho, 21.75, QStringLiteral("提供：Ostrevan"), true}},
        {"legend", {Kind::Label, FixedGothic, 12, QStringLiteral("17.6～20.0 やせ気味"), true}},
        {"command button", {Kind::CommandButton, ProportionalGothic, 14.25, QStringLiteral("判定結果の詳細"), true}},
        {"disabled button", {Kind::CommandButton, ProportionalGothic, 14.25, QStringLiteral("判定結果の詳細"), false}},
        {"choice", {Kind::Choice, ProportionalGothic, 12, QStringLiteral("非常にかさつく"), true}},
    };
    return list;
}

std::unique_ptr<QWidget> makeWidget(const Sample& sample, const QString& text, bool bold)
{
    std::unique_ptr<QWidget> widget;
    switch (sample.kind) {
    case Kind::Label:
        widget = std::make_unique<PageLabel>(text, PageLabel::Breaks::Plain, nullptr);
        break;
    case Kind::CommandButton:
        widget = std::make_unique<QPushButton>(text);
        break;
    case Kind::Choice:
        widget = std::make_unique<QRadioButton>(text);
        break;
    }
    widget->setFont(makeFont(sample.face, sample.points, bold));
    widget->setEnabled(sample.enabled);
    widget->resize(400, 56);
    return widget;
}

// The widget painted into an image of `ratio` device pixels per logical one,
// as a window on a screen of that scale is painted.
QImage render(QWidget& widget, qreal ratio)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

struct Ink {
    double amount = 0; // summed darkening, in fully dark pixels
    QRect box;         // device pixels darkened clearly
};

// What the text adds to the widget: each pixel's darkening against the same
// widget without text (a button's face and frame cancel out).
Ink inkOf(const QImage& withText, const QImage& withoutText)
{
    Ink ink;
    for (int y = 0; y < withText.height(); ++y) {
        for (int x = 0; x < withText.width(); ++x) {
            const int darker = qGray(withoutText.pixel(x, y)) - qGray(withText.pixel(x, y));
            if (darker <= 0)
                continue;
            ink.amount += darker / 255.0;
            if (darker > 24)
                ink.box |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

Ink textInk(const Sample& sample, bool bold, qreal ratio)
{
    const auto withText = makeWidget(sample, sample.text, bold);
    const auto withoutText = makeWidget(sample, QString(), bold);
    return inkOf(render(*withText, ratio), render(*withoutText, ratio));
}

// How much ink bold adds to the regular text, as a fraction of it.
double extraInk(const Ink& bold, const Ink& regular)
{
    return bold.amount / regular.amount - 1;
}

} // namespace

class TestBoldText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void boldKeepsItsWeight_data();
    void boldKeepsItsWeight();
    void boldStandsInPlace_data();
    void boldStandsInPlace();
    void boldOnTheScreensScale();
};

void TestBoldText::initTestCase()
{
    installFontSubstitutions();
    installBoldTextStyle();
}

void TestBoldText::boldKeepsItsWeight_data()
{
    QTest::addColumn<int>("sample");
    QTest::addColumn<qreal>("ratio");
    for (int i = 0; i < samples().size(); ++i)
        for (const qreal ratio : {1.25, 1.5, 2.0})
            QTest::addRow("%s at %g", samples()[i].first, ratio) << i << ratio;
}

void TestBoldText::boldKeepsItsWeight()
{
    QFETCH(int, sample);
    QFETCH(qreal, ratio);
    const Sample& s = samples()[sample].second;

    const double atOne = extraInk(textInk(s, true, 1), textInk(s, false, 1));
    const double scaled = extraInk(textInk(s, true, ratio), textInk(s, false, ratio));
    // Bold is bold to begin with; synthetic emboldening adds about half again.
    QVERIFY2(atOne > 0.25, qPrintable(QStringLiteral("bold adds %1 at scale 1").arg(atOne)));
    // Scaled, it adds the same within an eighth: hinting and the rendering of
    // edges differ a little between sizes. Drawn thin, it adds 1/ratio of it
    // (0.8 of it at 1.25).
    QVERIFY2(std::abs(scaled / atOne - 1) < 0.125,
             qPrintable(QStringLiteral("bold adds %1 at scale %2, %3 at scale 1").arg(scaled).arg(ratio).arg(atOne)));
}

void TestBoldText::boldStandsInPlace_data()
{
    boldKeepsItsWeight_data();
}

void TestBoldText::boldStandsInPlace()
{
    QFETCH(int, sample);
    QFETCH(qreal, ratio);
    const Sample& s = samples()[sample].second;

    // Regular text is drawn by Qt alone; the bold glyphs must cover the same
    // place, grown by the emboldening (a 24th of the em each way) at most.
    const QRect bold = textInk(s, true, ratio).box;
    const QRect regular = textInk(s, false, ratio).box;
    QVERIFY(!regular.isEmpty());
    const double em = pointsToPixels(s.points) * ratio;
    const double slack = em / 24 + 1.5;
    const QMargins grown(regular.left() - bold.left(), regular.top() - bold.top(),
                         bold.right() - regular.right(), bold.bottom() - regular.bottom());
    const QString where = QStringLiteral("bold %1,%2 %3x%4, regular %5,%6 %7x%8")
                              .arg(bold.x()).arg(bold.y()).arg(bold.width()).arg(bold.height())
                              .arg(regular.x()).arg(regular.y()).arg(regular.width()).arg(regular.height());
    for (const int side : {grown.left(), grown.top(), grown.right(), grown.bottom()})
        QVERIFY2(side >= -1 && side <= slack, qPrintable(where));
}

void TestBoldText::boldOnTheScreensScale()
{
    // The same through a window's own painting on the screen the test runs on
    // (registered again with QT_SCALE_FACTOR set).
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    if (ratio == 1)
        QSKIP("the screen is not scaled");
    const Sample& s = samples().front().second;
    const auto grabInk = [&](bool bold) {
        const auto withText = makeWidget(s, s.text, bold);
        const auto withoutText = makeWidget(s, QString(), bold);
        withText->show();
        withoutText->show();
        return inkOf(withText->grab().toImage(), withoutText->grab().toImage());
    };
    const double atOne = extraInk(textInk(s, true, 1), textInk(s, false, 1));
    const double shown = extraInk(grabInk(true), grabInk(false));
    QVERIFY2(std::abs(shown / atOne - 1) < 0.125,
             qPrintable(QStringLiteral("bold adds %1 on the screen, %2 at scale 1").arg(shown).arg(atOne)));
}

QTEST_MAIN(TestBoldText)
#include "test_bold_text.moc"
