#include "Judgement.h"
#include "QuestionCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tellumo {
namespace {

// Codes of slots 1, 2, 3 of Q1..Q19; -1 marks an absent slot.
constexpr int ExpectedCodes[19][3] = {
    {0, 1, 2}, {0, 1, 2}, {2, 1, 0}, {2, 1, 0}, {2, 1, 0}, {10, 5, 0}, {8, 4, 0}, {0, 1, 2}, {2, 1, 0}, {2, 1, 0},
    {2, 1, 0}, {0, 1, 2}, {0, 10, 20}, {0, -1, 2}, {0, -1, 2}, {0, -1, 2}, {0, -1, 2}, {0, 1, 2}, {0, 1, 2},
};

TEST(QuestionCatalogue, EveryChoiceStoresItsCode)
{
    for (int q = 1; q <= 19; ++q) {
        const Question& question = QuestionCatalogue::question(q);
        // Text "Q1  …" / "Q10 …": the number and the spaces that line the texts up.
        EXPECT_EQ(question.text.substr(0, 4), "Q" + std::to_string(q) + (q < 10 ? "  " : " "));
        EXPECT_NE(question.text[4], ' ');
        for (int slot = 1; slot <= 3; ++slot) {
            SCOPED_TRACE(::testing::Message() << "Q" << q << " slot " << slot);
            const int expected = ExpectedCodes[q - 1][slot - 1];
            if (expected < 0) {
                EXPECT_FALSE(question.hasSlot(slot));
                EXPECT_THROW(QuestionCatalogue::encode(q, slot), std::out_of_range);
                continue;
            }
            // That choice alone selected on its page (the others on slot 1).
            AssessmentRecord record;
            const int index = QuestionCatalogue::answerIndex(q, slot);
            EXPECT_EQ(StorePageAnswers(record, question.page,
                                       [&](int i) { return i == index || (i / 10 != q && i % 10 == 1); }),
                      std::nullopt);
            EXPECT_EQ(record.AnswerCodes[q], expected);
        }
    }
    EXPECT_EQ(QuestionCatalogue::page(1).size(), 10u);
    EXPECT_EQ(QuestionCatalogue::page(2).front().number, 11);
    EXPECT_THROW(QuestionCatalogue::page(3), std::out_of_range);
    EXPECT_THROW(QuestionCatalogue::question(20), std::out_of_range);
}

TEST(QuestionCatalogue, HighestAndLowestSums)
{
    for (const bool highest : {true, false}) {
        std::set<int> selected; // per question, the slot with the highest (lowest) code
        for (int q = 1; q <= 19; ++q) {
            int best = 1;
            for (int slot = 2; slot <= 3; ++slot) {
                const int code = ExpectedCodes[q - 1][slot - 1], bestCode = ExpectedCodes[q - 1][best - 1];
                if (code >= 0 && (highest ? code > bestCode : code < bestCode))
                    best = slot;
            }
            selected.insert(QuestionCatalogue::answerIndex(q, best));
        }
        AssessmentRecord record;
        for (int i : {1, 2, 5, 6, 7})
            record.PersonalData[i] = std::int16_t{0};
        const auto isSelected = [&](int index) { return selected.count(index) > 0; };
        EXPECT_EQ(StorePageAnswers(record, 1, isSelected), std::nullopt);
        EXPECT_EQ(StorePageAnswers(record, 2, isSelected), std::nullopt);
        int page1 = 0, page2 = 0;
        for (int q = 1; q <= 19; ++q)
            (q <= 10 ? page1 : page2) += record.AnswerCodes[q];
        EXPECT_EQ(page1, highest ? 34 : 0);
        EXPECT_EQ(page2, highest ? 36 : 0);
        ComputeSusceptibilityScore(record);
        EXPECT_EQ(record.answerTotal(), highest ? 70 : 0);
    }
}

TEST(StorePageAnswers, StopsAtTheFirstOpenQuestionKeepingEarlierCodesAndLeavingLaterOnes)
{
    constexpr std::uint8_t untouched = 99;
    const struct {
        int page, open;
    } stops[] = {{1, 1}, {1, 5}, {1, 10}, {2, 14}, {2, 19}};
    for (const auto& stop : stops) {
        const int page = stop.page, open = stop.open; // plain names the lambda below can capture
        SCOPED_TRACE(::testing::Message() << "open Q" << open);
        AssessmentRecord record;
        for (int q = 0; q <= 19; ++q)
            record.AnswerCodes[q] = untouched;
        std::set<int> asked;
        const auto result = StorePageAnswers(record, page, [&](int index) {
            asked.insert(index);
            return index % 10 == 3 && index / 10 < open; // slot 3 exists everywhere
        });
        ASSERT_EQ(result, open);
        EXPECT_EQ(QuestionCatalogue::notAnsweredMessage(*result), "Q" + std::to_string(open) + "の回答が選択されていません");
        for (int q = 0; q <= 19; ++q) {
            const bool stored = q >= (page == 1 ? 1 : 11) && q < open;
            EXPECT_EQ(record.AnswerCodes[q], stored ? ExpectedCodes[q - 1][2] : untouched) << "Q" << q;
        }
        EXPECT_LT(*asked.rbegin(), QuestionCatalogue::answerIndex(open + 1, 1)); // later ones not even asked
    }
}

} // namespace
} // namespace tellumo
