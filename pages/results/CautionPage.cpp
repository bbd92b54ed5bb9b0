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
    createLabels();
    addWays({{"quitButton", QStringLiteral("終了"), {}},
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
