#include "AdvicePage.h"

#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "ResultTexts.h"

namespace tellumo {

QString AdvicePage::contactEmail()
{
    return ResultTexts::contactEmail();
}

AdvicePage::AdvicePage(PageHost& host, QWidget* parent)
    : ResultPage(host, QStringLiteral("AdvicePage"), PageLayouts::Advice, YellowBackground,
                 ResultTexts::AdviceTitle, parent)
{
    placeTexts({"doorsAndWindowsLabel", "bedroomLabel", "standingWaterLabel", "contactLabel"},
               ResultTexts::advice());
    addWays({{"quitButton", QStringLiteral("終了"), {}}});
}

QWidget* createAdvicePage(PageHost& host)
{
    return new AdvicePage(host);
}

} // namespace tellumo
