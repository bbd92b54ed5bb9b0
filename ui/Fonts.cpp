#include "Fonts.h"

#include "Twips.h"

#include <algorithm>

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

bool hasJapaneseFace(const QStringList& families)
{
    const auto installed = [&families](const QString& face) {
        // A family offered by more than one foundry is listed once per
        // foundry, as "Family [Foundry]".
        for (const QString& family : families) {
            if (family.section(QStringLiteral(" ["), 0, 0).compare(face, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    };
    for (const auto& [face, substitutes] : fontSubstitutionTable()) {
        if (installed(face) || std::any_of(substitutes.begin(), substitutes.end(), installed))
            return true;
    }
    return false;
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
