// Turning the personal data page's entries into the points the score adds up,
// and reading typed numbers.
//
// Data flow: the personal data page reads each text field with ReadDecimal,
// converts choices and numbers into points here and stores them in
// PersonalData; ComputeSusceptibilityScore adds the points up later.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tellumo {

enum class Sex { Male, Female };
enum class BloodType { O, A, B, AB };
enum class SkinTone { Dark, Normal, Fair };

std::int16_t SexPoints(Sex sex);                 // male 2, female 0
std::int16_t AgePoints(double age);              // 5 when age > 24, otherwise 3
std::int16_t BloodTypePoints(BloodType type);    // O 8, A 4, B 6, AB 5
std::int16_t SkinTonePoints(SkinTone tone);      // dark 10, normal 5, fair 3
// 5 when percent × weight / 100 >= 13, otherwise 0; no percentage gives 0.
std::int16_t BodyFatPoints(std::optional<double> percent, double weightKg);

// Reads a typed decimal number (UTF-8): optional surrounding blanks, an
// optional sign, digits with an optional decimal point; the full-width forms
// of digits, point, signs and space count as their ASCII forms. Independent
// of the locale. Returns nullopt for anything else: empty or blank text,
// "inf", "nan", exponents, grouping, or a value outside the finite doubles.
std::optional<double> ReadDecimal(std::string_view text);

} // namespace tellumo
