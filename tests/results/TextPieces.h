// Reads a text view's document back as pieces of equal formatting, so tests
// can check which text shows in which colour, size and weight.
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace tellumo::testing {

struct TextPiece {
    QString text;
    QString colour;  // "#rrggbb", or "default" when the piece sets none
    int pixelSize;   // 0: the document's font
    bool bold;
    int block;       // index of the paragraph it stands in
};

inline QList<TextPiece> textPieces(const QTextDocument* document)
{
    QList<TextPiece> pieces;
    int blockIndex = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next(), ++blockIndex) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QFont font = format.font().resolve(document->defaultFont());
            pieces.append({fragment.text(),
                           format.hasProperty(QTextFormat::ForegroundBrush)
                               ? format.foreground().color().name()
                               : QStringLiteral("default"),
                           format.hasProperty(QTextFormat::FontPixelSize)
                               ? format.intProperty(QTextFormat::FontPixelSize)
                               : 0,
                           font.bold(), blockIndex});
        }
    }
    return pieces;
}

} // namespace tellumo::testing
