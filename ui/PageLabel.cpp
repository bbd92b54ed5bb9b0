#include "PageLabel.h"

#include "BoldText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

#include <optional>

namespace tellumo {

PageLabel::PageLabel(const QString& text, Breaks breaks, QWidget* parent)
    : QLabel(text, parent), breaks_(breaks)
{
    setTextFormat(Qt::PlainText);
}

namespace {

// The full stop that ends a point's number ("１．", "２．" …).
constexpr QChar PointNumberEnd(0xFF0E);

qsizetype leadingSpaces(const QString& text)
{
    qsizetype count = 0;
    while (count < text.size() && text[count] == u' ')
        ++count;
    return count;
}

} // namespace

QString PageLabel::breakBeforeSpaceRuns(const QString& text)
{
    QString shown;
    shown.reserve(text.size() + 4);
    const auto isBreak = [](QChar c) { return c == u'\n' || c == u'\r'; };
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] != u' ') {
            shown += text[i++];
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && text[end] == u' ')
            ++end;
        const bool afterText = i > 0 && !isBreak(text[i - 1]);
        const bool beforeText = end < text.size() && !isBreak(text[end]);
        if (end - i >= 2 && afterText && beforeText)
            shown += u'\n';
        shown += text.mid(i, end - i);
        i = end;
    }
    return shown;
}

QString PageLabel::displayText() const
{
    QString shown = breaks_ == Breaks::SpaceRunContinues ? breakBeforeSpaceRuns(text()) : text();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

int PageLabel::linePitch() const
{
    const int pixels = font().pixelSize();
    return pixels > 0 ? pixels : QFontMetrics(font()).height();
}

int PageLabel::textHeight() const
{
    return layOut([](const QTextLayout&) {});
}

QRectF PageLabel::textBounds() const
{
    const int pitch = linePitch();
    QRectF bounds;
    int top = 0;
    layOut([&](const QTextLayout& layout) {
        for (int i = 0; i < layout.lineCount(); ++i, top += pitch) {
            const QTextLine line = layout.lineAt(i);
            if (line.textLength() == 0)
                continue;
            // A continuation's leading spaces may reach left of the label;
            // its text starts at the first character after them.
            const QString text = layout.text().mid(line.textStart(), line.textLength());
            const qreal left = line.cursorToX(line.textStart() + int(leadingSpaces(text)));
            const QRectF natural = line.naturalTextRect();
            bounds |= QRectF(left, top, natural.right() - left, pitch);
        }
    });
    return bounds;
}


template <typename Visit>
int PageLabel::layOut(Visit&& visit) const
{
    const QRect area = contentsRect();
    QTextOption option(QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);

    const int pitch = linePitch();
    const double baseline = BaselineInEm * pitch;
    int y = 0;
    int usedHeight = 0;
    // Where a continuation's text starts: under the first character after
    // the point number ("２．") of the first line, whatever the run of spaces
    // in front of it measures.
    std::optional<qreal> continuationStart;
    bool first = true;
    for (const QString& paragraph : displayText().split(u'\n')) {
        QTextLayout layout(paragraph, font(), this);
        layout.setTextOption(option);
        layout.beginLayout();
        const qsizetype blanks = first ? 0 : leadingSpaces(paragraph);
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            qreal x = 0;
            if (continuationStart && blanks > 0 && line.textStart() == 0) {
                x = *continuationStart - (line.cursorToX(int(blanks)) - line.cursorToX(0));
                line.setLineWidth(area.width() - x);
            }
            line.setPosition(QPointF(x, y + baseline - line.ascent()));
            if (first && breaks_ == Breaks::SpaceRunContinues && line.textStart() == 0) {
                const qsizetype afterNumber = paragraph.indexOf(PointNumberEnd) + 1;
                if (afterNumber > 0 && afterNumber < line.textLength())
                    continuationStart = line.cursorToX(int(afterNumber));
            }
            y += pitch;
        }
        layout.endLayout();
        first = false;
        if (!paragraph.isEmpty())
            usedHeight = y;
        visit(std::as_const(layout));
    }
    return usedHeight;
}

void PageLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QPointF origin = contentsRect().topLeft();
    layOut([&](const QTextLayout& layout) { drawTextLayout(painter, layout, origin); });
}

} // namespace tellumo
