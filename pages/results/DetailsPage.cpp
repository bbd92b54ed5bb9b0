#include "DetailsPage.h"

#include "AssessmentRecord.h"
#include "BodyMeasures.h"
#include "Controls.h"
#include "Fonts.h"
#include "Judgement.h"
#include "PageFactories.h"
#include "PageLabel.h"
#include "PersonalPoints.h"
#include "Placement.h"
#include "ShownName.h"

#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <optional>
#include <string>

namespace tellumo {

namespace {

constexpr Placement Layout[] = {
    {"titleLabel", 0, 700, 10000, 450},
    {"typeSentenceLabel", 1800, 1200, 8000, 420},
    {"typeExplanationLabel", 2100, 1600, 6200, 1000},
    {"obesityLabel", 1800, 2750, 8000, 400},
    {"bmiLabel", 1800, 3300, 8000, 400},
    {"bmiExplanationLabel", 2100, 3700, 6200, 500},
    {"bmiLegendLabel", 2400, 4200, 6200, 1200},
    {"cautionButton", 2800, 5600, 2000, 800},
    {"quitButton", 5800, 5600, 1200, 800},
};

const Placement& at(const char* name) { return placementOf(Layout, name); }

const QColor ExplanationBlue(0, 0, 255);
constexpr double ExplanationPoints = 12;

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The class word opens the sentence and brings its own trailing space.
QString classWord(int susceptibilityClass)
{
    switch (susceptibilityClass) {
    case 1: return QStringLiteral("刺されにくい ");
    case 2: return QStringLiteral("普通程度の ");
    case 3: return QStringLiteral("刺されやすい ");
    default: return QStringLiteral("非常に刺されやすい ");
    }
}

// " さんは 虚証型 です。" and so on; it follows the name.
QString typePhrase(ConstitutionType type)
{
    return QStringLiteral(" さんは ") + fromUtf8(ConstitutionName(type)) + QStringLiteral(" です。");
}


struct Measures {
    double heightCm;
    double weightKg;
};

// Height and weight as typed on the personal data page, when both are usable
// numbers: a positive height and a weight of zero or more.
std::optional<Measures> readMeasures(const AssessmentRecord& record)
{
    const std::optional<double> height = ReadDecimal(record.PersonalData[HeightText].text());
    const std::optional<double> weight = ReadDecimal(record.PersonalData[WeightText].text());
    if (!height || !weight || !(*height > 0) || !(*weight >= 0))
        return std::nullopt;
    return Measures{*height, *weight};
}

// A measure's text, or none when it came out too large to be a number.
std::optional<QString> measureText(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    return QString::fromStdString(FormatMeasure(value));
}

QString obesityLine(const AssessmentRecord& record, const std::optional<Measures>& measures)
{
    if (!measures)
        return {};
    const std::optional<double> degree
        = ComputeObesityDegree(record, measures->heightCm, measures->weightKg);
    if (!degree)
        return {};
    const std::optional<QString> text = measureText(*degree);
    return text ? QStringLiteral("あなたの肥満度は　") + *text + QStringLiteral("%　です。") : QString();
}

QString bmiLine(const std::optional<Measures>& measures)
{
    if (!measures)
        return {};
    const std::optional<QString> text = measureText(ComputeBmi(measures->heightCm, measures->weightKg));
    return text ? QStringLiteral("あなたのBMIは　") + *text + QStringLiteral("　です。") : QString();
}

} // namespace

DetailsPage::DetailsPage(PageHost& host, QWidget* parent)
    : Page(host, QStringLiteral("DetailsPage"), 10005, 7200, CyanBackground, parent)
{
    createLabels();
    createExplanations();
    createButtons();
    orderButtons();
    connectHandlers();
    move(0, 0);
    showDetails();
}

void DetailsPage::createLabels()
{
    placeLabel(this, at("titleLabel"), QStringLiteral("判定結果の詳細"), pageFont(), true);
    typeSentenceLabel_
        = placeLabel(this, at("typeSentenceLabel"), QStringLiteral("あなたは 虚実中間 型です。"), pageFont());
    obesityLabel_
        = placeLabel(this, at("obesityLabel"), QStringLiteral("あなたの肥満度は　　　　　　　です。"), pageFont());
    bmiLabel_ = placeLabel(this, at("bmiLabel"), QStringLiteral("あなたのBMIは　　　　　　　です。"), pageFont());
}

void DetailsPage::createExplanations()
{
    const QFont font = pageFont(ExplanationPoints);
    QLabel* types = placeLabel(
        this, at("typeExplanationLabel"),
        QStringLiteral("東洋医学で使われる虚証型はやや抵抗力が弱く生気が不足がちのタイプ、"
                       "実証型は抵抗力が旺盛で体力が大きく活動的なタイプ、"
                       "虚実中間型はそれらの中間に位置するタイプです。"),
        font);
    QLabel* bmi = placeLabel(
        this, at("bmiExplanationLabel"),
        QStringLiteral("BMIはBody Mass Indexで体格指数と言われ、数値によって肥満の度合いが分かります。"),
        font);
    // Fixed pitch, so that the ranges and their names stand in columns.
    QLabel* legend = placeLabel(this, at("bmiLegendLabel"),
                                QStringLiteral("    ～17.6 やせすぎ\r\n"
                                               "17.6～20.0 やせ気味\r\n"
                                               "20.0～24.0 正常\r\n"
                                               "24.0～26.5 やや肥満\r\n"
                                               "26.5～     肥満"),
                                makeFont(FixedGothic, ExplanationPoints, true));
    for (QLabel* label : {types, bmi, legend})
        setTextColour(label, ExplanationBlue);
}

void DetailsPage::createButtons()
{
    quitButton_ = placeButton(this, at("quitButton"), QStringLiteral("終了"), pageFont());
    cautionButton_ = placeButton(this, at("cautionButton"), QStringLiteral("注意すべき点"), pageFont());
}

void DetailsPage::orderButtons()
{
    setTabOrder(quitButton_, cautionButton_);
    quitButton_->setFocus(Qt::OtherFocusReason);
}

void DetailsPage::connectHandlers()
{
    connect(quitButton_, &QPushButton::clicked, this, &DetailsPage::onQuit);
    connect(cautionButton_, &QPushButton::clicked, this, &DetailsPage::onCaution);
}

void DetailsPage::showDetails()
{
    const AssessmentRecord& record = this->record();
    showTypeSentence(record);
    const std::optional<Measures> measures = readMeasures(record);
    obesityLabel_->setText(obesityLine(record, measures));
    bmiLabel_->setText(bmiLine(measures));
}

void DetailsPage::showTypeSentence(const AssessmentRecord& record)
{
    const QString lead = classWord(ClassifySusceptibility(record.SusceptibilityScore));
    const QString name = shownName(record.PersonalData[Name].text());
    const QString phrase = typePhrase(ClassifyConstitution(record.answerTotal()));
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

void DetailsPage::onQuit()
{
    host().endProgram(this);
}

void DetailsPage::onCaution()
{
    host().replacePage(this, createCautionPage);
}

QWidget* createDetailsPage(PageHost& host)
{
    return new DetailsPage(host);
}

} // namespace tellumo
