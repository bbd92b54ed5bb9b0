#include "BodyMeasures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace tellumo {
namespace {

AssessmentRecord recordWithTable()
{
    AssessmentRecord record;
    FillStandardWeightTable(record);
    return record;
}

TEST(StandardWeightLookup, RangeIsTestedBeforeRounding)
{
    const AssessmentRecord record = recordWithTable();
    const struct {
        double height;
        std::optional<float> expected;
    } rows[] = {
        {51.0, 3.23f},   {51.4, 3.23f},   {190.0, 71.49f}, {189.5, 71.49f}, {50.9, std::nullopt},
        {190.2, std::nullopt}, {50.0, std::nullopt}, {-170.0, std::nullopt},
        {150.0, 45.64f}, {151.0, 45.80f}, {160.5, 52.09f}, {161.5, 53.46f}, {160.51, 52.78f},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LookupStandardWeight(record, row.height), row.expected) << "height " << row.height;
}

struct MeasureCase {
    const char* name;
    double height;
    double weight;
    const char* bmi;
    const char* degree; // nullptr: no degree outside the table's heights
};

class BodyMeasures : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(BodyMeasures, ShownAsOnTheResultPage)
{
    const MeasureCase& c = GetParam();
    const AssessmentRecord record = recordWithTable();
    EXPECT_EQ(FormatMeasure(ComputeBmi(c.height, c.weight)), c.bmi);
    const std::optional<double> degree = ComputeObesityDegree(record, c.height, c.weight);
    if (c.degree == nullptr)
        EXPECT_EQ(degree, std::nullopt);
    else
        EXPECT_EQ(FormatMeasure(degree.value()), c.degree);
}

INSTANTIATE_TEST_SUITE_P(
    Measures, BodyMeasures,
    ::testing::Values(MeasureCase{"Typical", 170, 65, "22.5", "10.4"},
                      MeasureCase{"Underweight", 170, 50, "17.3", "-15.1"},
                      MeasureCase{"At150UsesItsOwnEntry", 150, 50, "22.2", "9.6"},
                      MeasureCase{"At151", 151, 50, "21.9", "9.2"},
                      MeasureCase{"LowestHeight", 51.0, 4, "15.4", "23.8"},
                      MeasureCase{"HighestHeight", 190.0, 80, "22.2", "11.9"},
                      MeasureCase{"BelowTable", 50.9, 4, "15.4", nullptr},
                      MeasureCase{"AboveTable", 190.2, 80, "22.1", nullptr},
                      MeasureCase{"TallPerson", 200, 80, "20", nullptr},
                      MeasureCase{"HalfDownToEvenHeight", 160.5, 60, "23.3", "15.2"},
                      MeasureCase{"HalfUpToEvenHeight", 161.5, 60, "23", "12.2"},
                      MeasureCase{"WeightIsStandard", 170, 58.86, "20.4", "0"},
                      MeasureCase{"WeightIsTableValue", 170, static_cast<double>(58.86f), "20.4", "0"},
                      // These differ when the height is squared first instead of
                      // dividing by it twice.
                      MeasureCase{"DividedTwiceA", 120, 30.6, "21.3", "37.8"},
                      MeasureCase{"DividedTwiceB", 160, 35.2, "13.8", "-32.4"},
                      // Exactly 61.25 in binary: a true tie, to the even digit.
                      MeasureCase{"BmiTie", 120, 88.2, "61.2", "297.1"},
                      // These differ when the table value is taken as the decimal
                      // 12.48 or 14.40 instead of the widened float.
                      MeasureCase{"WidenedFloatA", 89, 3.9, "4.9", "-68.7"},
                      MeasureCase{"WidenedFloatB", 96, 4.5, "4.9", "-68.7"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundHalfEven, WholeNumbers)
{
    const struct {
        double value, expected;
    } rows[] = {{160.5, 160}, {161.5, 162}, {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4},
                {2.4999999999999996, 2}, {2.5000000000000004, 3}, {4503599627370497.0, 4503599627370497.0}};
    for (const auto& row : rows)
        EXPECT_EQ(RoundHalfEven(row.value), row.expected) << row.value;
}

TEST(RoundHalfEven1, TiesAreJudgedOnTheExactBinaryValue)
{
    const struct {
        double value, expected;
    } rows[] = {
        {22.25, 22.2},  {22.75, 22.8},   {0.25, 0.2},     {-22.25, -22.2},   // exact ties
        {22.35, 22.4},  {0.05, 0.1},     {0.45, 0.5},                        // stored just above
        {0.15, 0.1},    {0.35, 0.3},     {1.45, 1.4},                        // stored just below
        {10.43, 10.4},  {-15.06, -15.1}, {99.99, 100.0}, {0.04, 0.0},
        {1e15 + 0.25, 1e15 + 0.25},      {1e300, 1e300},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RoundHalfEven1(row.value), row.expected) << std::to_string(row.value);
    EXPECT_TRUE(std::isnan(RoundHalfEven1(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::signbit(RoundHalfEven1(-0.04)));
}

TEST(FormatMeasure, ShortestPlainDecimal)
{
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {22.0, "22"},   {22.5, "22.5"},       {-3.4, "-3.4"},   {10.4, "10.4"},  {0.1, "0.1"},
        {-0.5, "-0.5"}, {0.0, "0"},           {-0.0, "0"},      {1e21, "1000000000000000000000"},
        {123456.7, "123456.7"}, {RoundHalfEven1(-0.04), "0"},
        {std::numeric_limits<double>::infinity(), ""}, {std::numeric_limits<double>::quiet_NaN(), ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatMeasure(row.value), row.text);
    EXPECT_EQ(FormatMeasure(std::numeric_limits<double>::max()).size(), 309u);
    EXPECT_EQ(FormatMeasure(-std::numeric_limits<double>::denorm_min()).size(), 327u);
}

TEST(BodyMeasures, ZeroHeightShowsNothing)
{
    EXPECT_EQ(FormatMeasure(ComputeBmi(0, 65)), "");
    EXPECT_EQ(FormatMeasure(ComputeBmi(0, 0)), "");
    EXPECT_EQ(ComputeObesityDegree(recordWithTable(), 0, 65), std::nullopt);
}

} // namespace
} // namespace tellumo
