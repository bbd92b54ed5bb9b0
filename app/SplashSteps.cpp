#include "SplashSteps.h"

#include "Appearance.h"
#include "Fonts.h"
#include "PagePreparation.h"
#include "Platform.h"

#include <QApplication>
#include <QFontMetrics>

namespace tellumo {

namespace {

// Looks up each face the windows use, and the application font of the menu
// bar and message boxes, once for the scripts they write in. The first
// lookup of a face costs tens of milliseconds of system font search; done
// here, it is not paid by the main window or by the first page showing the
// face. Only Qt's font caches change.
void checkAndPreloadFonts(qreal)
{
    Platform::warnIfJapaneseFontsMissing();
    // Kana, kanji, Latin letters and digits.
    const QString sample = QStringLiteral("あア蚊Aa1");
    for (const auto& [face, substitutes] : fontSubstitutionTable())
        QFontMetrics(makeFont({.face = face, .bold = true})).horizontalAdvance(sample);
    QFontMetrics(QApplication::font()).horizontalAdvance(sample);
}

} // namespace

// What the main window and the pages need is done inside the waits, once the
// first frame is on screen (on X11 it is painted only when the first wait
// lets the window system's events in): the font check and the faces while
// the second picture shows, the page backgrounds during the third, every
// page painted once off screen during the fourth.
const std::array<SplashStep, 5> SplashSteps{{
    {"firstMosquito", ":/pictures/mosquito-dashing.jpg", {1000, 1000, 5050, 2800}, false, 2.0, nullptr},
    {"secondMosquito", ":/pictures/mosquito-singing.jpg", {6000, 500, 3850, 3000}, false, 2.0,
     checkAndPreloadFonts},
    {"thirdMosquito", ":/pictures/mosquito-turning.jpg", {4000, 2000, 3900, 3130}, false, 2.0,
     PagePreparation::decodeBackgrounds},
    {"fallingMosquito", ":/pictures/mosquito-falling.jpg", {3500, 700, 3750, 6000}, false, 2.0,
     PagePreparation::paintEveryPageOnce},
    {"titleArtwork", ":/pictures/title.gif", {2040, 500, 7095, 3600}, true, 5.0, nullptr},
}};

} // namespace tellumo
