#include "PageLabel.h"

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
    return layOut(nullptr);
}

int PageLabel::layOut(QPainter* painter) const
{
    const QRect area = contentsRect();
    QTextOption option(QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);

    const int pitch = linePitch();
    int y = 0;
    int usedHeight = 0;
    for (const QString& paragraph : displayText().split(u'\n')) {
        QTextLayout layout(paragraph, font(), this);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition(QPointF(0, y));
            y += pitch;
        }
        layout.endLayout();
        if (!paragraph.isEmpty())
            usedHeight = y;
        if (painter)
            layout.draw(painter, area.topLeft());
    }
    return usedHeight;
}

void PageLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layOut(&painter);
}

} // namespace tellumo
