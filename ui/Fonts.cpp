#include "Fonts.h"

#include "Twips.h"

#include <QFontDatabase>

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

bool hasJapaneseFace(const std::function<bool(const QString&)>& installed)
{
    for (const auto& [face, substitutes] : fontSubstitutionTable()) {
        if (installed(face) || std::any_of(substitutes.begin(), substitutes.end(), installed))
            return true;
    }
    return false;
}

bool hasJapaneseFace()
{
    // QFontDatabase::families() lists each face by one name, the one for the
    // locale's language ("IPA Pゴシック" under Japanese, "IPAPGothic"
    // elsewhere); hasFamily() knows the face by every name it has.
    return hasJapaneseFace([](const QString& family) { return QFontDatabase::hasFamily(family); });
}

QFont makeFont(const FontOptions& options)
{
    QFont font(options.face);
    if (options.use == FontUse::Paper) {
        font.setPointSizeF(options.points);
        font.setHintingPreference(QFont::PreferNoHinting);
    } else {
        font.setPixelSize(pointsToPixels(options.points));
    }
    font.setBold(options.bold);
    font.setStyleHint(options.face == FixedGothic ? QFont::TypeWriter : QFont::AnyStyle);
    return font;
}

} // namespace tellumo
