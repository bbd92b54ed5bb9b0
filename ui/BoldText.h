// Bold text that stays bold on scaled screens.
//
// The substitute faces have no bold of their own; Qt's FreeType engine makes
// one by emboldening each glyph by a 24th of the em. It works that amount out
// from the size its font engine was made for, the font's size in logical
// pixels, but applies it to the glyph already scaled to the device: on a
// screen at scale s a bold glyph gets 1/s of the extra weight it gets at
// scale 1, and at 2 (and at 1.5, 1.25) bold text draws nearly as thin as
// regular.
//
// drawTextLayout() draws the glyphs of a bold font that the painter scales
// from a font engine of the device's pixel size, in a painter that no longer
// scales, each glyph where the logical layout put it: FreeType emboldens each
// by a 24th of its em on the device, as at scale 1. Otherwise it draws the
// layout as QTextLayout::draw does, pixel for pixel. BoldTextStyle does the
// same for the captions a style draws (command buttons, choices). Nothing that
// measures text changes: widths, line breaks and layouts stay those computed
// in logical pixels.
#pragma once

#include <QList>
#include <QPointF>
#include <QProxyStyle>

class QFont;
class QGlyphRun;
class QPainter;
class QTextLayout;

namespace tellumo {

// True when `painter` would draw `font` too thin and the text is drawn at the
// device's size instead: a bold font, and a device transform that scales
// evenly (a screen's device pixel ratio). Underlined, overlined and struck-out
// fonts are left to Qt, which draws those lines with the text.
bool drawsBoldAtDeviceSize(const QPainter& painter, const QFont& font);

// QTextLayout::draw(painter, origin) without selections, the glyphs of a bold
// font drawn at the device's size where drawsBoldAtDeviceSize() says so.
void drawTextLayout(QPainter& painter, const QTextLayout& layout, const QPointF& origin);

// Glyph runs laid out in logical pixels, drawn from `origin` at the device's
// size (for a bold font the painter scales), each glyph where it was laid out.
void drawGlyphRunsAtDeviceSize(QPainter& painter, const QList<QGlyphRun>& runs, const QPointF& origin);

// The application's style, with drawItemText() keeping bold captions bold at
// any scale. A caption that QPainter::drawText would lay out as more than one
// plain line (line breaks, mnemonics, tabs, wrapping, right to left) is left
// to the base style.
class BoldTextStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

// Makes a BoldTextStyle over the style the application would have used its
// style. Call once, after the QApplication exists and before windows are
// shown.
void installBoldTextStyle();

} // namespace tellumo
