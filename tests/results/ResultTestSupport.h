// Shared by the result-page tests and the whole-program walk: records that
// yield a chosen score, the fixed texts of the pages, and small lookups.
#pragma once

#include "AssessmentRecord.h"
#include "results/PageLabel.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace tellumo::testing {

// Highest answer code of Q1..Q19.
inline constexpr std::array<int, 19> HighestCodes = {2, 2, 2, 2, 2, 10, 8, 2, 2, 2,
                                                      2, 2, 20, 2, 2, 2, 2, 2, 2};

// Fills Module1::Record so that the score computation yields `score`
// (10..100): the fewest personal points that leave room, the answers filled
// from Q1 on with their highest codes.
inline void fillRecordForScore(const std::string& name, int score)
{
    AssessmentRecord& record = Module1::Record;
    record.PersonalData[Name] = PersonalEntry(name);
    const bool high = score > 80;
    record.PersonalData[SexPointsEntry] = PersonalEntry(std::int16_t(high ? 2 : 0));
    record.PersonalData[AgePointsEntry] = PersonalEntry(std::int16_t(high ? 5 : 3));
    record.PersonalData[BloodTypePointsEntry] = PersonalEntry(std::int16_t(high ? 8 : 4));
    record.PersonalData[BodyFatPointsEntry] = PersonalEntry(std::int16_t(high ? 5 : 0));
    record.PersonalData[SkinTonePointsEntry] = PersonalEntry(std::int16_t(high ? 10 : 3));
    int rest = score - (high ? 30 : 10);
    for (int q = 1; q <= 19; ++q) {
        const int code = std::min(rest, HighestCodes[static_cast<std::size_t>(q - 1)]);
        record.AnswerCodes[q] = static_cast<std::uint8_t>(code);
        rest -= code;
    }
    record.PersonalData[HeightText] = PersonalEntry(std::string("170"));
    record.PersonalData[WeightText] = PersonalEntry(std::string("65"));
}

inline QLabel* label(QWidget* page, const char* name)
{
    return page ? page->findChild<QLabel*>(QString::fromLatin1(name)) : nullptr;
}

inline QString labelText(QWidget* page, const char* name)
{
    QLabel* found = label(page, name);
    return found ? found->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

// The text colour a label shows.
inline QColor textColour(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

// Pages still alive as top-level windows (a test should leave none).
inline QStringList leftoverWindows()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() || w->inherits("tellumo::Page"))
            names << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                : w->objectName());
    return names;
}

// The fixed texts of the caution and advice pages, by label.
inline std::vector<std::pair<const char*, QString>> cautionTexts()
{
    return {
        {"Label2", QStringLiteral("注意すべき点")},
        {"Label1", QStringLiteral("１．蚊がいそうな所では、肌の露出をできるだけ避けましょう。")},
        {"Label3", QStringLiteral("２．足元が特に狙われやすいので、サンダルなどの素足を避け、     靴下と靴を履きましょう。")},
        {"Label4", QStringLiteral("３．野外では虫よけスプレーの使用、屋内では殺虫剤や蚊取り      器も必要に応じ使用しましょう。")},
        {"Label5", QStringLiteral("４．体脂肪量が多いと蚊に刺されやすい傾向があるという報告      もあります。")},
    };
}

inline std::vector<std::pair<const char*, QString>> adviceTexts(const QString& contact)
{
    return {
        {"Label1", QStringLiteral("蚊の対策法")},
        {"Label2", QStringLiteral("ドアや窓は網戸なしで開放したままにしないようにし、また出入りはすばやく行い、蚊を家の中に入れないよう心がけましょう。\r\n\r\n")},
        {"Label3", QStringLiteral("寝ている間の蚊に悩まされる場合、寝る前に閉めきって蚊取り線香、マット、液体蚊取りのいずれかをつけて１時間ほど置き、さっと換気してから寝るようにしましょう。")},
        {"Label4", QStringLiteral("蚊の幼虫は、雨水などが溜まっている容器に発生しますから、使わない容器は中の水を捨てて裏返しにしておきましょう。\r\n蚊は10日ほどの水溜まりでも卵から成虫になってしまいますから、こまめに水がたまっていないかチェックしましょう。")},
        {"Label5", QStringLiteral("ヤブカによく刺され、蚊の発生源がどこにあるか分からない場合、蚊の専門家が発生源を調べ、発生を抑える処理を致します。\r\n有限会社Quenmar：") + contact + QStringLiteral("までご連絡下さい。\r\n")},
    };
}

inline const QString Legend = QStringLiteral(
    "    ～17.6 やせすぎ\r\n17.6～20.0 やせ気味\r\n20.0～24.0 正常\r\n24.0～26.5 やや肥満\r\n26.5～     肥満");

inline const QString TypeExplanation = QStringLiteral(
    "東洋医学で使われる虚証型はやや抵抗力が弱く生気が不足がちのタイプ、実証型は抵抗力が旺盛で体力が大きく活動的なタイプ、虚実中間型はそれらの中間に位置するタイプです。");

inline const QString BmiExplanation = QStringLiteral(
    "BMIはBody Mass Indexで体格指数と言われ、数値によって肥満の度合いが分かります。");

} // namespace tellumo::testing

namespace tellumo::testing {

// Whether `shown` paints exactly like a page label with `text` in the same
// place and font: used to check that CR LF breaks draw no glyph of their own.
inline bool paintsLike(QLabel* shown, const QString& text)
{
    PageLabel twin(text, PageLabel::Breaks::Plain, shown->parentWidget());
    twin.setGeometry(shown->geometry());
    twin.setFont(shown->font());
    twin.setPalette(shown->palette());
    twin.setAlignment(shown->alignment());
    twin.setWordWrap(shown->wordWrap());
    twin.show();
    return shown->grab().toImage() == twin.grab().toImage();
}

} // namespace tellumo::testing
