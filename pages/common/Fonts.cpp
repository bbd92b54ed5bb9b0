#include "Fonts.h"

#include "Twips.h"

namespace tellumo {

const std::vector<std::pair<QString, QStringList>>& fontSubstitutionTable()
{
    static const std::vector<std::pair<QString, QStringList>> table = {
        {ProportionalGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")}},
        {FixedGothic, {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")}},
        {ProportionalMincho, {QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP")}},
    };
    return table;
}

void installFontSubstitutions()
{
    for (const auto& [face, substitutes] : fontSubstitutionTable())
        QFont::insertSubstitutions(face, substitutes);
}

QFont makeFont(const QString& face, double points, bool bold)
{
    QFont font(face);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    font.setStyleHint(face == FixedGothic ? QFont::TypeWriter : QFont::AnyStyle);
    return font;
}

} // namespace tellumo
