#include "BoldText.h"

#include <QApplication>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

namespace tellumo {

namespace {

// The font of `logical` at `pixelSize`, kept for the life of the application:
// each font engine has its own glyph cache, so a font made anew for every
// paint would render its glyphs anew every time.
QRawFont deviceFont(const QRawFont& logical, qreal pixelSize)
{
    using Key = std::pair<QRawFont, qreal>;
    static QHash<Key, QRawFont>* fonts = nullptr;
    if (!fonts) {
        fonts = new QHash<Key, QRawFont>;
        // Font engines must go before the font database does.
        qAddPostRoutine([] {
            delete fonts;
            fonts = nullptr;
        });
    }
    const Key key(logical, pixelSize);
    auto found = fonts->constFind(key);
    if (found == fonts->cend()) {
        QRawFont font = logical;
        font.setPixelSize(pixelSize);
        found = fonts->insert(key, font);
    }
    return *found;
}

// Draws the glyphs of `layout`, placed as at `origin`, with the painter's
// pen, from fonts of the device's pixel size in a painter that no longer
// scales: each glyph where the layout put it, emboldened for its size on the
// device. (Glyphs too large for Qt's glyph cache are filled as outlines, which
// FreeType emboldens in the font's own units: also right.)
void drawAtDeviceSize(QPainter& painter, const QTextLayout& layout, const QPointF& origin)
{
    drawGlyphRunsAtDeviceSize(painter, layout.glyphRuns(), origin);
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

// Draws a plain caption in `rect` where QPainter::drawText(rect, flags, text)
// places it, at the device's size. The line's top comes from the painter's
// own boundingRect(), which rounds it as drawText does; the line is centred
// or right-aligned on its advance, as drawText does.
void drawCaption(QPainter& painter, const QRectF& rect, int flags, const QString& text)
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
    drawAtDeviceSize(painter, layout, QPointF(rect.x() + left, bounds.y()));
    if (clip)
        painter.restore();
}

} // namespace

void drawGlyphRunsAtDeviceSize(QPainter& painter, const QList<QGlyphRun>& runs, const QPointF& origin)
{
    const qreal scale = painter.deviceTransform().m11();
    painter.save();
    // Device pixels from here on, less the translation the painter keeps.
    painter.scale(1 / scale, 1 / scale);
    for (const QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions)
            position = (origin + position) * scale;
        QGlyphRun deviceRun;
        deviceRun.setRawFont(deviceFont(run.rawFont(), run.rawFont().pixelSize() * scale));
        deviceRun.setGlyphIndexes(run.glyphIndexes());
        deviceRun.setPositions(positions);
        deviceRun.setFlags(run.flags());
        painter.drawGlyphRun(QPointF(0, 0), deviceRun);
    }
    painter.restore();
}

bool drawsBoldAtDeviceSize(const QPainter& painter, const QFont& font)
{
    const QTransform device = painter.deviceTransform();
    return font.weight() >= QFont::Bold && !font.underline() && !font.overline() && !font.strikeOut()
           && device.type() == QTransform::TxScale && device.m11() == device.m22() && device.m11() > 0;
}

void drawTextLayout(QPainter& painter, const QTextLayout& layout, const QPointF& origin)
{
    if (drawsBoldAtDeviceSize(painter, layout.font()))
        drawAtDeviceSize(painter, layout, origin);
    else
        layout.draw(&painter, origin);
}

void BoldTextStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                                 bool enabled, const QString& text, QPalette::ColorRole textRole) const
{
    if (text.isEmpty() || !drawsBoldAtDeviceSize(*painter, painter->font())
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
        drawCaption(*painter, rect.adjusted(1, 1, 1, 1), flags, text);
        painter->setPen(pen);
    }
    drawCaption(*painter, rect, flags, text);
    painter->restore();
}

void installBoldTextStyle()
{
    // Without a base style of its own, a proxy takes the one that -style or
    // QT_STYLE_OVERRIDE asks for, else the desktop's.
    QApplication::setStyle(new BoldTextStyle);
}

} // namespace tellumo
