#include "AssessmentRecord.h"

namespace tellumo {

std::int16_t PersonalEntry::number() const
{
    if (const auto* value = std::get_if<std::int16_t>(&value_))
        return *value;
    throw std::logic_error(isEmpty() ? "personal-data entry was never stored"
                                     : "personal-data entry holds text, not a number");
}

std::string PersonalEntry::text() const
{
    if (const auto* value = std::get_if<std::string>(&value_))
        return *value;
    if (const auto* value = std::get_if<std::int16_t>(&value_))
        return std::to_string(*value);
    return {};
}

// Each literal carries the f suffix, so the compiler rounds the decimal value
// straight to the nearest float (no detour through double). The 150 cm entry
// is 45.64 although it breaks the otherwise smooth run of the values.
const std::array<float, 140> StandardWeights = {
    // 51..60
    3.23f, 3.60f, 3.96f, 4.30f, 4.62f, 4.93f, 5.22f, 5.49f, 5.74f, 5.99f,
    // 61..70
    6.26f, 6.54f, 6.81f, 7.03f, 7.22f, 7.39f, 7.58f, 7.79f, 7.98f, 8.16f,
    // 71..80
    8.33f, 8.51f, 8.70f, 8.90f, 9.11f, 9.32f, 9.53f, 9.74f, 9.97f, 10.19f,
    // 81..90
    10.42f, 10.65f, 10.89f, 11.15f, 11.44f, 11.73f, 12.01f, 12.25f, 12.48f, 12.71f,
    // 91..100
    12.96f, 13.25f, 13.55f, 13.85f, 14.13f, 14.40f, 14.67f, 14.93f, 15.20f, 15.47f,
    // 101..110
    15.73f, 16.00f, 16.27f, 16.54f, 16.80f, 17.07f, 17.35f, 17.65f, 18.00f, 18.37f,
    // 111..120
    18.73f, 19.10f, 19.46f, 19.83f, 20.20f, 20.58f, 20.96f, 21.35f, 21.77f, 22.21f,
    // 121..130
    22.68f, 23.15f, 23.62f, 24.07f, 24.53f, 25.01f, 25.51f, 26.01f, 26.52f, 27.67f,
    // 131..140
    28.94f, 29.76f, 30.58f, 31.41f, 32.25f, 33.11f, 33.97f, 34.83f, 35.71f, 36.59f,
    // 141..150
    37.48f, 38.38f, 39.27f, 40.16f, 41.03f, 41.86f, 42.67f, 43.48f, 44.27f, 45.64f,
    // 151..160
    45.80f, 46.55f, 47.29f, 48.01f, 48.71f, 49.31f, 50.01f, 50.70f, 51.39f, 52.09f,
    // 161..170
    52.78f, 53.46f, 54.14f, 54.82f, 55.49f, 56.19f, 56.87f, 57.54f, 58.20f, 58.86f,
    // 171..180
    59.51f, 60.16f, 60.79f, 61.42f, 62.05f, 62.71f, 63.35f, 63.99f, 64.63f, 65.26f,
    // 181..190
    65.88f, 66.50f, 67.12f, 67.74f, 68.35f, 69.04f, 69.78f, 70.42f, 70.97f, 71.49f,
};

static_assert(decltype(AssessmentRecord::StandardWeightTable)::last - 50 == 140,
              "the table holds one weight per centimetre from 51 to 190");

void FillStandardWeightTable(AssessmentRecord& record)
{
    for (int height = 51; height <= 190; ++height)
        record.StandardWeightTable[height] = StandardWeights[static_cast<std::size_t>(height - 51)];
}

} // namespace tellumo
