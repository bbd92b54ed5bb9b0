#include "PersonalPoints.h"

#include <charconv>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tellumo {

namespace {

// The points of each choice of one personal entry.
template <typename Choice>
struct ChoicePoints {
    Choice choice;
    std::int16_t points;
};

constexpr ChoicePoints<Sex> SexTable[] = {{Sex::Male, 2}, {Sex::Female, 0}};
constexpr ChoicePoints<BloodType> BloodTypeTable[] = {
    {BloodType::O, 8}, {BloodType::A, 4}, {BloodType::B, 6}, {BloodType::AB, 5}};
constexpr ChoicePoints<SkinTone> SkinToneTable[] = {
    {SkinTone::Dark, 10}, {SkinTone::Normal, 5}, {SkinTone::Fair, 3}};

// A value outside the enumeration (a corrupted record) has no points.
template <typename Choice, std::size_t N>
std::int16_t pointsOf(const ChoicePoints<Choice> (&table)[N], Choice choice, const char* unknown)
{
    for (const ChoicePoints<Choice>& row : table)
        if (row.choice == choice)
            return row.points;
    throw std::invalid_argument(unknown);
}

} // namespace

std::int16_t SexPoints(Sex sex)
{
    return pointsOf(SexTable, sex, "unknown sex");
}

std::int16_t AgePoints(double age)
{
    return age > 24 ? 5 : 3;
}

std::int16_t BloodTypePoints(BloodType type)
{
    return pointsOf(BloodTypeTable, type, "unknown blood type");
}

std::int16_t SkinTonePoints(SkinTone tone)
{
    return pointsOf(SkinToneTable, tone, "unknown skin tone");
}

std::int16_t BodyFatPoints(std::optional<double> percent, double weightKg)
{
    if (!percent)
        return 0;
    const double fatMassKg = *percent * weightKg / 100.0;
    return fatMassKg >= 13.0 ? 5 : 0;
}

namespace {

// What one character of the input stands for once full-width forms are
// folded onto their ASCII counterparts.
enum class Unit { Blank, Plus, Minus, Digit, Point, Other };

struct Token {
    Unit unit;
    char digit;          // '0'..'9' for Unit::Digit
    std::size_t length;  // bytes taken from the input
};

// Reads the character at text[pos]. Only ASCII and a handful of exact
// three-byte UTF-8 sequences are recognised; every other byte, including
// any malformed or truncated sequence, is Other. Never reads past the end.
Token readToken(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);

    if (lead < 0x80) {
        if (lead == ' ' || lead == '\t')
            return {Unit::Blank, 0, 1};
        if (lead == '+')
            return {Unit::Plus, 0, 1};
        if (lead == '-')
            return {Unit::Minus, 0, 1};
        if (lead == '.')
            return {Unit::Point, 0, 1};
        if (lead >= '0' && lead <= '9')
            return {Unit::Digit, static_cast<char>(lead), 1};
        return {Unit::Other, 0, 1};
    }

    if (text.size() - pos < 3)
        return {Unit::Other, 0, 1};
    const unsigned char second = byte(1);
    const unsigned char third = byte(2);

    if (lead == 0xE3 && second == 0x80 && third == 0x80) // U+3000 ideographic space
        return {Unit::Blank, 0, 3};
    if (lead == 0xE2 && second == 0x88 && third == 0x92) // U+2212 minus sign
        return {Unit::Minus, 0, 3};
    if (lead == 0xEF && second == 0xBC) {
        if (third == 0x8B) // U+FF0B full-width plus
            return {Unit::Plus, 0, 3};
        if (third == 0x8D) // U+FF0D full-width hyphen-minus
            return {Unit::Minus, 0, 3};
        if (third == 0x8E) // U+FF0E full-width full stop
            return {Unit::Point, 0, 3};
        if (third >= 0x90 && third <= 0x99) // U+FF10..U+FF19 full-width digits
            return {Unit::Digit, static_cast<char>('0' + (third - 0x90)), 3};
    }
    return {Unit::Other, 0, 1};
}

} // namespace

std::optional<double> ReadDecimal(std::string_view text)
{
    // One pass over the input: leading blanks, an optional sign, digits with
    // at most one point, trailing blanks. The number is copied in plain ASCII
    // for the conversion, which then sees nothing but [-]digits[.digits].
    enum class Stage { Leading, AfterSign, Digits, Trailing };
    Stage stage = Stage::Leading;
    std::string ascii;
    bool negative = false;
    bool seenPoint = false;
    bool seenDigit = false;
    bool nonZeroWholeDigit = false;

    std::size_t pos = 0;
    while (pos < text.size()) {
        const Token token = readToken(text, pos);
        pos += token.length;

        switch (token.unit) {
        case Unit::Other:
            return std::nullopt;
        case Unit::Blank:
            // A blank after the number ends it; one right after a sign
            // leaves it without digits ("- 1" is refused).
            if (stage != Stage::Leading)
                stage = Stage::Trailing;
            break;
        case Unit::Plus:
        case Unit::Minus:
            if (stage != Stage::Leading)
                return std::nullopt;
            negative = token.unit == Unit::Minus;
            stage = Stage::AfterSign;
            break;
        case Unit::Point:
            if (stage == Stage::Trailing || seenPoint)
                return std::nullopt;
            seenPoint = true;
            ascii.push_back('.');
            stage = Stage::Digits;
            break;
        case Unit::Digit:
            if (stage == Stage::Trailing)
                return std::nullopt; // "1 2"
            seenDigit = true;
            if (!seenPoint && token.digit != '0')
                nonZeroWholeDigit = true;
            ascii.push_back(token.digit);
            stage = Stage::Digits;
            break;
        }
    }
    if (!seenDigit)
        return std::nullopt; // "", blanks, a lone sign or point

    double value = 0.0;
    const char* const first = ascii.data();
    const char* const last = first + ascii.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (end != last)
        return std::nullopt; // cannot happen for [digits][.digits], but never guess
    if (ec == std::errc::result_out_of_range) {
        // Too large for a double is refused. A value below one whose digits
        // lie beyond the smallest double is simply zero.
        if (nonZeroWholeDigit)
            return std::nullopt;
        value = 0.0;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace tellumo
