#include "BodyMeasures.h"
#include "PersonalPoints.h"

#include <gtest/gtest.h>

#include <string>

namespace tellumo {
namespace {

// The points of each choice are checked through the personal data page.
TEST(PersonalPoints, AgeAbove24AndBodyFatMassOf13OrMore)
{
    EXPECT_EQ(AgePoints(24), 3);
    EXPECT_EQ(AgePoints(24.1), 5);
    EXPECT_EQ(AgePoints(25), 5);
    EXPECT_EQ(BodyFatPoints(20.0, 65), 5); // 13.0 kg of fat
    EXPECT_EQ(BodyFatPoints(19.9, 65), 0); // 12.935 kg
    EXPECT_EQ(BodyFatPoints(std::nullopt, 200), 0);
}

TEST(ReadDecimal, AcceptsPlainDecimalsInEitherWidth)
{
    const struct {
        std::string text;
        double value;
    } rows[] = {
        {"170", 170}, {"１７０．５", 170.5}, {"1７0.５", 170.5}, {"－３", -3}, {"＋３", 3}, {"−2.5", -2.5},
        {"\t　42　 ", 42}, {"5.", 5}, {"-.5", -0.5}, {"000065", 65}, {"-0", 0},
        {"17976931348623157" + std::string(292, '0'), 1.7976931348623157e308},
        {"0." + std::string(400, '0') + "1", 0.0}, // below the smallest double
    };
    for (const auto& row : rows)
        EXPECT_EQ(ReadDecimal(row.text), row.value) << row.text;
    // Whatever the result page shows reads back as the same number.
    for (double value : {22.5, -3.4, 45.63999938964844, 5e-324, 1.7976931348623157e308})
        EXPECT_EQ(ReadDecimal(FormatMeasure(value)), value) << FormatMeasure(value);
}

TEST(ReadDecimal, RefusesEverythingElse)
{
    const std::string rows[] = {
        "", " ", "　", ".", "-", "+.", "--1", "1.2.3", "1 2", "- 1", "1-", "170cm", // shape
        "1e3", "1e309", "inf", "-Infinity", "nan", "0x10",                        // other notations
        "1,000", "1，000",                                                      // grouping
        "\xC2\xA0" "1", "1\n", std::string("1\0", 2),                            // other blanks
        "1\xEF\xBC", "\xFF" "1", "\xC0\xB1",                                      // broken UTF-8
        "1" + std::string(400, '0'), std::string(320, '9') + ".5",               // too large
    };
    for (const std::string& text : rows)
        EXPECT_EQ(ReadDecimal(text), std::nullopt) << text;
}

TEST(ReadDecimal, LongInputsTakeLinearTime)
{
    // Quadratic behaviour would make these take minutes.
    const std::string zeros(4'000'000, '0');
    EXPECT_EQ(ReadDecimal(zeros + "1"), 1.0);
    EXPECT_EQ(ReadDecimal(std::string(4'000'000, ' ') + "1"), 1.0);
    EXPECT_EQ(ReadDecimal("1" + zeros), std::nullopt);
    std::string fullWidth;
    for (int i = 0; i < 1'000'000; ++i)
        fullWidth += "９";
    EXPECT_EQ(ReadDecimal("0．" + fullWidth), 1.0);
}

} // namespace
} // namespace tellumo
