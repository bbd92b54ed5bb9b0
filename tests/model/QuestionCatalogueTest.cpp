#include "Judgement.h"
#include "QuestionCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tellumo {
namespace {

// Codes of slots 1, 2, 3 for each question; -1 marks an absent slot.
struct QuestionCodes {
    int q;
    int codes[3];
};

const QuestionCodes expectedCodes[] = {
    {1, {0, 1, 2}},   {2, {0, 1, 2}},   {3, {2, 1, 0}},   {4, {2, 1, 0}},   {5, {2, 1, 0}},
    {6, {10, 5, 0}},  {7, {8, 4, 0}},   {8, {0, 1, 2}},   {9, {2, 1, 0}},   {10, {2, 1, 0}},
    {11, {2, 1, 0}},  {12, {0, 1, 2}},  {13, {0, 10, 20}}, {14, {0, -1, 2}}, {15, {0, -1, 2}},
    {16, {0, -1, 2}}, {17, {0, -1, 2}}, {18, {0, 1, 2}},  {19, {0, 1, 2}},
};

class EveryQuestion : public ::testing::TestWithParam<QuestionCodes> {};

TEST_P(EveryQuestion, EachChoiceStoresItsCode)
{
    const QuestionCodes& row = GetParam();
    const Question& question = QuestionCatalogue::question(row.q);
    EXPECT_EQ(question.number, row.q);
    EXPECT_EQ(question.page, row.q <= 10 ? 1 : 2);

    for (int slot = 1; slot <= 3; ++slot) {
        const int expected = row.codes[slot - 1];
        if (expected < 0) {
            EXPECT_FALSE(question.hasSlot(slot));
            EXPECT_THROW(QuestionCatalogue::encode(row.q, slot), std::out_of_range);
            continue;
        }
        EXPECT_EQ(QuestionCatalogue::encode(row.q, slot), expected) << "slot " << slot;

        // The same code arrives in the record when that choice alone is selected.
        AssessmentRecord record;
        const int index = QuestionCatalogue::answerIndex(row.q, slot);
        const auto unanswered = StorePageAnswers(record, question.page, [&](int i) {
            return i == index || (i / 10 != row.q && i % 10 == 1);
        });
        EXPECT_EQ(unanswered, std::nullopt);
        EXPECT_EQ(record.AnswerCodes[row.q], expected) << "slot " << slot;
    }
}

TEST_P(EveryQuestion, TextHasNumberAndAligningSpaces)
{
    const int q = GetParam().q;
    const std::string_view text = QuestionCatalogue::question(q).text;
    const std::string prefix = "Q" + std::to_string(q) + (q < 10 ? "  " : " ");
    ASSERT_GT(text.size(), prefix.size());
    EXPECT_EQ(text.substr(0, prefix.size()), prefix);
    EXPECT_NE(text[prefix.size()], ' ');
}

TEST_P(EveryQuestion, NotAnsweredMessageNamesTheQuestion)
{
    const int q = GetParam().q;
    EXPECT_EQ(QuestionCatalogue::notAnsweredMessage(q),
              "Q" + std::to_string(q) + "の回答が選択されていません");
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryQuestion, ::testing::ValuesIn(expectedCodes),
                         [](const auto& info) { return "Q" + std::to_string(info.param.q); });

TEST(QuestionCatalogue, SelectedTextsAndCaptions)
{
    EXPECT_EQ(QuestionCatalogue::question(1).text, "Q1  疲れやすい");
    EXPECT_EQ(QuestionCatalogue::question(8).text, "Q8  好きな飲み物は？");
    EXPECT_EQ(QuestionCatalogue::question(10).text, "Q10 水分をよくとりますか");
    EXPECT_EQ(QuestionCatalogue::question(14).text, "Q14 冬季、靴下をはいて寝る");
    EXPECT_EQ(QuestionCatalogue::question(3).choice(1).caption, "便秘気味");
    EXPECT_EQ(QuestionCatalogue::question(8).choice(1).caption, "熱い飲み物");
    EXPECT_EQ(QuestionCatalogue::question(13).choice(2).caption, "ふつう");
    EXPECT_EQ(QuestionCatalogue::question(18).choice(3).caption, "かさつかない");
    EXPECT_EQ(QuestionCatalogue::notAnsweredMessage(5), "Q5の回答が選択されていません");
}

TEST(QuestionCatalogue, PagesAndLimits)
{
    EXPECT_EQ(QuestionCatalogue::page(1).size(), 10u);
    EXPECT_EQ(QuestionCatalogue::page(2).front().number, 11);
    EXPECT_EQ(QuestionCatalogue::page(2).back().number, 19);
    EXPECT_THROW(QuestionCatalogue::page(3), std::out_of_range);
    EXPECT_THROW(QuestionCatalogue::question(20), std::out_of_range);
    EXPECT_THROW(QuestionCatalogue::encode(1, 4), std::out_of_range);
}

// Selects, for every question, the slot with the highest (or lowest) code.
std::set<int> extremeSelection(bool highest)
{
    std::set<int> selected;
    for (const Question& question : QuestionCatalogue::all()) {
        int best = 0;
        for (int slot = 1; slot <= 3; ++slot) {
            if (!question.hasSlot(slot))
                continue;
            const auto code = question.choice(slot).code;
            if (best == 0 || (highest ? code > question.choice(best).code : code < question.choice(best).code))
                best = slot;
        }
        selected.insert(QuestionCatalogue::answerIndex(question.number, best));
    }
    return selected;
}

int pageSum(const AssessmentRecord& record, int first, int last)
{
    int sum = 0;
    for (int q = first; q <= last; ++q)
        sum += record.AnswerCodes[q];
    return sum;
}

TEST(QuestionCatalogue, HighestAndLowestSums)
{
    for (const bool highest : {true, false}) {
        const std::set<int> selected = extremeSelection(highest);
        const auto isSelected = [&](int index) { return selected.count(index) > 0; };
        AssessmentRecord record;
        for (int i : {1, 2, 5, 6, 7})
            record.PersonalData[i] = std::int16_t{0};
        EXPECT_EQ(StorePageAnswers(record, 1, isSelected), std::nullopt);
        EXPECT_EQ(StorePageAnswers(record, 2, isSelected), std::nullopt);
        EXPECT_EQ(pageSum(record, 1, 10), highest ? 34 : 0);
        EXPECT_EQ(pageSum(record, 11, 19), highest ? 36 : 0);
        ComputeSusceptibilityScore(record);
        EXPECT_EQ(record.answerTotal(), highest ? 70 : 0);
    }
}

struct StopCase {
    const char* name;
    int page;
    int unanswered;
};

class StoringStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(StoringStops, KeepsEarlierCodesAndLeavesLaterOnesAlone)
{
    const StopCase& c = GetParam();
    constexpr std::uint8_t untouched = 99;
    AssessmentRecord record;
    for (int q = 0; q <= 19; ++q)
        record.AnswerCodes[q] = untouched;

