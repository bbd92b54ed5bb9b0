#include "AssessmentRecord.h"

#include <gtest/gtest.h>

namespace tellumo {
namespace {

TEST(AssessmentRecord, StartsEmptyAndFillingTheTableTouchesNothingElse)
{
    AssessmentRecord record;
    for (int i = 0; i <= 19; ++i)
        EXPECT_EQ(record.AnswerCodes[i], 0) << "AnswerCodes " << i;
    for (int i = 0; i <= 7; ++i)
        EXPECT_TRUE(record.PersonalData[i].isEmpty()) << "PersonalData " << i;
    for (int h = 50; h <= 190; ++h)
        EXPECT_EQ(record.StandardWeightTable[h], 0.0f) << "height " << h;
    EXPECT_EQ(record.SusceptibilityScore, 0);

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

} // namespace
} // namespace tellumo
