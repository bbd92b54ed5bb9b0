#include "ScorePage.h"

#include "AssessmentRecord.h"
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

#include <QLabel>
#include <QTimer>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>

namespace tellumo {

namespace {

// The scale's labels from top to bottom and their places: index i stands
// for class 4 - i.
std::array<PageLabel*, 4> scaleOf(const ScoreControls& ui)
{
    return {ui.classVeryEasilyLabel, ui.classEasilyLabel, ui.classAverageLabel, ui.classHardlyLabel};
}
constexpr std::array<const Place*, 4> ScalePlaces = {
    &PageLayouts::Score.classVeryEasilyLabel, &PageLayouts::Score.classEasilyLabel,
    &PageLayouts::Score.classAverageLabel, &PageLayouts::Score.classHardlyLabel,
};
constexpr int scaleIndexOf(int susceptibilityClass) { return 4 - susceptibilityClass; }

// The highlighted class: moved left, taller, larger and in its colour; every
// label under it moves down to make room.
constexpr int HighlightLeft = 2500;
constexpr int HighlightHeight = 600;
constexpr double HighlightPoints = 24;
constexpr int MoveDown = 200;

QColor highlightColour(int susceptibilityClass)
{
    switch (susceptibilityClass) {
    case 1: return QColor(0, 255, 0);
    case 2: return QColor(0, 0, 0);
    case 3: return QColor(255, 0, 255);
    default: return QColor(255, 0, 0);
    }
}

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
    SCORE_CONTROL(classVeryEasilyLabel, makeText(ResultTexts::classCaption(4)));
    SCORE_CONTROL(classEasilyLabel, makeText(ResultTexts::classCaption(3)));
    SCORE_CONTROL(classAverageLabel, makeText(ResultTexts::classCaption(2)));
    SCORE_CONTROL(classHardlyLabel, makeText(ResultTexts::classCaption(1)));
    setTextColour(ui_.classVeryEasilyLabel, QColor(0, 0, 0));
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
    const int highlighted = scaleIndexOf(susceptibilityClass);
    const std::array<PageLabel*, 4> scale = scaleOf(ui_);
    for (int i = 0; i < static_cast<int>(scale.size()); ++i) {
        QLabel* label = scale[static_cast<std::size_t>(i)];
        const Place& place = *ScalePlaces[static_cast<std::size_t>(i)];
        if (i == highlighted) {
            label->setGeometry(twipsRect(HighlightLeft, place.top, place.width, HighlightHeight));
            label->setFont(pageFont(HighlightPoints));
            setTextColour(label, highlightColour(susceptibilityClass));
            // Size and colour say which class is the person's; in words too:
            // the words in front of the scale and the class make a sentence.
            const QString judgement = ResultTexts::DegreeLead + label->text();
            label->setAccessibleDescription(judgement);
            ui_.scoreLine->setAccessibleDescription(judgement);
        } else if (i > highlighted) {
            label->setGeometry(twipsRect(place.left, place.top + MoveDown, place.width, place.height));
        }
    }
}

QWidget* createScorePage(PageHost& host)
{
    return new ScorePage(host);
}

} // namespace tellumo
