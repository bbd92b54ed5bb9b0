// Body-mass index and obesity degree from height and weight.
//
// Data flow: the detailed result page reads the typed height and weight texts
// from PersonalData, turns them into numbers with ReadDecimal, and formats the
// results of ComputeObesityDegree and ComputeBmi with FormatMeasure.
#pragma once

#include "AssessmentRecord.h"

#include <optional>
#include <string>

namespace tellumo {

// Rounds to a whole number / to one decimal; exact halves go to the even
// neighbour. A half is judged on the double's exact binary value: 22.25 is a
// tie (→ 22.2), while 0.15, stored as 0.1499999…, simply rounds down.
double RoundHalfEven(double value);
double RoundHalfEven1(double value);

// Table entry for the height rounded to whole centimetres, or nullopt when the
// height (as given, before rounding) lies outside 51..190.
std::optional<float> LookupStandardWeight(const AssessmentRecord& record, double heightCm);

// weight ÷ (height ÷ 100) ÷ (height ÷ 100), rounded to one decimal.
double ComputeBmi(double heightCm, double weightKg);

// (weight ÷ standard weight − 1) × 100, rounded to one decimal; nullopt outside 51..190 cm.
std::optional<double> ComputeObesityDegree(const AssessmentRecord& record, double heightCm, double weightKg);

// Shortest plain decimal form: 22 for 22.0, 22.5, -3.4; never an exponent, never "-0".
// Infinity and NaN (a zero height) give the empty text, shown as an empty value.
std::string FormatMeasure(double value);

} // namespace tellumo
