#include "Judgement.h"

#include <gtest/gtest.h>

#include <string>

namespace tellumo {
namespace {

// A record whose nineteen codes and five point entries are set as given.
AssessmentRecord filledRecord(std::uint8_t code, std::int16_t sex, std::int16_t age, std::int16_t blood,
                              std::int16_t bodyFat, std::int16_t skin)
{
    AssessmentRecord record;
    for (int q = 1; q <= 19; ++q)
        record.AnswerCodes[q] = code;
    record.PersonalData[SexPointsEntry] = sex;
    record.PersonalData[AgePointsEntry] = age;
    record.PersonalData[BloodTypePointsEntry] = blood;
    record.PersonalData[BodyFatPointsEntry] = bodyFat;
    record.PersonalData[SkinTonePointsEntry] = skin;
    return record;
}

TEST(SusceptibilityScore, LowestPossible)
{
    // All codes 0; female, 24 or younger, type A, no body fat given, fair skin.
    AssessmentRecord record = filledRecord(0, 0, 3, 4, 0, 3);
    EXPECT_EQ(ComputeSusceptibilityScore(record), 10);
    EXPECT_EQ(record.answerTotal(), 0);
    EXPECT_EQ(record.SusceptibilityScore, 10);
    EXPECT_EQ(ClassifySusceptibility(record.SusceptibilityScore), 1);
}

TEST(SusceptibilityScore, HighestPossible)
{
    AssessmentRecord record = filledRecord(0, 2, 5, 8, 5, 10);
    const std::uint8_t highest[] = {2, 2, 2, 2, 2, 10, 8, 2, 2, 2, 2, 2, 20, 2, 2, 2, 2, 2, 2};
    for (int q = 1; q <= 19; ++q)
        record.AnswerCodes[q] = highest[q - 1];
    EXPECT_EQ(ComputeSusceptibilityScore(record), 100);
    EXPECT_EQ(record.answerTotal(), 70);
    EXPECT_EQ(ClassifySusceptibility(record.SusceptibilityScore), 4);
}

TEST(SusceptibilityScore, RecomputingGivesTheSameValues)
{
    AssessmentRecord record = filledRecord(1, 2, 5, 6, 0, 5);
    record.AnswerCodes[0] = 200; // a stale total must not be summed
    EXPECT_EQ(ComputeSusceptibilityScore(record), 37);
    const AssessmentRecord afterFirst = record;
    EXPECT_EQ(ComputeSusceptibilityScore(record), 37);
    EXPECT_EQ(record, afterFirst);
    EXPECT_EQ(record.answerTotal(), 19);
}

TEST(SusceptibilityScore, ProgramRecordVersion)
{
    Module1::Record = filledRecord(2, 0, 3, 4, 0, 3);
    EXPECT_EQ(ComputeSusceptibilityScore(), 48);
    EXPECT_EQ(Module1::Record.answerTotal(), 38);
    Module1::Record = AssessmentRecord{};
}

struct FailureCase {
    const char* name;
    AssessmentRecord record;
    bool overflow; // otherwise a missing number
};

class ScoreFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ScoreFailures, ThrowAndLeaveTheRecordUnchanged)
{
    AssessmentRecord record = GetParam().record;
    const AssessmentRecord before = record;
    if (GetParam().overflow)
        EXPECT_THROW(ComputeSusceptibilityScore(record), ScoreOverflow);
    else
        EXPECT_THROW(ComputeSusceptibilityScore(record), std::logic_error);
    EXPECT_EQ(record, before);
}

FailureCase withLastCode(const char* name, std::uint8_t code, std::uint8_t lastCode, bool overflow)
{
    AssessmentRecord record = filledRecord(code, 0, 3, 4, 0, 3); // 10 points
    record.AnswerCodes[19] = lastCode;
    return {name, record, overflow};
}

FailureCase withEntry(const char* name, int entry, PersonalEntry value, bool overflow)
{
    AssessmentRecord record = filledRecord(0, 2, 5, 8, 5, 10);
    record.PersonalData[entry] = std::move(value);
    return {name, record, overflow};
}

INSTANTIATE_TEST_SUITE_P(
    Judgement, ScoreFailures,
    ::testing::Values(withLastCode("AllCodes255", 255, 255, true),
                      withLastCode("AnswerTotal256", 13, 22, true), // 18 x 13 + 22
                      withLastCode("Score256", 13, 12, true),       // 246 + 10
                      withEntry("NegativePoints", SexPointsEntry, std::int16_t{-40}, true),
                      withEntry("HugePoints", SkinTonePointsEntry, std::int16_t{30000}, true),
                      withEntry("NeverStoredPoints", AgePointsEntry, PersonalEntry(), false),
                      withEntry("TextInsteadOfPoints", BloodTypePointsEntry, std::string("8"), false)),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SusceptibilityScore, Exactly255IsStillAScore)
{
    AssessmentRecord record = withLastCode("", 13, 11, false).record; // 245 + 10
    EXPECT_EQ(ComputeSusceptibilityScore(record), 255);
    EXPECT_EQ(record.answerTotal(), 245);
}

TEST(SusceptibilityClass, BoundsBelongToTheHigherClass)
{
    const struct {
        int score;
        int expected;
    } rows[] = {{0, 1},  {10, 1}, {19, 1}, {20, 2}, {39, 2},  {40, 3},
                {59, 3}, {60, 4}, {100, 4}, {255, 4}};
    for (const auto& row : rows)
        EXPECT_EQ(ClassifySusceptibility(static_cast<std::uint8_t>(row.score)), row.expected)
            << "score " << row.score;
}

TEST(SusceptibilityClass, Captions)
{
    EXPECT_EQ(SusceptibilityCaption(1), "刺されにくい");
    EXPECT_EQ(SusceptibilityCaption(2), "普通程度");
    EXPECT_EQ(SusceptibilityCaption(3), "刺されやすい");
    EXPECT_EQ(SusceptibilityCaption(4), "非常に刺されやすい");
    EXPECT_THROW(SusceptibilityCaption(0), std::out_of_range);
    EXPECT_THROW(SusceptibilityCaption(5), std::out_of_range);
}

TEST(Constitution, BoundsAreInclusive)
{
    const struct {
        int total;
        ConstitutionType expected;
    } rows[] = {{0, ConstitutionType::Deficiency},    {24, ConstitutionType::Deficiency},
                {25, ConstitutionType::Intermediate}, {45, ConstitutionType::Intermediate},
                {46, ConstitutionType::Excess},       {255, ConstitutionType::Excess}};
    for (const auto& row : rows)
        EXPECT_EQ(ClassifyConstitution(static_cast<std::uint8_t>(row.total)), row.expected)
            << "total " << row.total;
}

TEST(Constitution, Names)
{
    EXPECT_EQ(ConstitutionName(ConstitutionType::Deficiency), "虚証型");
    EXPECT_EQ(ConstitutionName(ConstitutionType::Intermediate), "虚実中間型");
    EXPECT_EQ(ConstitutionName(ConstitutionType::Excess), "実証型");
}

} // namespace
} // namespace tellumo
