#include "Judgement.h"

#include <string>

namespace tellumo {

namespace {

// Adds one term to a running byte-sized sum; refuses to leave 0..255.
std::uint8_t addChecked(std::uint8_t sum, int term)
{
    const int result = sum + term;
    if (result < 0 || result > 255)
        throw ScoreOverflow();
    return static_cast<std::uint8_t>(result);
}

constexpr int scorePointEntries[] = {SexPointsEntry, AgePointsEntry, BloodTypePointsEntry,
                                     BodyFatPointsEntry, SkinTonePointsEntry};

} // namespace

std::uint8_t ComputeSusceptibilityScore(AssessmentRecord& record)
{
    // Everything is summed into locals first, so a failure leaves the record
    // exactly as it was.
    std::uint8_t answerTotal = 0;
    for (int q = 1; q <= 19; ++q)
        answerTotal = addChecked(answerTotal, record.AnswerCodes[q]);

    std::uint8_t score = answerTotal;
    for (int entry : scorePointEntries) {
        const PersonalEntry& points = record.PersonalData[entry];
        if (!points.isNumber())
            throw std::logic_error("personal-data entry " + std::to_string(entry)
                                   + " holds no points");
        score = addChecked(score, points.number());
    }

    record.AnswerCodes[0] = answerTotal;
    record.SusceptibilityScore = score;
    return score;
}

std::optional<std::uint8_t> TryComputeSusceptibilityScore(AssessmentRecord& record) noexcept
{
    try {
        return ComputeSusceptibilityScore(record);
    } catch (const ScoreOverflow&) {
        return std::nullopt;
    } catch (const std::logic_error&) {
        return std::nullopt;
    }
}

int ClassifySusceptibility(std::uint8_t score)
{
    if (score < 20)
        return 1;
    if (score < 40)
        return 2;
    if (score < 60)
        return 3;
    return 4;
}

std::string_view SusceptibilityCaption(int susceptibilityClass)
{
    switch (susceptibilityClass) {
    case 1:
        return "刺されにくい";
    case 2:
        return "普通程度";
    case 3:
        return "刺されやすい";
    case 4:
        return "非常に刺されやすい";
    default:
        throw std::out_of_range("susceptibility class outside 1..4");
    }
}

ConstitutionType ClassifyConstitution(std::uint8_t answerTotal)
{
    if (answerTotal <= 24)
        return ConstitutionType::Deficiency;
    if (answerTotal <= 45)
        return ConstitutionType::Intermediate;
    return ConstitutionType::Excess;
}

std::string_view ConstitutionName(ConstitutionType type)
{
    switch (type) {
    case ConstitutionType::Deficiency:
        return "虚証型";
    case ConstitutionType::Intermediate:
        return "虚実中間型";
    case ConstitutionType::Excess:
        return "実証型";
    }
    throw std::out_of_range("unknown constitution type");
}

} // namespace tellumo
