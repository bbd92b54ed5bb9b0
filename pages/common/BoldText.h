// Bold text that stays bold on scaled screens.
//
// The substitute faces have no bold of their own; Qt's FreeType engine makes
// one by emboldening each glyph by a 24th of the em. It works that amount out
// from the font's size in logical pixels but applies it to the glyph already
// scaled to the device, so on a screen at scale s a bold glyph gets 1/s of the
// extra weight it gets at scale 1: at 2 (and at 1.5, 1.25) bold text draws
// nearly as thin as regular. The outlines the same engine hands out
// (QRawFont::pathForGlyph) are emboldened in the font's own units, so they keep
// the weight at every scale; Qt itself fills them for text too large for its
// glyph cache.
//
// drawTextLayout() fills those outlines, at the places the layout gave the
// glyphs, whenever the painter scales a bold font; otherwise it draws the
// layout as QTextLayout::draw does, pixel for pixel. BoldTextStyle does the same
// for the texts a style draws (button captions, choice labels). Nothing that
// measures text changes: the widths, line breaks and layouts stay those
// computed in logical pixels.
#pragma once

#include <QPointF>
#include <QProxyStyle>

class QFont;
class QPainter;
class QTextLayout;

namespace tellumo {

// True when `painter` would draw `font` too thin: a bold font, and a device
// transform that scales (or rotates) rather than only moving.
bool drawsBoldAsOutlines(const QPainter& painter, const QFont& font);

// QTextLayout::draw(painter, origin) without selections, the glyphs of a bold
// font filled as their outlines where drawsBoldAsOutlines() says so. The text
// takes the pen's brush.
void drawTextLayout(QPainter& painter, const QTextLayout& layout, const QPointF& origin);

// The application's style with drawItemText() keeping bold captions bold at
// any scale. A caption the outline route cannot lay out exactly as
// QPainter::drawText would (line breaks, mnemonics, tabs, wrapping, right to
// left) is left to the base style.
class BoldTextStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

// Makes a BoldTextStyle over the platform's style the application's style.
// Call once, after the QApplication exists and before windows are shown.
void installBoldTextStyle();

} // namespace tellumo
