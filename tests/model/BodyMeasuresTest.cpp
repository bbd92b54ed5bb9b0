#include "BodyMeasures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tellumo {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(AssessmentRecord, FillingTheTableTouchesNothingElse)
{
    AssessmentRecord record;
    FillStandardWeightTable(record);
    EXPECT_EQ(record.StandardWeightTable[50], 0.0f);
    EXPECT_EQ(record.StandardWeightTable[51], 3.23f);
    EXPECT_EQ(record.StandardWeightTable[150], 45.64f);
    EXPECT_EQ(record.StandardWeightTable[190], 71.49f);
    AssessmentRecord expected;
    expected.StandardWeightTable = record.StandardWeightTable;
    EXPECT_EQ(record, expected);
    // A mistyped entry shows up as a dip in an otherwise rising table.
    for (std::size_t i = 1; i < StandardWeights.size(); ++i)
        EXPECT_LT(StandardWeights[i - 1], StandardWeights[i]) << "height " << 51 + i;
}

TEST(PersonalEntry, StoredZeroDiffersFromNeverStored)
{
    const PersonalEntry never;
    const PersonalEntry zero(std::int16_t{0});
    EXPECT_NE(never, zero);
    EXPECT_EQ(zero.number(), 0);
    EXPECT_EQ(never.text(), "");
    EXPECT_EQ(PersonalEntry(std::string("０６５")).text(), "０６５");
    EXPECT_THROW(never.number(), std::logic_error);
    EXPECT_THROW(PersonalEntry(std::string("2")).number(), std::logic_error);
}

AssessmentRecord recordWithTable()
{
    AssessmentRecord record;
    FillStandardWeightTable(record);
    return record;
}

TEST(StandardWeightLookup, RangeIsTestedBeforeRoundingHalvesToEven)
{
    const AssessmentRecord record = recordWithTable();
    const struct {
        double height;
        std::optional<float> weight;
    } rows[] = {{51.0, 3.23f},  {190.0, 71.49f}, {50.9, std::nullopt}, {190.2, std::nullopt},
                {150.0, 45.64f}, {151.0, 45.80f}, {160.5, 52.09f},      {161.5, 53.46f},
                {189.5, 71.49f}, {NaN, std::nullopt}};
    for (const auto& row : rows)
        EXPECT_EQ(LookupStandardWeight(record, row.height), row.weight) << "height " << row.height;
}

TEST(BodyMeasures, ShownAsOnTheResultPage)
{
    const AssessmentRecord record = recordWithTable();
    const struct {
        double height, weight;
        const char *bmi, *degree; // degree nullptr: no standard weight for the height
    } rows[] = {
        {170, 65, "22.5", "10.4"},
        {200, 80, "20", nullptr},
        {170, 58.86, "20.4", "0"},       // weight equal to the standard weight
        {150, 50, "22.2", "9.6"},        // 150 cm has its own entry
        {120, 30.6, "21.3", "37.8"},     // height squared first would give 21.2
        {120, 88.2, "61.2", "297.1"},    // BMI exactly 61.25: a tie, to the even digit
        {89, 3.9, "4.9", "-68.7"},       // the decimal 12.48 instead of the widened float gives -68.8
        {0, 65, "", nullptr},            // no height: nothing to show
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.height << " cm, " << row.weight << " kg");
        EXPECT_EQ(FormatMeasure(ComputeBmi(row.height, row.weight)), row.bmi);
        const std::optional<double> degree = ComputeObesityDegree(record, row.height, row.weight);
        if (row.degree)
            EXPECT_EQ(FormatMeasure(degree.value()), row.degree);
        else
            EXPECT_EQ(degree, std::nullopt);
    }
}

TEST(RoundHalfEven, TiesAreJudgedOnTheExactBinaryValue)
{
    const struct {
        double value, whole;
    } wholeRows[] = {{160.5, 160}, {161.5, 162}, {-2.5, -2}, {2.4999999999999996, 2}, {2.5000000000000004, 3}};
    for (const auto& row : wholeRows)
        EXPECT_EQ(RoundHalfEven(row.value), row.whole) << row.value;

    const struct {
        double value, tenths;
    } tenthRows[] = {{22.25, 22.2}, {22.75, 22.8}, {-22.25, -22.2}, // exact ties
                     {22.35, 22.4}, {0.15, 0.1},   {99.99, 100.0},  // stored above, below; carry
                     {1e15 + 0.25, 1e15 + 0.25}, {1e300, 1e300}};
    for (const auto& row : tenthRows)
        EXPECT_EQ(RoundHalfEven1(row.value), row.tenths) << row.value;
    EXPECT_TRUE(std::isnan(RoundHalfEven1(NaN)));
}

TEST(FormatMeasure, ShortestPlainDecimal)
{
    const struct {
        double value;
        const char* text;
    } rows[] = {{22.0, "22"}, {22.5, "22.5"}, {-3.4, "-3.4"}, {0.1, "0.1"}, {RoundHalfEven1(-0.04), "0"},
                {1e21, "1000000000000000000000"}, {std::numeric_limits<double>::infinity(), ""}, {NaN, ""}};
    for (const auto& row : rows)
        EXPECT_EQ(FormatMeasure(row.value), row.text) << row.value;
    EXPECT_EQ(FormatMeasure(-std::numeric_limits<double>::denorm_min()).size(), 327u);
}

} // namespace
} // namespace tellumo
