#include "BodyMeasures.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace tellumo {

namespace {

// Doubles of this magnitude or more have no fractional bits.
constexpr double wholeFrom = 4503599627370496.0; // 2^52
// Below this magnitude, ten times the whole part plus one still fits the
// 53-bit significand, so the tenths can be counted exactly as a whole number.
constexpr double exactTenthsBelow = 562949953421312.0; // 2^49

// Splits a non-negative finite value below 2^52 into its whole part and how
// its fraction compares with one half: -1 below, 0 exactly half, +1 above.
// The fraction x - floor(x) is always exact, so the comparison is too.
struct SplitHalf {
    double whole;
    int fractionVersusHalf;
};

SplitHalf splitAtHalf(double value, double correction)
{
    const double whole = std::floor(value);
    const double fraction = value - whole; // exact
    int versus = fraction < 0.5 ? -1 : (fraction > 0.5 ? 1 : 0);
    if (versus == 0)
        versus = correction < 0 ? -1 : (correction > 0 ? 1 : 0);
    return {whole, versus};
}

double roundSplit(const SplitHalf& split)
{
    if (split.fractionVersusHalf > 0)
        return split.whole + 1;
    if (split.fractionVersusHalf < 0)
        return split.whole;
    return std::fmod(split.whole, 2.0) == 0 ? split.whole : split.whole + 1;
}

} // namespace

double RoundHalfEven(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= wholeFrom)
        return value;
    const double rounded = roundSplit(splitAtHalf(std::fabs(value), 0.0));
    return std::copysign(rounded, value);
}

// Rounds to the nearest multiple of one tenth, judged on the exact binary
// value of the argument: only a double that lies exactly halfway between two
// tenths is a tie, and those are exactly the odd multiples of 0.25 (22.25 ->
// 22.2, 22.75 -> 22.8). A double written as 0.15 is really
// 0.1499999999999999944... and so goes down, while 0.05 is really
// 0.05000000000000000277... and goes up.
//
// To decide this without being fooled by the rounding of the product, the
// fraction f (exact, below 1) is multiplied by ten with fma: p = fl(10 f) and
// e = 10 f - p exactly. Because 0.5 lies on the grid of p and |e| is at most
// half a unit in p's last place, the exact 10 f is above or below one half
// exactly when p is, and the sign of e decides only when p is exactly 0.5.
// fma is used rather than long double because long double is no wider than
// double on some compilers, while fma is exact everywhere.
double RoundHalfEven1(double value)
{
    if (!std::isfinite(value))
        return value;
    const double magnitude = std::fabs(value);
    if (magnitude >= wholeFrom)
        return value;

    const double whole = std::floor(magnitude);
    const double fraction = magnitude - whole; // exact, in [0, 1)
    const double tenths = fraction * 10.0;
    const double error = std::fma(fraction, 10.0, -tenths); // exact: 10 f - tenths
    // The last whole tenth; its parity decides ties, since ten times the whole
    // part is even.
    const double digit = roundSplit(splitAtHalf(tenths, error));

    double rounded;
    if (magnitude < exactTenthsBelow) {
        // whole * 10 + digit is an exact whole number; one correctly rounded
        // division gives the double nearest to the decimal result.
        rounded = (whole * 10.0 + digit) / 10.0;
    } else {
        // Here doubles are at least 1/8 apart and digit / 10 lies well away
        // from any halfway point of that grid, so the sum rounds correctly.
        rounded = whole + digit / 10.0;
    }
    return std::copysign(rounded, value);
}

std::optional<float> LookupStandardWeight(const AssessmentRecord& record, double heightCm)
{
    // The range is tested on the height as given; rounding comes after, so
    // 190.2 is outside while 190.0 and 51.0 are inside. NaN fails both tests.
    if (!(heightCm >= 51.0 && heightCm <= 190.0))
        return std::nullopt;
    const int wholeCm = static_cast<int>(RoundHalfEven(heightCm));
    return record.StandardWeightTable[wholeCm];
}

double ComputeBmi(double heightCm, double weightKg)
{
    // Two successive divisions by the height in metres, in this order; the
    // last digit of the result depends on it.
    const double metres = heightCm / 100.0;
    const double perMetre = weightKg / metres;
    const double bmi = perMetre / (heightCm / 100.0);
    return RoundHalfEven1(bmi);
}

std::optional<double> ComputeObesityDegree(const AssessmentRecord& record, double heightCm, double weightKg)
{
    const std::optional<float> standard = LookupStandardWeight(record, heightCm);
    if (!standard)
        return std::nullopt;
    // The single-precision table value is widened as it is, so 150 cm divides
    // by 45.63999938964844 rather than by 45.64.
    const double ratio = weightKg / static_cast<double>(*standard);
    const double degree = (ratio - 1.0) * 100.0;
    return RoundHalfEven1(degree);
}

std::string FormatMeasure(double value)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0.0) // also -0.0, which a small negative value rounds to
        return "0";
    // Plain notation with the fewest digits that read back as the same
    // double. The longest such text (the smallest subnormal) needs 327
    // characters.
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    if (result.ec != std::errc())
        return {};
    return std::string(buffer.data(), result.ptr);
}

} // namespace tellumo
