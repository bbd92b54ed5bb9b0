#include "ClassDisplay.h"

#include "Judgement.h"

#include <algorithm>
#include <array>

namespace tellumo {

namespace {

QString captionOf(int susceptibilityClass)
{
    const std::string_view caption = SusceptibilityCaption(susceptibilityClass);
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

std::array<ClassDisplay, ClassCount> makeTable()
{
    // The scale's bright green is made darker for text on white paper.
    return {{
        {.caption = captionOf(1), .word = QStringLiteral("刺されにくい "), .marked = QColor(0, 255, 0),
         .unmarked = std::nullopt, .paper = QColor(0, 150, 0)},
        {.caption = captionOf(2), .word = QStringLiteral("普通程度の "), .marked = QColor(0, 0, 0),
         .unmarked = std::nullopt, .paper = QColor(0, 0, 0)},
        {.caption = captionOf(3), .word = QStringLiteral("刺されやすい "), .marked = QColor(255, 0, 255),
         .unmarked = std::nullopt, .paper = QColor(255, 0, 255)},
        // The top of the scale is black even when it is not the person's class.
        {.caption = captionOf(4), .word = QStringLiteral("非常に刺されやすい "), .marked = QColor(255, 0, 0),
         .unmarked = QColor(0, 0, 0), .paper = QColor(255, 0, 0)},
    }};
}

} // namespace

const ClassDisplay& classDisplay(int susceptibilityClass)
{
    static const std::array<ClassDisplay, ClassCount> table = makeTable();
    return table[static_cast<std::size_t>(std::clamp(susceptibilityClass, 1, ClassCount) - 1)];
}

} // namespace tellumo
