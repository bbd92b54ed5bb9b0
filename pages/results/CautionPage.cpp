#include "CautionPage.h"

#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "Placement.h"
#include "ResultTexts.h"


namespace tellumo {

namespace {

constexpr Placement Layout[] = {
    {"titleLabel", 0, 800, 10000, 450},
    {"point1Label", 1000, 1500, 8000, 300},
    {"point2Label", 1000, 2200, 8100, 600},
    {"point3Label", 1000, 3200, 8000, 600},
    {"point4Label", 1000, 4200, 8000, 600},
    {"adviceButton", 2800, 5500, 2000, 800},
    {"quitButton", 5800, 5500, 1200, 800},
};

const Placement& at(const char* name) { return placementOf(Layout, name); }

} // namespace

CautionPage::CautionPage(PageHost& host, QWidget* parent)
    : ResultPage(host, QStringLiteral("CautionPage"), 9945, 6975, YellowBackground,
                 ResultTexts::CautionTitle, parent)
{
    createLabels();
    addWays(Layout, {{"quitButton", QStringLiteral("終了"), {}},
                     {"adviceButton", QStringLiteral("蚊の対策法"), createAdvicePage}});
}

void CautionPage::createLabels()
{
    placeLabel(this, at("titleLabel"), ResultTexts::CautionTitle, pageFont(), true);
    const auto& points = ResultTexts::CautionPoints;
    placeLabel(this, at("point1Label"), points[0], pageFont());
    // Each run of spaces starts the point's indented second line.
    placeContinuationLabel(this, at("point2Label"), points[1], pageFont());
    placeContinuationLabel(this, at("point3Label"), points[2], pageFont());
    placeContinuationLabel(this, at("point4Label"), points[3], pageFont());
}

QWidget* createCautionPage(PageHost& host)
{
    return new CautionPage(host);
}

} // namespace tellumo
