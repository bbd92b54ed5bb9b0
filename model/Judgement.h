// The judgements made from a filled record: the bite-susceptibility score and
// class, and the constitution type.
//
// Data flow: ComputeSusceptibilityScore reads AnswerCodes 1..19 and the
// personal-data points, writes AnswerTotal and SusceptibilityScore; the result
// pages classify those two numbers for display.
#pragma once

#include "AssessmentRecord.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace tellumo {

// A sum beyond 255; only corrupted codes or points can cause it.
class ScoreOverflow : public std::overflow_error {
public:
    ScoreOverflow() : std::overflow_error("susceptibility score exceeds 255") {}
};

// Sums AnswerCodes 1..19 into AnswerCodes[0], adds PersonalData 1, 2, 5, 6, 7,
// stores and returns SusceptibilityScore. Throws ScoreOverflow when a sum
// would pass 255 (or drop below 0), and std::logic_error when a points entry
// holds no number; the record is left unchanged in both cases.
std::uint8_t ComputeSusceptibilityScore(AssessmentRecord& record);
// The same, without throwing: the score, or nullopt for a record that holds
// codes or points no page can store (a corrupted record, whose wrapped or
// partial sum must not pass for a result).
std::optional<std::uint8_t> TryComputeSusceptibilityScore(AssessmentRecord& record) noexcept;

// 1 (< 20), 2 (20..39), 3 (40..59), 4 (>= 60).
int ClassifySusceptibility(std::uint8_t score);
// "刺されにくい", "普通程度", "刺されやすい", "非常に刺されやすい" for classes 1..4.
std::string_view SusceptibilityCaption(int susceptibilityClass);

enum class ConstitutionType { Deficiency, Intermediate, Excess };

// Deficiency up to 24, Intermediate 25..45, Excess from 46.
ConstitutionType ClassifyConstitution(std::uint8_t answerTotal);
// "虚証型", "虚実中間型", "実証型".
std::string_view ConstitutionName(ConstitutionType type);

} // namespace tellumo
