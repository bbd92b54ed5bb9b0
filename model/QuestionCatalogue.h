// The nineteen questions, their choices and answer codes.
//
// Data flow: the question pages build their rows from QuestionCatalogue and,
// on "next", hand their selection state to StorePageAnswers, which writes the
// codes into AnswerCodes and reports the first unanswered question, if any.
#pragma once

#include "AssessmentRecord.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tellumo {

struct Choice {
    std::string_view caption;
    std::uint8_t code;
};

struct Question {
    int number;                                // 1..19
    int page;                                  // 1: Q1..Q10, 2: Q11..Q19
    std::string_view text;                     // as displayed, "Q1  …"
    std::array<std::optional<Choice>, 3> choiceSlots; // slot s is choiceSlots[s - 1]; slot 2 may be absent

    bool hasSlot(int slot) const { return slot >= 1 && slot <= 3 && choiceSlots[static_cast<std::size_t>(slot - 1)].has_value(); }
    const Choice& choice(int slot) const;      // throws std::out_of_range for an absent slot
};

class QuestionCatalogue {
public:
    static constexpr int questionCount = 19;
    static constexpr int pageCount = 2;

    // Question q, 1..19; throws std::out_of_range otherwise.
    static const Question& question(int q);
    // All questions of page 1 or 2, in ascending order.
    static std::span<const Question> page(int page);
    static std::span<const Question> all();

    // Code of slot s of question q; throws std::out_of_range for an absent slot.
    static std::uint8_t encode(int q, int slot);

    // Index of the choice control of question q, slot s: 10 × q + s.
    static constexpr int answerIndex(int q, int slot) { return 10 * q + slot; }

    // "Q5の回答が選択されていません" for q = 5.
    static std::string notAnsweredMessage(int q);
};

// Stores the answers of one page into record.AnswerCodes, question by
// question in ascending order. isSelected(answerIndex) tells whether the
// control with that index is selected; slots are tested 1, 2, 3 (absent slots
// skipped). Stops at the first question with no selection and returns its
// number; the codes before it stay stored, the ones after it are untouched.
// Returns std::nullopt when every question of the page was stored.
std::optional<int> StorePageAnswers(AssessmentRecord& record, int page,
                                    const std::function<bool(int answerIndex)>& isSelected);

} // namespace tellumo
