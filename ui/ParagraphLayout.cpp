#include "ParagraphLayout.h"

#include <QFont>

#include <algorithm>

namespace tellumo {

qsizetype ParagraphLayout::leadingSpaces(const QString& text)
{
    qsizetype count = 0;
    while (count < text.size() && text[count] == u' ')
        ++count;
    return count;
}

QString ParagraphLayout::breakBeforeSpaceRuns(const QString& text)
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

QString ParagraphLayout::shownText(const QString& text, bool breakBeforeSpaceRuns)
{
    QString shown = breakBeforeSpaceRuns ? ParagraphLayout::breakBeforeSpaceRuns(text) : text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

ParagraphLayout::ParagraphLayout(const QString& text, const QFont& font, const QPaintDevice* device,
                                 const ParagraphOptions& options)
{
    qreal y = 0;
    std::optional<qreal> hang;
    bool first = true;
    for (const QString& paragraph : shownText(text, options.breakBeforeSpaceRuns).split(u'\n')) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font, device);
        layout->setTextOption(options.textOption);
        if (first)
            layout->setFormats(options.firstParagraphFormats);
        layout->beginLayout();
        const qsizetype blanks = first ? 0 : leadingSpaces(paragraph);
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(options.width);
            qreal x = 0;
            const bool opening = first && line.textStart() == 0;
            if (hang && !opening) {
                // A line's own leading spaces stand left of the hang.
                const qreal spaces = line.textStart() == 0 && blanks > 0
                    ? line.cursorToX(int(blanks)) - line.cursorToX(0)
                    : 0;
                x = *hang - spaces;
                line.setLineWidth(options.width - x);
            }
            const qreal top = options.baselineInPitch ? y + *options.baselineInPitch * options.pitch - line.ascent()
                                                      : y + (options.pitch - line.height()) / 2;
            line.setPosition(QPointF(x, top));
            if (opening && options.hangAt > 0 && options.hangAt < line.textLength())
                hang = line.cursorToX(int(options.hangAt));
            naturalWidth_ = std::max(naturalWidth_, x + line.naturalTextWidth());
            y += options.pitch;
        }
        layout->endLayout();
        if (!paragraph.isEmpty())
            height_ = y;
        first = false;
        paragraphs_.push_back(std::move(layout));
    }
}

} // namespace tellumo
