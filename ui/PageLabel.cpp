#include "PageLabel.h"

#include "BoldText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

namespace tellumo {

PageLabel::PageLabel(const QString& text, Breaks breaks, QWidget* parent)
    : QLabel(text, parent), breaks_(breaks)
{
    setTextFormat(Qt::PlainText);
}

namespace {

// The full stop that ends a point's number ("１．", "２．" …).
constexpr QChar PointNumberEnd(0xFF0E);

} // namespace

int PageLabel::linePitch() const
{
    const int pixels = font().pixelSize();
    return pixels > 0 ? pixels : QFontMetrics(font()).height();
}

ParagraphLayout PageLabel::layOut() const
{
    QTextOption option(QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    const bool continues = breaks_ == Breaks::SpaceRunContinues;
    return ParagraphLayout(text(), font(), this,
                           {.width = qreal(contentsRect().width()),
                            .pitch = qreal(linePitch()),
                            .baselineInPitch = BaselineInEm,
                            .textOption = option,
                            .breakBeforeSpaceRuns = continues,
                            // Continuations stand under the first character after "２．".
                            .hangAt = continues ? text().indexOf(PointNumberEnd) + 1 : -1,
                            .firstParagraphFormats = {}});
}

int PageLabel::textHeight() const
{
    return int(layOut().height());
}

QRectF PageLabel::textBounds() const
{
    const int pitch = linePitch();
    QRectF bounds;
    int top = 0;
    const ParagraphLayout laidOut = layOut();
    for (const auto& layout : laidOut.paragraphs()) {
        for (int i = 0; i < layout->lineCount(); ++i, top += pitch) {
            const QTextLine line = layout->lineAt(i);
            if (line.textLength() == 0)
                continue;
            // A continuation's leading spaces may reach left of the label;
            // its text starts at the first character after them.
            const QString text = layout->text().mid(line.textStart(), line.textLength());
            const qreal left = line.cursorToX(line.textStart() + int(ParagraphLayout::leadingSpaces(text)));
            const QRectF natural = line.naturalTextRect();
            bounds |= QRectF(left, top, natural.right() - left, pitch);
        }
    }
    return bounds;
}

void PageLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QPointF origin = contentsRect().topLeft();
    const ParagraphLayout laidOut = layOut();
    for (const auto& layout : laidOut.paragraphs())
        drawTextLayout(painter, *layout, origin);
}

} // namespace tellumo
