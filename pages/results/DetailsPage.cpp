#include "DetailsPage.h"

#include "AssessmentRecord.h"
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
    : ResultPage(host, QStringLiteral("DetailsPage"), PageLayouts::Details, CyanBackground,
                 ResultTexts::DetailsTitle, parent)
{
    createLabels();
    createExplanations();
    addWays({{"quitButton", QStringLiteral("終了"), {}},
                     {"cautionButton", QStringLiteral("注意すべき点"), createCautionPage}});
    showDetails();
}

void DetailsPage::createLabels()
{
    typeSentenceLabel_
        = placeLabel(this, at("typeSentenceLabel"), QStringLiteral("あなたは 虚実中間 型です。"), pageFont());
    obesityLabel_
        = placeLabel(this, at("obesityLabel"), QStringLiteral("あなたの肥満度は　　　　　　　です。"), pageFont());
    bmiLabel_ = placeLabel(this, at("bmiLabel"), QStringLiteral("あなたのBMIは　　　　　　　です。"), pageFont());
}

void DetailsPage::createExplanations()
{
    const QFont font = pageFont(ExplanationPoints);
    QLabel* types = placeLabel(this, at("typeExplanationLabel"), ResultTexts::TypeExplanation, font);
    QLabel* bmi = placeLabel(this, at("bmiExplanationLabel"), ResultTexts::BmiExplanation, font);
    // Fixed pitch, so that the ranges and their names stand in columns.
    QLabel* legend = placeLabel(this, at("bmiLegendLabel"), ResultTexts::BmiLegend,
                                makeFont(FixedGothic, ExplanationPoints, true));
    for (QLabel* label : {types, bmi, legend})
        setTextColour(label, ExplanationBlue);
}

void DetailsPage::showDetails()
{
    const AssessmentRecord& record = this->record();
    showTypeSentence(record);
    obesityLabel_->setText(ResultTexts::obesityLine(record));
    bmiLabel_->setText(ResultTexts::bmiLine(record));
}

void DetailsPage::showTypeSentence(const AssessmentRecord& record)
{
    const QString lead = ResultTexts::classWord(ClassifySusceptibility(record.SusceptibilityScore));
    const QString name = shownName(record.PersonalData[Name].text());
    const QString phrase = ResultTexts::typePhrase(ClassifyConstitution(record.answerTotal()));
    // One line: a long name must not push the sentence over the explanation.
    const QString fitted = fittedName(name, [&](const QString& candidate) {
        typeSentenceLabel_->setText(lead + candidate + phrase);
        return typeSentenceLabel_->textHeight() <= typeSentenceLabel_->linePitch();
    });
    typeSentenceLabel_->setText(lead + fitted + phrase);
    if (fitted != name) {
        typeSentenceLabel_->setToolTip(name);
        typeSentenceLabel_->setAccessibleName(lead + name + phrase);
    }
}

QWidget* createDetailsPage(PageHost& host)
{
    return new DetailsPage(host);
}

} // namespace tellumo
