#include "AdvicePage.h"

#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "Placement.h"
#include "ResultTexts.h"


namespace tellumo {

namespace {

constexpr Placement Layout[] = {
    {"titleLabel", 0, 700, 10000, 450},
    {"doorsAndWindowsLabel", 1000, 1200, 8000, 600},
    {"bedroomLabel", 1000, 2050, 8000, 900},
    {"standingWaterLabel", 1000, 3180, 7995, 1200},
    {"contactLabel", 1000, 4600, 8200, 900},
    {"quitButton", 4400, 5700, 1200, 800},
};

const Placement& at(const char* name) { return placementOf(Layout, name); }

} // namespace

QString AdvicePage::contactEmail()
{
    return ResultTexts::contactEmail();
}

AdvicePage::AdvicePage(PageHost& host, QWidget* parent)
    : ResultPage(host, QStringLiteral("AdvicePage"), 9945, 6975, YellowBackground,
                 ResultTexts::AdviceTitle, parent)
{
    createLabels();
    addWays(Layout, {{"quitButton", QStringLiteral("終了"), {}}});
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
