// Plain text laid out paragraph by paragraph at a fixed line pitch: the one
// layout of the windows' labels (PageLabel) and of the printed result
// (report/ResultDocument.cpp).
//
// CR LF, CR and LF each break a line; breaks at the end add no height. Each
// paragraph is one QTextLayout, its lines wrapped within the width and
// `pitch` apart from the top. With a hang, every line after the first stands
// under one character of the first line ("靴下" under the "足" after "２．",
// the rest of a long name under its first character after "氏名　"); a line
// that starts with spaces keeps them left of the hang, so its text begins
// under that character whatever the spaces measure.
//
// Data flow: the constructor lays everything out once; the caller reads the
// finished layouts and draws them its own way (bold on screens, colour
// glyphs on paper).
#pragma once

#include <QList>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

#include <memory>
#include <optional>
#include <vector>

class QFont;
class QPaintDevice;

namespace tellumo {

struct ParagraphOptions {
    // Width of a line, in the paint device's units.
    qreal width = 0;
    // Distance between the tops of two lines.
    qreal pitch = 0;
    // Where a line's baseline stands below its top, as a share of the pitch;
    // none centres the line's own height within the pitch.
    std::optional<qreal> baselineInPitch;
    // Alignment, wrap mode and direction of every paragraph.
    QTextOption textOption;
    // A break in front of every inner run of two or more spaces.
    bool breakBeforeSpaceRuns = false;
    // The character of the first line that later lines stand under; a hang
    // beyond the first line, or 0 or less, is none.
    qsizetype hangAt = -1;
    // Colours of parts of the first paragraph.
    QList<QTextLayout::FormatRange> firstParagraphFormats;
};

class ParagraphLayout {
public:
    ParagraphLayout(const QString& text, const QFont& font, const QPaintDevice* device,
                    const ParagraphOptions& options);

    // `text` as laid out: runs of spaces broken when asked, every CR LF, CR
    // or LF as one "\n".
    static QString shownText(const QString& text, bool breakBeforeSpaceRuns);
    // A "\n" in front of every run of two or more spaces that stands between
    // other characters of one line ("a  b" reads as "a\n  b").
    static QString breakBeforeSpaceRuns(const QString& text);

    // How many spaces `text` starts with.
    static qsizetype leadingSpaces(const QString& text);

    // One layout per paragraph, in order, each line placed.
    const std::vector<std::unique_ptr<QTextLayout>>& paragraphs() const { return paragraphs_; }
    // Height up to the last line with characters.
    qreal height() const { return height_; }
    // Width of the widest line, its hang included.
    qreal naturalWidth() const { return naturalWidth_; }

private:
    std::vector<std::unique_ptr<QTextLayout>> paragraphs_;
    qreal height_ = 0;
    qreal naturalWidth_ = 0;
};

} // namespace tellumo
