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
    createLabels();
    addWays({{"quitButton", QStringLiteral("終了"), {}}});
}

void AdvicePage::createLabels()
{
    placeLabel(this, at("titleLabel"), ResultTexts::AdviceTitle, pageFont(), true);
    const std::array<QString, 4> advice = ResultTexts::advice();
    placeLabel(this, at("doorsAndWindowsLabel"), advice[0], pageFont());
    placeLabel(this, at("bedroomLabel"), advice[1], pageFont());
    placeLabel(this, at("standingWaterLabel"), advice[2], pageFont());
    placeLabel(this, at("contactLabel"), advice[3], pageFont());
}

QWidget* createAdvicePage(PageHost& host)
{
    return new AdvicePage(host);
}

} // namespace tellumo
