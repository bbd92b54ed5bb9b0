#include "PersonalDataEntry.h"

namespace tellumo {

namespace {

using Problem = PersonalDataProblem;
using Field = PersonalDataField;

bool isNotNegative(double value) { return value >= 0; }
bool isPositive(double value) { return value > 0; }
bool isPercentage(double value) { return value >= 0 && value <= 100; }

// A required number: its value, or the refusal for an empty or bad text.
struct NumberCheck {
    std::optional<double> value;
    std::optional<PersonalDataRefusal> refusal;
};

NumberCheck requireNumber(const std::string& text, Field field, Problem empty, Problem bad,
                          bool (*acceptable)(double))
{
    if (text.empty())
        return {std::nullopt, PersonalDataRefusal{empty, field}};
    const std::optional<double> value = ReadDecimal(text);
    if (!value || !acceptable(*value))
        return {std::nullopt, PersonalDataRefusal{bad, field}};
    return {value, std::nullopt};
}

} // namespace

std::optional<PersonalDataRefusal> ReadPersonalData(const PersonalDataInput& input,
                                                    AssessmentRecord& record)
{
    auto& data = record.PersonalData;

    if (input.name.empty())
        return PersonalDataRefusal{Problem::NoName, Field::Name};
    data[Name] = PersonalEntry(input.name);

    if (!input.sex)
        return PersonalDataRefusal{Problem::NoSex, std::nullopt};
    data[SexPointsEntry] = SexPoints(*input.sex);

    const NumberCheck age = requireNumber(input.age, Field::Age, Problem::NoAge, Problem::BadAge, isNotNegative);
    if (age.refusal)
        return age.refusal;
    data[AgePointsEntry] = AgePoints(*age.value);

    // Height and weight are kept as typed; the body measures read them later.
    const NumberCheck height
        = requireNumber(input.height, Field::Height, Problem::NoHeight, Problem::BadHeight, isPositive);
    if (height.refusal)
        return height.refusal;
    data[HeightText] = PersonalEntry(input.height);

    const NumberCheck weight
        = requireNumber(input.weight, Field::Weight, Problem::NoWeight, Problem::BadWeight, isNotNegative);
    if (weight.refusal)
        return weight.refusal;
    data[WeightText] = PersonalEntry(input.weight);

    if (!input.bloodType)
        return PersonalDataRefusal{Problem::NoBloodType, std::nullopt};
    data[BloodTypePointsEntry] = BloodTypePoints(*input.bloodType);

    std::optional<double> bodyFat;
    if (!input.bodyFat.empty()) {
        bodyFat = ReadDecimal(input.bodyFat);
        if (!bodyFat || !isPercentage(*bodyFat))
            return PersonalDataRefusal{Problem::BadBodyFat, Field::BodyFat};
    }
    data[BodyFatPointsEntry] = BodyFatPoints(bodyFat, *weight.value);

    if (!input.skinTone)
        return PersonalDataRefusal{Problem::NoSkinTone, std::nullopt};
    data[SkinTonePointsEntry] = SkinTonePoints(*input.skinTone);
    return std::nullopt;
}

} // namespace tellumo
