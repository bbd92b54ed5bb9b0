#include "AssessmentRecord.h"

#include <gtest/gtest.h>

namespace tellumo {
namespace {

TEST(AssessmentRecord, StartsEmpty)
{
    const AssessmentRecord record;
    for (int i = 0; i <= 19; ++i)
        EXPECT_EQ(record.AnswerCodes[i], 0) << "AnswerCodes " << i;
    for (int i = 0; i <= 7; ++i)
        EXPECT_TRUE(record.PersonalData[i].isEmpty()) << "PersonalData " << i;
    for (int h = 50; h <= 190; ++h)
        EXPECT_EQ(record.StandardWeightTable[h], 0.0f) << "height " << h;
    EXPECT_EQ(record.SusceptibilityScore, 0);
}

TEST(AssessmentRecord, FillingTheTableTouchesNothingElse)
{
    AssessmentRecord record;
    FillStandardWeightTable(record);

    EXPECT_EQ(record.StandardWeightTable[50], 0.0f);
    EXPECT_EQ(record.StandardWeightTable[51], 3.23f);
    EXPECT_EQ(record.StandardWeightTable[149], 44.27f);
    EXPECT_EQ(record.StandardWeightTable[150], 45.64f);
    EXPECT_EQ(record.StandardWeightTable[151], 45.80f);
    EXPECT_EQ(record.StandardWeightTable[170], 58.86f);
    EXPECT_EQ(record.StandardWeightTable[190], 71.49f);
    EXPECT_EQ(static_cast<double>(record.StandardWeightTable[150]), 45.63999938964844);

    AssessmentRecord expected;
    expected.StandardWeightTable = record.StandardWeightTable;
    EXPECT_EQ(record, expected);
}

TEST(AssessmentRecord, StandardWeightsRiseWithHeight)
{
    for (std::size_t i = 1; i < StandardWeights.size(); ++i)
        EXPECT_LT(StandardWeights[i - 1], StandardWeights[i]) << "height " << 51 + i;
}

TEST(AssessmentRecord, ProgramRecordIsFilledInPlace)
{
    Module1::Record = AssessmentRecord{};
    Module1::FillStandardWeightTable();
    EXPECT_EQ(Module1::Record.StandardWeightTable[51], 3.23f);
    EXPECT_EQ(Module1::Record.StandardWeightTable[50], 0.0f);
    Module1::Record = AssessmentRecord{};
}

TEST(PersonalEntry, StoredZeroDiffersFromNeverStored)
{
    const PersonalEntry never;
    const PersonalEntry zero(std::int16_t{0});
    EXPECT_TRUE(never.isEmpty());
    EXPECT_FALSE(zero.isEmpty());
    EXPECT_TRUE(zero.isNumber());
    EXPECT_EQ(zero.number(), 0);
    EXPECT_NE(never, zero);
    EXPECT_EQ(never.text(), "");
    EXPECT_EQ(PersonalEntry(std::int16_t{-5}).text(), "-5");
}

TEST(PersonalEntry, TypedTextIsKeptAsTyped)
{
    AssessmentRecord record;
    record.PersonalData[HeightText] = std::string("170.0");
    record.PersonalData[WeightText] = std::string("０６５");
    EXPECT_TRUE(record.PersonalData[HeightText].isText());
    EXPECT_EQ(record.PersonalData[HeightText].text(), "170.0");
    EXPECT_EQ(record.PersonalData[WeightText].text(), "０６５");
}

TEST(PersonalEntry, NumberOfTextOrEmptyIsALogicError)
{
    EXPECT_THROW(PersonalEntry().number(), std::logic_error);
    EXPECT_THROW(PersonalEntry(std::string("2")).number(), std::logic_error);
}

} // namespace
} // namespace tellumo
