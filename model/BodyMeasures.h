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

// Rounds to a whole number / to one decimal; exact halves go to the even neighbour.
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
std::string FormatMeasure(double value);

} // namespace tellumo
