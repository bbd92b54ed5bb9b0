#include "DetailsPage.h"

#include "AssessmentRecord.h"
#include "ClassDisplay.h"
#include "Controls.h"
#include "Fonts.h"
#include "Judgement.h"
#include "PageFactories.h"
#include "PageLabel.h"
#include "ResultTexts.h"
#include "ShownName.h"

#include <QLabel>

namespace tellumo {

namespace {

const QColor ExplanationBlue(0, 0, 255);
constexpr double ExplanationPoints = 12;

} // namespace

DetailsPage::DetailsPage(PageHost& host, QWidget* parent)
    : ResultPage(host, QStringLiteral("DetailsPage"), PageLayouts::Details.size, PageLayouts::Details.titleLabel,
                 CyanBackground, ResultTexts::DetailsTitle, parent)
{
    makeControls();
    showDetails();
}

// Each control goes into its member of ui_, named and placed after it.
#define DETAILS_CONTROL(member, make) TELLUMO_PLACED(ui_, PageLayouts::Details, member, make)

void DetailsPage::makeControls()
{
    DETAILS_CONTROL(typeSentenceLabel, makeText(QStringLiteral("あなたは 虚実中間 型です。")));
    DETAILS_CONTROL(obesityLabel, makeText(QStringLiteral("あなたの肥満度は　　　　　　　です。")));
    DETAILS_CONTROL(bmiLabel, makeText(QStringLiteral("あなたのBMIは　　　　　　　です。")));

    const QFont font = pageFont(ExplanationPoints);
    const auto explanation = [this](const QString& text, const QFont& font) {
        return makeLabel(this, {.text = text, .font = font, .colour = ExplanationBlue});
    };
    DETAILS_CONTROL(typeExplanationLabel, explanation(ResultTexts::TypeExplanation, font));
    DETAILS_CONTROL(bmiExplanationLabel, explanation(ResultTexts::BmiExplanation, font));
    // Fixed pitch, so that the ranges and their names stand in columns.
    DETAILS_CONTROL(bmiLegendLabel, explanation(ResultTexts::BmiLegend, makeFont({.face = FixedGothic, .points = ExplanationPoints, .bold = true})));

    DETAILS_CONTROL(quitButton, makeWay(QStringLiteral("終了"), {}));
    DETAILS_CONTROL(cautionButton, makeWay(QStringLiteral("注意すべき点"), createCautionPage));
}

#undef DETAILS_CONTROL

void DetailsPage::showDetails()
{
    const AssessmentRecord& record = this->record();
    showTypeSentence(record);
    ui_.obesityLabel->setText(ResultTexts::obesityLine(record));
    ui_.bmiLabel->setText(ResultTexts::bmiLine(record));
}

void DetailsPage::showTypeSentence(const AssessmentRecord& record)
{
    const QString lead = classDisplay(ClassifySusceptibility(record.SusceptibilityScore)).word;
    const QString name = shownName(record.PersonalData[Name].text());
    const QString phrase = ResultTexts::typePhrase(ClassifyConstitution(record.answerTotal()));
    // One line: a long name must not push the sentence over the explanation.
    const QString fitted = fittedName(name, [&](const QString& candidate) {
        ui_.typeSentenceLabel->setText(lead + candidate + phrase);
        return ui_.typeSentenceLabel->textHeight() <= ui_.typeSentenceLabel->linePitch();
    });
    ui_.typeSentenceLabel->setText(lead + fitted + phrase);
    if (fitted != name) {
        ui_.typeSentenceLabel->setToolTip(name);
        ui_.typeSentenceLabel->setAccessibleName(lead + name + phrase);
    }
}

QWidget* createDetailsPage(PageHost& host)
{
    return new DetailsPage(host);
}

} // namespace tellumo
