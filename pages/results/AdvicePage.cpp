#include "AdvicePage.h"

#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "ResultTexts.h"

#include <QPushButton>

#include <array>

namespace tellumo {

QString AdvicePage::contactEmail()
{
    return ResultTexts::contactEmail();
}

AdvicePage::AdvicePage(PageHost& host, QWidget* parent)
    : ResultPage(host, QStringLiteral("AdvicePage"), PageLayouts::Advice.size, PageLayouts::Advice.titleLabel,
                 YellowBackground, ResultTexts::AdviceTitle, parent)
{
    const auto& at = PageLayouts::Advice;
    const std::array<QString, 4> advice = ResultTexts::advice();
    TELLUMO_PLACED(ui_, at, doorsAndWindowsLabel, makeText(advice[0]));
    TELLUMO_PLACED(ui_, at, bedroomLabel, makeText(advice[1]));
    TELLUMO_PLACED(ui_, at, standingWaterLabel, makeText(advice[2]));
    TELLUMO_PLACED(ui_, at, contactLabel, makeText(advice[3]));
    TELLUMO_PLACED(ui_, at, quitButton, makeWay(QStringLiteral("終了"), {}));
}

QWidget* createAdvicePage(PageHost& host)
{
    return new AdvicePage(host);
}

} // namespace tellumo
