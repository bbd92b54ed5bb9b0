#include "ScorePage.h"

#include "AssessmentRecord.h"
#include "ClassDisplay.h"
#include "Controls.h"
#include "Fonts.h"
#include "Judgement.h"
#include "MakeRtf.h"
#include "PageLabel.h"
#include "Messages.h"
#include "PageFactories.h"
#include "ResultTexts.h"
#include "RichTextView.h"
#include "ShownName.h"
#include "Twips.h"

#include <QTimer>

#include <array>
#include <optional>
#include <string>

namespace tellumo {

namespace {

// The scale's rows by class, from class 1 at the bottom of the scale to
// class 4 at its top: the label and its place.
struct ScaleRow {
    PageLabel* ScoreControls::*label;
    Place ScoreLayout::*place;
};
constexpr std::array<ScaleRow, ClassCount> Scale = {{
    {&ScoreControls::classHardlyLabel, &ScoreLayout::classHardlyLabel},
    {&ScoreControls::classAverageLabel, &ScoreLayout::classAverageLabel},
    {&ScoreControls::classEasilyLabel, &ScoreLayout::classEasilyLabel},
    {&ScoreControls::classVeryEasilyLabel, &ScoreLayout::classVeryEasilyLabel},
}};
constexpr const ScaleRow& scaleRow(int susceptibilityClass) { return Scale[std::size_t(susceptibilityClass - 1)]; }

} // namespace

ScorePage::ScorePage(PageHost& host, QWidget* parent)
    : ResultPage(host, QStringLiteral("ScorePage"), PageLayouts::Score.size, PageLayouts::Score.titleLabel,
                 CyanBackground, ResultTexts::ScoreTitle, parent)
{
    makeControls();
    showResult();
}

// Each control goes into its member of ui_, named and placed after it.
#define SCORE_CONTROL(member, make) TELLUMO_PLACED(ui_, PageLayouts::Score, member, make)

void ScorePage::makeControls()
{
    SCORE_CONTROL(degreeLabel, makeText(ResultTexts::DegreeLead));
    SCORE_CONTROL(classVeryEasilyLabel, makeText(classDisplay(4).caption));
    SCORE_CONTROL(classEasilyLabel, makeText(classDisplay(3).caption));
    SCORE_CONTROL(classAverageLabel, makeText(classDisplay(2).caption));
    SCORE_CONTROL(classHardlyLabel, makeText(classDisplay(1).caption));
    for (int c = 1; c <= ClassCount; ++c)
        if (const std::optional<QColor> colour = classDisplay(c).unmarked)
            setTextColour(ui_.*scaleRow(c).label, *colour);
    SCORE_CONTROL(cautionHintLabel, makeText(ResultTexts::CautionHint));
    SCORE_CONTROL(scoreLine, new RichTextView(this));
    SCORE_CONTROL(quitButton, makeWay(QStringLiteral("終了"), {}));
    SCORE_CONTROL(detailsButton, makeWay(QStringLiteral("判定結果の詳細"), createDetailsPage));
    SCORE_CONTROL(cautionButton, makeWay(QStringLiteral("注意すべき点"), createCautionPage));
}

#undef SCORE_CONTROL

void ScorePage::showResult()
{
    const std::optional<std::uint8_t> score = TryComputeSusceptibilityScore(record());
    if (!score) {
        // No score line and no class; the details would only repeat an
        // earlier judgement, so that way is closed. Told once the page shows.
        ui_.detailsButton->setEnabled(false);
        QTimer::singleShot(0, this, [this] { Messages::show(this, ResultTexts::NoJudgement); });
        return;
    }
    showScoreLine(shownName(record().PersonalData[Name].text()), ResultTexts::scoreSentence(*score));
    showClass(ClassifySusceptibility(*score));
}

void ScorePage::showScoreLine(const QString& name, const std::string& sentence)
{
    // The name is the user's text: escaped, so that braces and backslashes in
    // it show as typed instead of changing the document.
    const auto show = [&](const QString& shownName) {
        ui_.scoreLine->setRtf(MakeRtf(EscapeRtfText(shownName.toStdString()), {.withHeader = true, .colourIndex = 2})
                           + MakeRtf(sentence, {.closeAll = true}));
    };
    // The score is what the user came for: a long name gives way to it.
    const QString fitted = fittedName(name, [&](const QString& candidate) {
        show(candidate);
        return ui_.scoreLine->fitsOneLine();
    });
    show(fitted);
    if (fitted != name) {
        ui_.scoreLine->setToolTip(name);
        ui_.scoreLine->setAccessibleName(name + QString::fromStdString(sentence));
    }
}

void ScorePage::showClass(int susceptibilityClass)
{
    const ScaleHighlight& highlight = PageLayouts::Score.highlight;
    for (int c = 1; c <= ClassCount; ++c) {
        PageLabel* label = ui_.*scaleRow(c).label;
        const Place& place = PageLayouts::Score.*scaleRow(c).place;
        if (c == susceptibilityClass) {
            label->setGeometry(twipsRect(highlight.left, place.top, place.width, highlight.height));
            label->setFont(pageFont(highlight.points));
            setTextColour(label, classDisplay(c).marked);
            // Size and colour say which class is the person's; in words too:
            // the words in front of the scale and the class make a sentence.
            const QString judgement = ResultTexts::DegreeLead + label->text();
            label->setAccessibleDescription(judgement);
            ui_.scoreLine->setAccessibleDescription(judgement);
        } else if (c < susceptibilityClass) {
            // Lower classes stand under the person's.
            label->setGeometry(twipsRect(place.left, place.top + highlight.moveDown, place.width, place.height));
        }
    }
}

QWidget* createScorePage(PageHost& host)
{
    return new ScorePage(host);
}

} // namespace tellumo
