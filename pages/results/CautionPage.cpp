#include "CautionPage.h"

#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "ResultTexts.h"

namespace tellumo {

CautionPage::CautionPage(PageHost& host, QWidget* parent)
    : ResultPage(host, QStringLiteral("CautionPage"), PageLayouts::Caution, YellowBackground,
                 ResultTexts::CautionTitle, parent)
{
    // Each run of spaces starts the point's indented second line.
    placeTexts({"point1Label", "point2Label", "point3Label", "point4Label"}, ResultTexts::CautionPoints,
               PageLabel::Breaks::SpaceRunContinues);
    addWays({{"quitButton", QStringLiteral("終了"), {}},
             {"adviceButton", QStringLiteral("蚊の対策法"), createAdvicePage}});
}

QWidget* createCautionPage(PageHost& host)
{
    return new CautionPage(host);
}

} // namespace tellumo
