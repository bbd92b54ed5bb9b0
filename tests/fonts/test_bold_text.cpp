// Bold text keeps its weight on scaled screens: each kind of text the windows
// draw bold is drawn bold and regular at scale 1 and at 1.25, 1.5 and 2. The
// ink bold adds over regular must be what it adds at scale 1, and the bold
// text must stand where the regular text, drawn by Qt alone, stands.
#include "BoldText.h"
#include "Fonts.h"
#include "MakeRtf.h"
#include "PageLabel.h"
#include "TestSupport.h"
#include "Twips.h"
#include "results/RichTextView.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

enum class Kind { Label, CommandButton, Choice, RichText };

struct Sample {
    const char* name;
    Kind kind;
    QString face;
    double points;
    QString text;
    bool enabled = true;
};

const std::vector<Sample> samples = {
    {"label", Kind::Label, ProportionalGothic, 14.25, QStringLiteral("個人データ　Q11 暑がりですか")},
    {"class scale", Kind::Label, ProportionalGothic, 24, QStringLiteral("非常に刺されやすい")},
    {"credit", Kind::Label, ProportionalMincho, 21.75, QStringLiteral("提供：Ostrevan")},
    {"legend", Kind::Label, FixedGothic, 12, QStringLiteral("17.6～20.0 やせ気味")},
    {"command button", Kind::CommandButton, ProportionalGothic, 14.25, QStringLiteral("判定結果の詳細")},
    {"disabled button", Kind::CommandButton, ProportionalGothic, 14.25, QStringLiteral("判定結果の詳細"), false},
    {"choice", Kind::Choice, ProportionalGothic, 12, QStringLiteral("非常にかさつく")},
    {"score line", Kind::RichText, ProportionalGothic, 14.25, QStringLiteral("蚊野 花子 さんの総合点数は100点満点で57点です。")},
};

std::unique_ptr<QWidget> makeWidget(const Sample& sample, const QString& text, bool bold)
{
    std::unique_ptr<QWidget> widget;
    if (sample.kind == Kind::Label)
        widget = std::make_unique<PageLabel>(text, PageLabel::Breaks::Plain, nullptr);
    else if (sample.kind == Kind::CommandButton)
        widget = std::make_unique<QPushButton>(text);
    else if (sample.kind == Kind::Choice)
        widget = std::make_unique<QRadioButton>(text);
    else
        widget = std::make_unique<RichTextView>();
    widget->setFont(makeFont({.face = sample.face, .points = sample.points, .bold = bold}));
    if (auto* view = dynamic_cast<RichTextView*>(widget.get()))
        view->setRtf(MakeRtf(text.toStdString(), {.withHeader = true, .closeAll = true}));
    widget->setEnabled(sample.enabled);
    widget->resize(400, 56);
    return widget;
}

struct Ink {
    double amount = 0; // summed darkening, in fully dark pixels
    QRect box;         // device pixels darkened clearly
};

// What the text adds: each pixel's darkening against the same widget without
// text (a button's face and frame cancel out). `shot` paints a widget.
Ink textInk(const Sample& sample, bool bold, const std::function<QImage(QWidget&)>& shot)
{
    const QImage with = shot(*makeWidget(sample, sample.text, bold));
    const QImage without = shot(*makeWidget(sample, QString(), bold));
    Ink ink;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (const int darker = qGray(without.pixel(x, y)) - qGray(with.pixel(x, y)); darker > 0) {
                ink.amount += darker / 255.0;
                if (darker > 24)
                    ink.box |= QRect(x, y, 1, 1);
            }
    return ink;
}

// The widget painted as on a screen of `ratio` device pixels per logical one.
Ink textInk(const Sample& sample, bool bold, qreal ratio)
{
    return textInk(sample, bold, [ratio](QWidget& widget) { return drawnOnWhite(&widget, ratio); });
}

// The ink bold adds over regular, as a fraction of regular.
double extraInk(const Ink& bold, const Ink& regular) { return bold.amount / regular.amount - 1; }

} // namespace

class TestBoldText : public WidgetTest {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        WidgetTest::initTestCase();
        installBoldTextStyle();
    }
    void boldAtScale_data();
    void boldAtScale();
    void boldOnAScaledScreen();
};

void TestBoldText::boldAtScale_data()
{
    addColumns<int, qreal>({"sample", "ratio"});
    for (int i = 0; i < int(samples.size()); ++i)
        for (const qreal ratio : {1.25, 1.5, 2.0})
            QTest::addRow("%s at %g", samples[i].name, ratio) << i << ratio;
}

void TestBoldText::boldAtScale()
{
    QFETCH(int, sample);
    QFETCH(qreal, ratio);
    const Sample& s = samples[std::size_t(sample)];

    // Synthetic bold adds about half again at scale 1. Scaled, it must add the
    // same within an eighth (hinting differs a little between sizes); drawn
    // thin, it adds 1/ratio of it.
    const double atOne = extraInk(textInk(s, true, 1), textInk(s, false, 1));
    QVERIFY2(atOne > 0.25, qPrintable(QStringLiteral("bold adds %1 at scale 1").arg(atOne)));
    const Ink bold = textInk(s, true, ratio), regular = textInk(s, false, ratio);
    const double scaled = extraInk(bold, regular);
    QVERIFY2(std::abs(scaled / atOne - 1) < 0.125,
             qPrintable(QStringLiteral("bold adds %1 here, %2 at scale 1").arg(scaled).arg(atOne)));

    // In place: the bold text covers the regular text's box, grown by the
    // emboldening (a 24th of the em) and a pixel of rounding at most.
    const double slack = pointsToPixels(s.points) * ratio / 24 + 1.5;
    const QMargins grown(regular.box.left() - bold.box.left(), regular.box.top() - bold.box.top(),
                         bold.box.right() - regular.box.right(), bold.box.bottom() - regular.box.bottom());
    for (const int side : {grown.left(), grown.top(), grown.right(), grown.bottom()})
        QVERIFY2(side >= -1 && side <= slack,
                 qPrintable(QStringLiteral("bold grows the regular text's box by %1 %2 %3 %4")
                                .arg(grown.left()).arg(grown.top()).arg(grown.right()).arg(grown.bottom())));
}

void TestBoldText::boldOnAScaledScreen()
{
    // Through the windows' own painting, on the screen of QT_SCALE_FACTOR.
    if (QGuiApplication::primaryScreen()->devicePixelRatio() == 1)
        QSKIP("the screen is not scaled");
    const Sample& s = samples.front();
    const auto grab = [](QWidget& widget) {
        widget.show();
        return widget.grab().toImage();
    };
    const double atOne = extraInk(textInk(s, true, 1), textInk(s, false, 1));
    const double shown = extraInk(textInk(s, true, grab), textInk(s, false, grab));
    QVERIFY2(std::abs(shown / atOne - 1) < 0.125,
             qPrintable(QStringLiteral("bold adds %1 on the screen, %2 at scale 1").arg(shown).arg(atOne)));
}

QTEST_MAIN(TestBoldText)
#include "test_bold_text.moc"
