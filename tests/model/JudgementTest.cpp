#include "Judgement.h"

#include <gtest/gtest.h>

#include <array>

namespace tellumo {
namespace {

constexpr std::array<std::int16_t, 5> Lowest{0, 3, 4, 0, 3}, Highest{2, 5, 8, 5, 10};
constexpr int PointEntries[] = {SexPointsEntry, AgePointsEntry, BloodTypePointsEntry, BodyFatPointsEntry,
                                SkinTonePointsEntry};

// Q1..Q18 hold `code`, Q19 `lastCode`; a stale total that must not be summed.
AssessmentRecord filledRecord(int code, int lastCode, std::array<std::int16_t, 5> points)
{
    AssessmentRecord record;
    for (int q = 1; q <= 19; ++q)
        record.AnswerCodes[q] = static_cast<std::uint8_t>(q == 19 ? lastCode : code);
    record.AnswerCodes[0] = 200;
    for (std::size_t i = 0; i < points.size(); ++i)
        record.PersonalData[PointEntries[i]] = points[i];
    return record;
}

constexpr int Overflow = -1;

TEST(SusceptibilityScore, SumsCodesAndPointsOrRefusesAndLeavesTheRecordAlone)
{
    const struct {
        const char* name;
        int code, lastCode;
        std::array<std::int16_t, 5> points;
        int total, score; // score Overflow: ScoreOverflow thrown
    } rows[] = {
        {"lowest possible", 0, 0, Lowest, 0, 10},
        {"highest possible", 3, 16, Highest, 70, 100},
        {"255 is still a score", 13, 11, Lowest, 245, 255},
        {"answer total 256", 13, 22, Lowest, 0, Overflow},
        {"score 256", 13, 12, Lowest, 0, Overflow},
        {"negative points", 0, 0, {-40, 5, 8, 5, 10}, 0, Overflow},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        AssessmentRecord record = filledRecord(row.code, row.lastCode, row.points);
        const AssessmentRecord before = record;
        if (row.score == Overflow) {
            EXPECT_THROW(ComputeSusceptibilityScore(record), ScoreOverflow);
            EXPECT_EQ(TryComputeSusceptibilityScore(record), std::nullopt);
            EXPECT_EQ(record, before);
            continue;
        }
        EXPECT_EQ(ComputeSusceptibilityScore(record), row.score);
        EXPECT_EQ(record.SusceptibilityScore, row.score);
        EXPECT_EQ(record.answerTotal(), row.total);
        const AssessmentRecord once = record;
        ComputeSusceptibilityScore(record);
        EXPECT_EQ(record, once);
    }
}

TEST(SusceptibilityScore, PointsThatAreNoNumberAreALogicError)
{
    for (const PersonalEntry& bad : {PersonalEntry(), PersonalEntry(std::string("8"))}) {
        AssessmentRecord record = filledRecord(1, 1, Highest);
        record.PersonalData[BloodTypePointsEntry] = bad;
        const AssessmentRecord before = record;
        EXPECT_THROW(ComputeSusceptibilityScore(record), std::logic_error);
        EXPECT_EQ(TryComputeSusceptibilityScore(record), std::nullopt);
        EXPECT_EQ(record, before);
    }
}

TEST(SusceptibilityClass, BoundsBelongToTheHigherClass)
{
    const struct {
        int score, cls;
        const char* caption;
    } rows[] = {{10, 1, "刺されにくい"},  {19, 1, "刺されにくい"},       {20, 2, "普通程度"},
                {39, 2, "普通程度"},      {40, 3, "刺されやすい"},       {59, 3, "刺されやすい"},
                {60, 4, "非常に刺されやすい"}, {100, 4, "非常に刺されやすい"}, {255, 4, "非常に刺されやすい"}};
    for (const auto& row : rows) {
        EXPECT_EQ(ClassifySusceptibility(static_cast<std::uint8_t>(row.score)), row.cls) << row.score;
        EXPECT_EQ(SusceptibilityCaption(row.cls), row.caption);
    }
    EXPECT_THROW(SusceptibilityCaption(0), std::out_of_range);
    EXPECT_THROW(SusceptibilityCaption(5), std::out_of_range);
}

TEST(Constitution, BoundsAreInclusive)
{
    const struct {
        int total;
        const char* name;
    } rows[] = {{0, "虚証型"}, {24, "虚証型"}, {25, "虚実中間型"}, {45, "虚実中間型"}, {46, "実証型"}, {255, "実証型"}};
    for (const auto& row : rows)
        EXPECT_EQ(ConstitutionName(ClassifyConstitution(static_cast<std::uint8_t>(row.total))), row.name)
            << row.total;
}

} // namespace
} // namespace tellumo
