// Shared by the result-page tests and the whole-program walk: a text view's
// document read back as pieces of equal formatting, and whether a label
// paints like a plain one; label lookups and records that yield a chosen
// score come from TestSupport.h.
#pragma once

#include "AssessmentRecord.h"
#include "TestSupport.h"
#include "PageLabel.h"

#include <QApplication>
#include <QLabel>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QWidget>

namespace tellumo::testing {

// A page's creator, as a column of test data holds it.
using Factory = QWidget* (*)(PageHost&);

// A text view's document as "[text|colour|size px|b<paragraph>]" pieces of
// equal formatting, colour "default" where the piece sets none, size 0 for
// the document's font; all of them bold unless marked "plain".
inline QString textPieces(const QTextDocument* document)
{
    QStringList pieces;
    int paragraph = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next(), ++paragraph)
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const bool bold = format.font().resolve(document->defaultFont()).bold();
            pieces << QStringLiteral("[") + it.fragment().text() + QStringLiteral("|")
                    + (format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color().name()
                                                                        : QStringLiteral("default"))
                    + QStringLiteral("|%1px|b%2").arg(format.intProperty(QTextFormat::FontPixelSize)).arg(paragraph)
                    + (bold ? QStringLiteral("]") : QStringLiteral("|plain]"));
        }
    return pieces.join(u' ');
}

// Whether `shown` paints exactly like a page label with `text` in the same
// place and font: used to check that CR LF breaks draw no glyph of their own.
inline bool paintsLike(QLabel* shown, const QString& text)
{
    PageLabel twin(text, PageLabel::Breaks::Plain, shown->parentWidget());
    twin.setGeometry(shown->geometry());
    twin.setFont(shown->font());
    twin.setPalette(shown->palette());
    twin.setAlignment(shown->alignment());
    twin.setWordWrap(shown->wordWrap());
    twin.show();
    return shown->grab().toImage() == twin.grab().toImage();
}

} // namespace tellumo::testing
