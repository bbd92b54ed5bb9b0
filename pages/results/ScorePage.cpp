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
#include <optional>
#include <stdexcept>
#include <string>

namespace tellumo {

namespace {

// The scale's labels from top to bottom, and the class each one stands for.
constexpr const char* ScaleNames[] = {
    "classVeryEasilyLabel", // class 4
    "classEasilyLabel",     // class 3
    "classAverageLabel",    // class 2
    "classHardlyLabel",     // class 1
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

// The score, or nullopt when the record holds codes or points that no
// page can store (a sum beyond 255, or points never stored): such a record
// is corrupted, and a wrapped or partial sum must not pass for a result.
std::optional<std::uint8_t> computedScore(AssessmentRecord& record)
{
    try {
        return ComputeSusceptibilityScore(record);
    } catch (const ScoreOverflow&) {
        return std::nullopt;
    } catch (const std::logic_error&) {
        return std::nullopt;
    }
}

} // namespace

ScorePage::ScorePage(PageHost& host, QWidget* parent)
    : ResultPage(host, QStringLiteral("ScorePage"), PageLayouts::Score, CyanBackground, ResultTexts::ScoreTitle,
                 parent)
{
    createLabels();
    createScoreLine();
    detailsButton_ = addWays({{"quitButton", QStringLiteral("終了"), {}},
                                      {"detailsButton", QStringLiteral("判定結果の詳細"), createDetailsPage},
                                      {"cautionButton", QStringLiteral("注意すべき点"), createCautionPage}})
                         .at(1);
    showResult();
}

void ScorePage::createLabels()
{
    placeLabel(this, at("degreeLabel"), ResultTexts::DegreeLead, pageFont());
    for (std::size_t i = 0; i < scale_.size(); ++i) {
        const int susceptibilityClass = 4 - static_cast<int>(i);
        scale_[i] = placeLabel(this, at(ScaleNames[i]), ResultTexts::classCaption(susceptibilityClass), pageFont());
    }
    setTextColour(scale_[0], QColor(0, 0, 0));
    placeLabel(this, at("cautionHintLabel"), ResultTexts::CautionHint, pageFont());
}

void ScorePage::createScoreLine()
{
    const Placement& place = at("scoreLine");
    scoreLine_ = new RichTextView(this);
    scoreLine_->setObjectName(QString::fromLatin1(place.name));
    scoreLine_->setGeometry(twipsRect(place.left, place.top, place.width, place.height));
}

void ScorePage::showResult()
{
    const std::optional<std::uint8_t> score = computedScore(record());
    if (!score) {
        // No score line and no class; the details would only repeat an
        // earlier judgement, so that way is closed. Told once the page shows.
        detailsButton_->setEnabled(false);
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
        scoreLine_->setRtf(MakeRtf(EscapeRtfText(shownName.toStdString()), {.withHeader = true, .colourIndex = 2})
                           + MakeRtf(sentence, {.closeAll = true}));
    };
    // The score is what the user came for: a long name gives way to it.
    const QString fitted = fittedName(name, [&](const QString& candidate) {
        show(candidate);
        return scoreLine_->fitsOneLine();
    });
    show(fitted);
    if (fitted != name) {
        scoreLine_->setToolTip(name);
        scoreLine_->setAccessibleName(name + QString::fromStdString(sentence));
    }
}

void ScorePage::showClass(int susceptibilityClass)
{
    const int highlighted = scaleIndexOf(susceptibilityClass);
    for (int i = 0; i < static_cast<int>(scale_.size()); ++i) {
        QLabel* label = scale_[static_cast<std::size_t>(i)];
        const Placement& place = at(ScaleNames[i]);
        if (i == highlighted) {
            label->setGeometry(twipsRect(HighlightLeft, place.top, place.width, HighlightHeight));
            label->setFont(pageFont(HighlightPoints));
            setTextColour(label, highlightColour(susceptibilityClass));
            // Size and colour say which class is the person's; in words too:
            // the words in front of the scale and the class make a sentence.
            const QString judgement = ResultTexts::DegreeLead + label->text();
            label->setAccessibleDescription(judgement);
            scoreLine_->setAccessibleDescription(judgement);
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
