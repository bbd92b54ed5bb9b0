#include "BoldText.h"

#include <QApplication>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

namespace tellumo {

namespace {

// Fills the glyphs of `layout`, placed as at `origin`, with `brush`, each
// glyph's outline from its own font (a fallback face's glyphs from that face).
// Glyph by glyph, as Qt draws them: one path for a whole page of text takes
// the rasteriser about ten times as long.
void fillOutlines(QPainter& painter, const QTextLayout& layout, const QPointF& origin, const QBrush& brush)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing,
                          painter.testRenderHint(QPainter::TextAntialiasing)
                              && !(layout.font().styleStrategy() & QFont::NoAntialias));
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    const QList<QGlyphRun> runs = layout.glyphRuns();
    for (const QGlyphRun& run : runs) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            QPainterPath outline = font.pathForGlyph(glyphs[i]);
            if (outline.isEmpty())
                continue;
            // Glyph contours fill by the non-zero rule (emboldened ones may
            // overlap each other).
            outline.setFillRule(Qt::WindingFill);
            outline.translate(origin + positions[i]);
            painter.drawPath(outline);
        }
    }
    painter.restore();
}

// True when the caption is one line that QPainter::drawText(rect, flags, text)
// lays out as a plain QTextLayout line: no characters it replaces or removes
// first, no wrapping, tabs, justification or right-to-left reordering.
bool isPlainCaption(const QString& text, int flags, Qt::LayoutDirection direction)
{
    constexpr int unsupported = Qt::TextWordWrap | Qt::TextWrapAnywhere | Qt::TextExpandTabs
                                | Qt::TextJustificationForced | Qt::AlignJustify
                                | Qt::TextForceRightToLeft;
    if ((flags & unsupported) != 0 || direction == Qt::RightToLeft || text.isRightToLeft())
        return false;
    const bool mnemonics = flags & (Qt::TextShowMnemonic | Qt::TextHideMnemonic);
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t' || c == QChar(0x9c) || (mnemonics && c == u'&'))
            return false;
    }
    return true;
}

// Draws a plain caption in `rect` as QPainter::drawText(rect, flags, text)
// places it, as outlines. The line's top comes from the painter's own
// boundingRect(), which rounds it as drawText does; the line is centred or
// right-aligned on its advance, as drawText does.
void drawCaptionOutlines(QPainter& painter, const QRectF& rect, int flags, const QString& text)
{
    QTextLayout layout(text, painter.font());
    QTextOption option;
    option.setTextDirection(painter.layoutDirection());
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();

    const QRectF bounds = painter.boundingRect(rect, flags, text);
    const Qt::Alignment align = QStyle::visualAlignment(painter.layoutDirection(), Qt::Alignment(flags));
    qreal left = 0;
    if (align & Qt::AlignRight)
        left = rect.width() - line.horizontalAdvance();
    else if (align & Qt::AlignHCenter)
        left = (rect.width() - line.horizontalAdvance()) / 2;

    const bool clip = !(flags & Qt::TextDontClip) && !rect.contains(bounds);
    if (clip) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    fillOutlines(painter, layout, QPointF(rect.x() + left, bounds.y()), painter.pen().brush());
    if (clip)
        painter.restore();
}

} // namespace

bool drawsBoldAsOutlines(const QPainter& painter, const QFont& font)
{
    // Underline, overline and strike-out are drawn by Qt's text drawing only.
    return font.weight() >= QFont::Bold && !font.underline() && !font.overline() && !font.strikeOut()
           && painter.deviceTransform().type() > QTransform::TxTranslate;
}

void drawTextLayout(QPainter& painter, const QTextLayout& layout, const QPointF& origin)
{
    if (drawsBoldAsOutlines(painter, layout.font()))
        fillOutlines(painter, layout, origin, painter.pen().brush());
    else
        layout.draw(&painter, origin);
}

void BoldTextStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                                 bool enabled, const QString& text, QPalette::ColorRole textRole) const
{
    if (text.isEmpty() || !drawsBoldAsOutlines(*painter, painter->font())
        || !isPlainCaption(text, flags, painter->layoutDirection())
        || (!enabled && proxy()->styleHint(SH_DitherDisabledText))) {
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
        return;
    }
    // The pen and the etched shadow of disabled text as QStyle::drawItemText has them.
    painter->save();
    if (textRole != QPalette::NoRole)
        painter->setPen(QPen(palette.brush(textRole), painter->pen().widthF()));
    if (!enabled && proxy()->styleHint(SH_EtchDisabledText)) {
        const QPen pen = painter->pen();
        painter->setPen(palette.light().color());
        drawCaptionOutlines(*painter, rect.adjusted(1, 1, 1, 1), flags, text);
        painter->setPen(pen);
    }
    drawCaptionOutlines(*painter, rect, flags, text);
    painter->restore();
}

void installBoldTextStyle()
{
    QApplication::setStyle(new BoldTextStyle);
}

} // namespace tellumo
