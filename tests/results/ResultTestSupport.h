// Shared by the result-page tests and the whole-program walk: records that
// yield a chosen score, label lookups, and a text view's document read back
// as pieces of equal formatting.
#pragma once

#include "AssessmentRecord.h"
#include "results/PageLabel.h"

#include <QLabel>
#include <QList>
#include <QPalette>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QWidget>
#include <algorithm>
#include <array>
#include <string>

namespace tellumo::testing {

// Highest answer code of Q1..Q19.
inline constexpr std::array<int, 19> HighestCodes = {2, 2, 2, 2, 2, 10, 8, 2, 2, 2,
                                                      2, 2, 20, 2, 2, 2, 2, 2, 2};

// Fills Module1::Record so that the score computation yields `score`
// (10..100): the fewest personal points that leave room, the answers filled
// from Q1 on with their highest codes; 170 cm and 65 kg.
inline void fillRecordForScore(const std::string& name, int score)
{
    AssessmentRecord& record = Module1::Record;
    record.PersonalData[Name] = PersonalEntry(name);
    const bool high = score > 80;
    record.PersonalData[SexPointsEntry] = PersonalEntry(std::int16_t(high ? 2 : 0));
    record.PersonalData[AgePointsEntry] = PersonalEntry(std::int16_t(high ? 5 : 3));
    record.PersonalData[BloodTypePointsEntry] = PersonalEntry(std::int16_t(high ? 8 : 4));
    record.PersonalData[BodyFatPointsEntry] = PersonalEntry(std::int16_t(high ? 5 : 0));
    record.PersonalData[SkinTonePointsEntry] = PersonalEntry(std::int16_t(high ? 10 : 3));
    int rest = score - (high ? 30 : 10);
    for (int q = 1; q <= 19; ++q) {
        const int code = std::min(rest, HighestCodes[static_cast<std::size_t>(q - 1)]);
        record.AnswerCodes[q] = static_cast<std::uint8_t>(code);
        rest -= code;
    }
    record.PersonalData[HeightText] = PersonalEntry(std::string("170"));
    record.PersonalData[WeightText] = PersonalEntry(std::string("65"));
}

inline QLabel* label(QWidget* page, const char* name)
{
    return page ? page->findChild<QLabel*>(QString::fromLatin1(name)) : nullptr;
}

inline QString labelText(QWidget* page, const char* name)
{
    QLabel* found = label(page, name);
    return found ? found->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

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
