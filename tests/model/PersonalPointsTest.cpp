#include "BodyMeasures.h"
#include "PersonalPoints.h"

#include <gtest/gtest.h>

#include <string>

namespace tellumo {
namespace {

TEST(PersonalPoints, Choices)
{
    EXPECT_EQ(SexPoints(Sex::Male), 2);
    EXPECT_EQ(SexPoints(Sex::Female), 0);
    EXPECT_EQ(BloodTypePoints(BloodType::O), 8);
    EXPECT_EQ(BloodTypePoints(BloodType::A), 4);
    EXPECT_EQ(BloodTypePoints(BloodType::B), 6);
    EXPECT_EQ(BloodTypePoints(BloodType::AB), 5);
    EXPECT_EQ(SkinTonePoints(SkinTone::Dark), 10);
    EXPECT_EQ(SkinTonePoints(SkinTone::Normal), 5);
    EXPECT_EQ(SkinTonePoints(SkinTone::Fair), 3);
}

TEST(PersonalPoints, AgeAbove24)
{
    EXPECT_EQ(AgePoints(0), 3);
    EXPECT_EQ(AgePoints(24), 3);
    EXPECT_EQ(AgePoints(24.1), 5);
    EXPECT_EQ(AgePoints(24.5), 5);
    EXPECT_EQ(AgePoints(25), 5);
}

TEST(PersonalPoints, BodyFatMassOf13OrMore)
{
    EXPECT_EQ(BodyFatPoints(20.0, 65), 5);   // 13.0 kg
    EXPECT_EQ(BodyFatPoints(19.9, 65), 0);   // 12.935 kg
    EXPECT_EQ(BodyFatPoints(13.0, 100), 5);
    EXPECT_EQ(BodyFatPoints(40.0, 30), 0);
    EXPECT_EQ(BodyFatPoints(std::nullopt, 200), 0);
}

struct GoodInput {
    const char* name;
    std::string text;
    double value;
};

class ReadDecimalAccepts : public ::testing::TestWithParam<GoodInput> {};

TEST_P(ReadDecimalAccepts, Number)
{
    const std::optional<double> value = ReadDecimal(GetParam().text);
    ASSERT_TRUE(value.has_value()) << GetParam().text;
    EXPECT_EQ(*value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    ReadDecimal, ReadDecimalAccepts,
    ::testing::Values(GoodInput{"Whole", "170", 170}, GoodInput{"Decimal", "170.5", 170.5},
                      GoodInput{"FullWidth", "１７０．５", 170.5}, GoodInput{"FullWidthMinus", "－３", -3},
                      GoodInput{"FullWidthPlus", "＋３", 3}, GoodInput{"MinusSign", "−2.5", -2.5},
                      GoodInput{"Mixed", "1７0.５", 170.5}, GoodInput{"Blanks", "  42 ", 42},
                      GoodInput{"TabsAndIdeographicSpace", "\t　42　\t", 42},
                      GoodInput{"TrailingPoint", "5.", 5}, GoodInput{"LeadingPoint", ".5", 0.5},
                      GoodInput{"SignedPoint", "-.5", -0.5}, GoodInput{"Plus", "+7", 7},
                      GoodInput{"LeadingZeros", "000065", 65}, GoodInput{"NegativeZero", "-0", 0},
                      GoodInput{"NearestDouble", "0.1", 0.1}, GoodInput{"Tiny", "0.000001", 1e-6},
                      GoodInput{"Largest", "17976931348623157" + std::string(292, '0'), 1.7976931348623157e308},
                      GoodInput{"BelowSmallestIsZero", "0." + std::string(400, '0') + "1", 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadInput {
    const char* name;
    std::string text;
};

class ReadDecimalRejects : public ::testing::TestWithParam<BadInput> {};

TEST_P(ReadDecimalRejects, Text)
{
    EXPECT_EQ(ReadDecimal(GetParam().text), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    ReadDecimal, ReadDecimalRejects,
    ::testing::Values(BadInput{"Empty", ""}, BadInput{"Blank", " "}, BadInput{"IdeographicSpace", "　"},
                      BadInput{"LonePoint", "."}, BadInput{"LoneMinus", "-"}, BadInput{"SignAndPoint", "+."},
                      BadInput{"DoubleSign", "--1"}, BadInput{"TwoPoints", "1.2.3"},
                      BadInput{"Exponent", "1e3"}, BadInput{"Overflow", "1e309"}, BadInput{"Inf", "inf"},
                      BadInput{"Infinity", "-Infinity"}, BadInput{"Nan", "nan"}, BadInput{"Grouping", "1,000"},
                      BadInput{"Hex", "0x10"}, BadInput{"EmbeddedBlank", "1 2"}, BadInput{"BlankAfterSign", "- 1"},
                      BadInput{"SignAfterNumber", "1-"}, BadInput{"Unit", "170cm"},
                      BadInput{"FullWidthComma", "1，000"}, BadInput{"NoBreakSpace", "\xC2\xA0" "1"},
                      BadInput{"Newline", "1\n"}, BadInput{"Nul", std::string("1\0", 2)},
                      BadInput{"CarriageReturn", "\r1"}, BadInput{"Truncated", "1\xEF\xBC"},
                      BadInput{"Invalid", "\xFF" "1"}, BadInput{"LoneContinuation", "\x80"},
                      BadInput{"OverlongDigit", "\xC0\xB1"},
                      BadInput{"TooLarge", "1" + std::string(400, '0')},
                      BadInput{"TooLargeWithFraction", std::string(320, '9') + ".5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadDecimal, ReadsBackWhatFormatMeasureShows)
{
    for (double value : {22.5, -3.4, 0.1, 1e21, 45.63999938964844, 5e-324, 1.7976931348623157e308})
        EXPECT_EQ(ReadDecimal(FormatMeasure(value)), value) << FormatMeasure(value);
}

TEST(ReadDecimal, LongInputsTakeLinearTime)
{
    // Quadratic behaviour would make these take minutes.
    const std::string zeros(4'000'000, '0');
    EXPECT_EQ(ReadDecimal(zeros + "1"), 1.0);
    EXPECT_EQ(ReadDecimal(std::string(4'000'000, ' ') + "1"), 1.0);
    EXPECT_EQ(ReadDecimal("1" + zeros), std::nullopt);
    EXPECT_EQ(ReadDecimal(std::string(1'000'000, '.') ), std::nullopt);
    std::string fullWidth;
    for (int i = 0; i < 1'000'000; ++i)
        fullWidth += "９";
    EXPECT_EQ(ReadDecimal(fullWidth), std::nullopt);
    EXPECT_EQ(ReadDecimal("0．" + fullWidth), 1.0);
}

} // namespace
} // namespace tellumo
