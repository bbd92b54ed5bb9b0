#include "ResultTexts.h"

#include "AssessmentRecord.h"
#include "BodyMeasures.h"
#include "PersonalPoints.h"

#include <cmath>
#include <optional>

namespace tellumo::ResultTexts {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

} // namespace

const QString ScoreTitle = QStringLiteral("判定結果");
const QString DegreeLead = QStringLiteral("あなたの蚊に刺されやすさ度は");
const QString CautionHint = QStringLiteral("非常に刺されやすい、刺されやすいの人は、是非注意すべき点を読んで、"
                                           "蚊に刺されないよう努めてください。");
const QString NoJudgement = QStringLiteral("判定できませんでした");

std::string scoreSentence(std::uint8_t score)
{
    return " さんの総合点数は100点満点で" + std::to_string(score) + "点です。";
}

const QString DetailsTitle = QStringLiteral("判定結果の詳細");
const QString TypeExplanation = QStringLiteral("東洋医学で使われる虚証型はやや抵抗力が弱く生気が不足がちのタイプ、"
                                               "実証型は抵抗力が旺盛で体力が大きく活動的なタイプ、"
                                               "虚実中間型はそれらの中間に位置するタイプです。");
const QString BmiExplanation
    = QStringLiteral("BMIはBody Mass Indexで体格指数と言われ、数値によって肥満の度合いが分かります。");
const QString BmiLegend = QStringLiteral("    ～17.6 やせすぎ\r\n"
                                         "17.6～20.0 やせ気味\r\n"
                                         "20.0～24.0 正常\r\n"
                                         "24.0～26.5 やや肥満\r\n"
                                         "26.5～     肥満");

QString typePhrase(ConstitutionType type)
{
    return QStringLiteral(" さんは ") + fromUtf8(ConstitutionName(type)) + QStringLiteral(" です。");
}

QString obesityLine(const AssessmentRecord& record)
{
    const std::optional<Measures> measures = readMeasures(record);
    if (!measures)
        return {};
    const std::optional<double> degree
        = ComputeObesityDegree(record, measures->heightCm, measures->weightKg);
    if (!degree)
        return {};
    const std::optional<QString> text = measureText(*degree);
    return text ? QStringLiteral("あなたの肥満度は　") + *text + QStringLiteral("%　です。") : QString();
}

QString bmiLine(const AssessmentRecord& record)
{
    const std::optional<Measures> measures = readMeasures(record);
    if (!measures)
        return {};
    const std::optional<QString> text = measureText(ComputeBmi(measures->heightCm, measures->weightKg));
    return text ? QStringLiteral("あなたのBMIは　") + *text + QStringLiteral("　です。") : QString();
}

const QString CautionTitle = QStringLiteral("注意すべき点");
const std::array<QString, 4> CautionPoints = {
    QStringLiteral("１．蚊がいそうな所では、肌の露出をできるだけ避けましょう。"),
    QStringLiteral("２．足元が特に狙われやすいので、サンダルなどの素足を避け、     靴下と靴を履きましょう。"),
    QStringLiteral("３．野外では虫よけスプレーの使用、屋内では殺虫剤や蚊取り      器も必要に応じ使用しましょう。"),
    QStringLiteral("４．体脂肪量が多いと蚊に刺されやすい傾向があるという報告      もあります。"),
};

const QString AdviceTitle = QStringLiteral("蚊の対策法");

QString contactEmail()
{
    return QStringLiteral(TELLUMO_CONTACT_EMAIL);
}

std::array<QString, 4> advice()
{
    return {
        QStringLiteral("ドアや窓は網戸なしで開放したままにしないようにし、また出入りはすばやく行い、"
                       "蚊を家の中に入れないよう心がけましょう。\r\n\r\n"),
        QStringLiteral("寝ている間の蚊に悩まされる場合、寝る前に閉めきって蚊取り線香、マット、"
                       "液体蚊取りのいずれかをつけて１時間ほど置き、さっと換気してから寝るようにしましょう。"),
        QStringLiteral("蚊の幼虫は、雨水などが溜まっている容器に発生しますから、"
                       "使わない容器は中の水を捨てて裏返しにしておきましょう。\r\n"
                       "蚊は10日ほどの水溜まりでも卵から成虫になってしまいますから、"
                       "こまめに水がたまっていないかチェックしましょう。"),
        QStringLiteral("ヤブカによく刺され、蚊の発生源がどこにあるか分からない場合、"
                       "蚊の専門家が発生源を調べ、発生を抑える処理を致します。\r\n"
                       "有限会社Quenmar：")
            + contactEmail() + QStringLiteral("までご連絡下さい。\r\n"),
    };
}

} // namespace tellumo::ResultTexts
