// What the four result pages say, in one place: their fixed texts and the
// sentences they build from the assessment record. The pages show them and
// the printed result (ResultDocument.h) repeats them word for word, so the
// two can never drift apart. What a class is called and how it is coloured
// is in ClassDisplay.h.
//
// Data flow: the sentence builders only read the record; the score must have
// been computed into it (ComputeSusceptibilityScore) before the type phrase
// or the score sentence mean anything.
#pragma once

#include "Judgement.h"

#include <QString>
#include <array>
#include <cstdint>
#include <string>

namespace tellumo {

struct AssessmentRecord;

namespace ResultTexts {

// The score page.
extern const QString ScoreTitle;
// The words in front of the class scale.
extern const QString DegreeLead;
extern const QString CautionHint;
// Shown instead of a score when the record cannot give one.
extern const QString NoJudgement;
// " さんの総合点数は100点満点で57点です。" for 57; the name goes in front.
std::string scoreSentence(std::uint8_t score);

// The details page.
extern const QString DetailsTitle;
extern const QString TypeExplanation;
extern const QString BmiExplanation;
// Five lines, CR LF between them; meant for the fixed-pitch face.
extern const QString BmiLegend;
// " さんは 虚証型 です。" and so on; it follows the name.
QString typePhrase(ConstitutionType type);
// "あなたの肥満度は　10.4%　です。", or empty when the height lies outside
// the standard-weight table or height and weight are not usable numbers.
QString obesityLine(const AssessmentRecord& record);
// "あなたのBMIは　22.5　です。", or empty when height and weight are not
// usable numbers.
QString bmiLine(const AssessmentRecord& record);

// The caution page.
extern const QString CautionTitle;
// "１．…" to "４．…"; points 2 to 4 keep the run of spaces that starts
// their indented second line (PageLabel::Breaks::SpaceRunContinues).
extern const std::array<QString, 4> CautionPoints;

// The advice page.
extern const QString AdviceTitle;
// The pest-control contact address shown in the last piece of advice.
QString contactEmail();
// The four pieces of advice, the last with the contact address; line breaks
// as CR LF, including the trailing ones that only add space.
std::array<QString, 4> advice();

} // namespace ResultTexts

} // namespace tellumo
