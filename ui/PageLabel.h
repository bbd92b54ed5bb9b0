// The labels of every window. A PageLabel is a QLabel that paints its plain
// text itself, the way the windows were laid out: lines one em apart (the
// font's pixel size), wrapped within the label's width, CR LF as one line
// break. The substitute Japanese faces ask for more line spacing than the
// em; with it the last line of a label filled to its height (the BMI legend,
// the longer pieces of advice, the two-line dialog texts) would be cut off.
//
// Each line's baseline stands at the same fraction of its em whatever face
// the font resolves to, so a face with a tall ascent (Noto CJK) draws its
// characters where the IPA faces and the original faces do, inside the em.
//
// Data flow: text() stays exactly as set; paintEvent lays it out paragraph by
// paragraph at the fixed pitch (ParagraphLayout.h, the printed result's
// layout too) and draws it with drawTextLayout() (BoldText.h), so bold stays
// bold on scaled screens; textHeight() and textBounds() report what that
// layout takes, for the layout checks.
#pragma once

#include "ParagraphLayout.h"

#include <QLabel>

namespace tellumo {

class PageLabel : public QLabel {
    Q_OBJECT

public:
    // How the text marks its line breaks.
    enum class Breaks {
        Plain,
        // "２．…避け、     靴下と…" reads as two lines, the second indented
        // to line up after the point number: a break goes in front of every
        // run of two or more spaces that stands between other characters of
        // one line. The break no longer depends on the face's widths filling
        // the first line exactly, and the continuation's first character
        // stands under the first one after "２．", however wide the run of
        // spaces in front of it is (the text keeps its spaces).
        SpaceRunContinues,
    };

    // The baseline's distance below the top of its line, in ems: where the
    // Japanese faces put it within their em square.
    static constexpr double BaselineInEm = 0.88;

    PageLabel(const QString& text, Breaks breaks, QWidget* parent);

    // Distance between two lines: the font's pixel size.
    int linePitch() const;
    // Height the text takes up to its last line with characters.
    int textHeight() const;
    // The lines with characters, each as wide as its text and one em high,
    // relative to the label's contents rectangle (empty without text).
    QRectF textBounds() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The text laid out for the label's width.
    ParagraphLayout layOut() const;

    Breaks breaks_;
};

} // namespace tellumo