    std::set<int> asked;
    const auto result = StorePageAnswers(record, c.page, [&](int index) {
        asked.insert(index);
        return index % 10 == 3 && index / 10 < c.unanswered; // slot 3 exists everywhere
    });

    ASSERT_EQ(result, c.unanswered);
    EXPECT_EQ(QuestionCatalogue::notAnsweredMessage(*result),
              "Q" + std::to_string(c.unanswered) + "の回答が選択されていません");
    const int first = c.page == 1 ? 1 : 11;
    for (int q = 0; q <= 19; ++q) {
        const bool stored = q >= first && q < c.unanswered;
        EXPECT_EQ(record.AnswerCodes[q], stored ? QuestionCatalogue::encode(q, 3) : untouched) << "Q" << q;
    }
    // Later questions are not even looked at.
    EXPECT_LT(*asked.rbegin(), QuestionCatalogue::answerIndex(c.unanswered + 1, 1));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, StoringStops,
                         ::testing::Values(StopCase{"Page1AtQ1", 1, 1}, StopCase{"Page1AtQ5", 1, 5},
                                           StopCase{"Page1AtQ10", 1, 10}, StopCase{"Page2AtQ14", 2, 14},
                                           StopCase{"Page2AtQ19", 2, 19}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StorePageAnswers, TestsSlotsInOrderAndSkipsAbsentOnes)
{
    AssessmentRecord record;
    std::set<int> asked;
    // Slots 2 and 3 both claim to be selected: slot 2 is tested first and wins.
    StorePageAnswers(record, 2, [&](int index) {
        asked.insert(index);
        return index % 10 != 1;
    });
    EXPECT_EQ(record.AnswerCodes[13], 10);
    EXPECT_EQ(record.AnswerCodes[14], 2);
    for (int q = 14; q <= 17; ++q)
        EXPECT_EQ(asked.count(QuestionCatalogue::answerIndex(q, 2)), 0u) << "Q" << q;
}

} // namespace
} // namespace tellumo
