#include "CautionPage.h"

#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "ResultTexts.h"

#include <QPushButton>

namespace tellumo {

CautionPage::CautionPage(PageHost& host, QWidget* parent)
    : ResultPage(host, QStringLiteral("CautionPage"), PageLayouts::Caution.size, PageLayouts::Caution.titleLabel,
                 YellowBackground, ResultTexts::CautionTitle, parent)
{
    const auto& at = PageLayouts::Caution;
    const auto& points = ResultTexts::CautionPoints;
    // Each run of spaces starts the point's indented second line.
    constexpr auto Continues = PageLabel::Breaks::SpaceRunContinues;
    TELLUMO_PLACED(ui_, at, point1Label, makeText(points[0], Continues));
    TELLUMO_PLACED(ui_, at, point2Label, makeText(points[1], Continues));
    TELLUMO_PLACED(ui_, at, point3Label, makeText(points[2], Continues));
    TELLUMO_PLACED(ui_, at, point4Label, makeText(points[3], Continues));
    TELLUMO_PLACED(ui_, at, quitButton, makeWay(QStringLiteral("終了"), {}));
    TELLUMO_PLACED(ui_, at, adviceButton, makeWay(QStringLiteral("蚊の対策法"), createAdvicePage));
}

QWidget* createCautionPage(PageHost& host)
{
    return new CautionPage(host);
}

} // namespace tellumo
