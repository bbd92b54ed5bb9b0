// The assessment record: the one piece of state that the pages share.
//
// Data flow: start-up fills StandardWeightTable; the personal data page writes
// PersonalData 0..7; the two question pages write AnswerCodes 1..19; the
// result page has the score computation write AnswerCodes[0] (AnswerTotal) and
// SusceptibilityScore; the detailed result page only reads.
//
// The program's record is made by its entry point and lives for the whole
// run; the main window serves it to the pages. Every model function takes
// the record it works on by reference, so tests use records of their own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

namespace tellumo {

// An array indexed First..Last inclusive, checked on every access.
template <typename T, int First, int Last>
class IndexedArray {
public:
    static constexpr int first = First;
    static constexpr int last = Last;

    T& operator[](int index) { return values_.at(offset(index)); }
    const T& operator[](int index) const { return values_.at(offset(index)); }
    static constexpr int size() { return Last - First + 1; }
    bool operator==(const IndexedArray&) const = default;

private:
    static std::size_t offset(int index)
    {
        if (index < First || index > Last)
            throw std::out_of_range("index outside the array's bounds");
        return static_cast<std::size_t>(index - First);
    }
    std::array<T, Last - First + 1> values_{};
};

// One PersonalData entry: never stored (empty), a whole number or a text.
class PersonalEntry {
public:
    PersonalEntry() = default;
    PersonalEntry(std::int16_t number) : value_(number) {}
    PersonalEntry(std::string text) : value_(std::move(text)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isNumber() const { return std::holds_alternative<std::int16_t>(value_); }
    bool isText() const { return std::holds_alternative<std::string>(value_); }

    // The stored number; throws std::logic_error when the entry holds none.
    std::int16_t number() const;
    // The entry as text: the text itself, a number in decimal digits, or "" when empty.
    std::string text() const;

    bool operator==(const PersonalEntry&) const = default;

private:
    std::variant<std::monostate, std::int16_t, std::string> value_;
};

// Meaning of the PersonalData entries.
enum PersonalField : int {
    Name = 0,
    SexPointsEntry = 1,
    AgePointsEntry = 2,
    HeightText = 3,
    WeightText = 4,
    BloodTypePointsEntry = 5,
    BodyFatPointsEntry = 6,
    SkinTonePointsEntry = 7,
};

struct AssessmentRecord {
    IndexedArray<std::uint8_t, 0, 19> AnswerCodes;    // [0] is AnswerTotal
    IndexedArray<PersonalEntry, 0, 7> PersonalData;
    IndexedArray<float, 50, 190> StandardWeightTable;  // [50] is never written
    std::uint8_t SusceptibilityScore = 0;

    std::uint8_t answerTotal() const { return AnswerCodes[0]; }
    bool operator==(const AssessmentRecord&) const = default;
};

// Standard body weights (kg) for heights 51..190 cm, in ascending order.
extern const std::array<float, 140> StandardWeights;

// Writes StandardWeights into elements 51..190; element 50 keeps its value.
void FillStandardWeightTable(AssessmentRecord& record);

} // namespace tellumo
