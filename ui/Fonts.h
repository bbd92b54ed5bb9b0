// Font faces the windows ask for, and their substitutes on systems without
// them. Widgets name the original faces; installFontSubstitutions() maps them
// to the metric-compatible IPA faces first and Noto CJK second. A system with
// the original faces uses them. Only the IPA faces keep every text inside its
// control: Noto CJK sets kana at full width (Qt 6.4 cannot ask it for its
// proportional forms), so its lines wrap sooner and some captions run past
// their boxes. Characters the IPA faces lack (𠮷, U+20BB7, and the other
// kanji beyond U+FFFF; emoji) come from the faces fontconfig offers for
// them, Noto CJK and Noto Color Emoji where installed; every character the
// IPA faces have stays theirs.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

namespace tellumo {

inline const QString ProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString FixedGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString ProportionalMincho = QStringLiteral("ＭＳ Ｐ明朝");

// Face → substitutes, in order of preference.
const std::vector<std::pair<QString, QStringList>>& fontSubstitutionTable();
void installFontSubstitutions();

// Whether one of the faces above or one of their substitutes is installed:
// on this system, or as `installed` tells by family name.
bool hasJapaneseFace();
bool hasJapaneseFace(const std::function<bool(const QString&)>& installed);
// The Debian packages of the preferred substitutes, and of the others.
inline constexpr char JapaneseFontPackages[]
    = "fonts-ipafont-gothic and fonts-ipafont-mincho (or fonts-noto-cjk)";

// Where a font is drawn. On a screen its size in points goes through the
// twips rule (Twips.h) into whole pixels, as every window is laid out; on
// paper it stays in points for the printer's resolution, unhinted, so the
// glyphs keep their shapes at any resolution.
enum class FontUse { Screen, Paper };

struct FontOptions {
    QString face = ProportionalGothic;
    double points = 14.25;
    bool bold = false;
    FontUse use = FontUse::Screen;
};

QFont makeFont(const FontOptions& options);
// The pages' usual font: ＭＳ Ｐゴシック, bold.
inline QFont pageFont(double points = 14.25) { return makeFont({.points = points, .bold = true}); }

} // namespace tellumo
