#include "QuestionCatalogue.h"

#include <stdexcept>

namespace tellumo {

namespace {

constexpr std::optional<Choice> absent = std::nullopt;

constexpr Choice choice(std::string_view caption, std::uint8_t code)
{
    return Choice{caption, code};
}

// Texts carry two ASCII spaces after a one-digit number and one after a
// two-digit number, so the question texts line up on the page.
constexpr std::array<Question, QuestionCatalogue::questionCount> questions = {{
    {1, 1, "Q1  疲れやすい", {choice("はい", 0), choice("ふつう", 1), choice("いいえ", 2)}},
    {2, 1, "Q2  風邪をひきやすい", {choice("はい", 0), choice("ふつう", 1), choice("いいえ", 2)}},
    {3, 1, "Q3  便通について", {choice("便秘気味", 2), choice("ふつう", 1), choice("下痢気味", 0)}},
    {4, 1, "Q4  食欲がある", {choice("はい", 2), choice("ふつう", 1), choice("いいえ", 0)}},
    {5, 1, "Q5  よく眠れる", {choice("はい", 2), choice("ふつう", 1), choice("いいえ", 0)}},
    {6, 1, "Q6  汗をかきやすい", {choice("はい", 10), choice("ふつう", 5), choice("いいえ", 0)}},
    {7, 1, "Q7  手のひらに汗をかく", {choice("はい", 8), choice("ふつう", 4), choice("いいえ", 0)}},
    {8, 1, "Q8  好きな飲み物は？", {choice("熱い飲み物", 0), choice("ふつう", 1), choice("冷たい飲み物", 2)}},
    {9, 1, "Q9  食べる速さ", {choice("速い", 2), choice("ふつう", 1), choice("遅い", 0)}},
    {10, 1, "Q10 水分をよくとりますか", {choice("はい", 2), choice("ふつう", 1), choice("いいえ", 0)}},
    {11, 2, "Q11 暑がりですか", {choice("暑がり", 2), choice("ふつう", 1), choice("寒がり", 0)}},
    {12, 2, "Q12 手の指先が冷たい", {choice("はい", 0), choice("ふつう", 1), choice("いいえ", 2)}},
    {13, 2, "Q13 足の指先が冷たい", {choice("はい", 0), choice("ふつう", 10), choice("いいえ", 20)}},
    {14, 2, "Q14 冬季、靴下をはいて寝る", {choice("はい", 0), absent, choice("いいえ", 2)}},
    {15, 2, "Q15 冬季、足ごたつを使う", {choice("はい", 0), absent, choice("いいえ", 2)}},
    {16, 2, "Q16 冷え性と思う", {choice("はい", 0), absent, choice("いいえ", 2)}},
    {17, 2, "Q17 首が凝る", {choice("はい", 0), absent, choice("いいえ", 2)}},
    {18, 2, "Q18 冬季、皮膚ががさつく", {choice("非常にかさつく", 0), choice("かさつく", 1), choice("かさつかない", 2)}},
    {19, 2, "Q19 体温が低い方だと思う", {choice("はい", 0), choice("ふつう", 1), choice("いいえ", 2)}},
}};

constexpr bool catalogueIsConsistent()
{
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const Question& q = questions[i];
        if (q.number != static_cast<int>(i) + 1 || q.page != (q.number <= 10 ? 1 : 2))
            return false;
        if (!q.choiceSlots[0] || !q.choiceSlots[2])
            return false;
        // A middle choice, where there is one, scores between the outer two.
        if (q.choiceSlots[1]) {
            const int low = q.choiceSlots[0]->code < q.choiceSlots[2]->code ? q.choiceSlots[0]->code : q.choiceSlots[2]->code;
            const int high = q.choiceSlots[0]->code < q.choiceSlots[2]->code ? q.choiceSlots[2]->code : q.choiceSlots[0]->code;
            if (q.choiceSlots[1]->code < low || q.choiceSlots[1]->code > high)
                return false;
        }
    }
    return true;
}
static_assert(catalogueIsConsistent());

constexpr std::size_t firstOfPage2 = 10;

} // namespace

const Choice& Question::choice(int slot) const
{
    if (!hasSlot(slot))
        throw std::out_of_range("question Q" + std::to_string(number) + " has no choice in slot "
                                + std::to_string(slot));
    return *choiceSlots[static_cast<std::size_t>(slot - 1)];
}

const Question& QuestionCatalogue::question(int q)
{
    if (q < 1 || q > questionCount)
        throw std::out_of_range("question number outside 1..19: " + std::to_string(q));
    return questions[static_cast<std::size_t>(q - 1)];
}

std::span<const Question> QuestionCatalogue::page(int page)
{
    const std::span<const Question> everything(questions);
    switch (page) {
    case 1:
        return everything.first(firstOfPage2);
    case 2:
        return everything.subspan(firstOfPage2);
    default:
        throw std::out_of_range("question page outside 1..2: " + std::to_string(page));
    }
}

std::span<const Question> QuestionCatalogue::all()
{
    return questions;
}

std::uint8_t QuestionCatalogue::encode(int q, int slot)
{
    return question(q).choice(slot).code;
}

std::string QuestionCatalogue::notAnsweredMessage(int q)
{
    // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict, falsely) on
    // a chain of operator+ that starts with a literal.
    std::string message = "Q";
    message += std::to_string(question(q).number);
    message += "の回答が選択されていません";
    return message;
}

std::optional<int> StorePageAnswers(AssessmentRecord& record, int page,
                                    const std::function<bool(int answerIndex)>& isSelected)
{
    const std::span<const Question> questionsOfPage = QuestionCatalogue::page(page);
    if (!isSelected)
        throw std::invalid_argument("StorePageAnswers needs a selection test");

    for (const Question& question : questionsOfPage) {
        std::optional<std::uint8_t> code;
        for (int slot = 1; slot <= 3 && !code; ++slot) {
            if (question.hasSlot(slot) && isSelected(QuestionCatalogue::answerIndex(question.number, slot)))
                code = question.choice(slot).code;
        }
        if (!code)
            return question.number;
        record.AnswerCodes[question.number] = *code;
    }
    return std::nullopt;
}

} // namespace tellumo
