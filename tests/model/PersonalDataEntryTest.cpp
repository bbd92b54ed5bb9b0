#include "PersonalDataEntry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tellumo {
namespace {

using Problem = PersonalDataProblem;
using Field = PersonalDataField;

// A complete, valid page: 30 years, 170 cm, 65 kg, female, A, normal skin.
PersonalDataInput complete()
{
    return {"蚊野 花子", "30", "170", "65", "", Sex::Female, BloodType::A, SkinTone::Normal};
}

struct Row {
    const char* name;
    void (*change)(PersonalDataInput&);
    std::optional<PersonalDataRefusal> refusal;
    int storedEntries; // entries 0.. stored before the reading stopped
};

const Row Rows[] = {
    {"complete", [](PersonalDataInput&) {}, std::nullopt, 8},
    {"nothing at all", [](PersonalDataInput& in) { in = {}; }, PersonalDataRefusal{Problem::NoName, Field::Name}, 0},
    {"blank name is a name", [](PersonalDataInput& in) { in.name = " "; }, std::nullopt, 8},
    {"no sex", [](PersonalDataInput& in) { in.sex.reset(); }, PersonalDataRefusal{Problem::NoSex, {}}, 1},
    {"no age", [](PersonalDataInput& in) { in.age.clear(); }, PersonalDataRefusal{Problem::NoAge, Field::Age}, 2},
    {"blank age", [](PersonalDataInput& in) { in.age = "　"; }, PersonalDataRefusal{Problem::BadAge, Field::Age}, 2},
    {"negative age", [](PersonalDataInput& in) { in.age = "-1"; }, PersonalDataRefusal{Problem::BadAge, Field::Age}, 2},
    {"no height", [](PersonalDataInput& in) { in.height.clear(); }, PersonalDataRefusal{Problem::NoHeight, Field::Height}, 3},
    {"zero height", [](PersonalDataInput& in) { in.height = "0"; }, PersonalDataRefusal{Problem::BadHeight, Field::Height}, 3},
    {"height with unit", [](PersonalDataInput& in) { in.height = "170cm"; }, PersonalDataRefusal{Problem::BadHeight, Field::Height}, 3},
    {"no weight", [](PersonalDataInput& in) { in.weight.clear(); }, PersonalDataRefusal{Problem::NoWeight, Field::Weight}, 4},
    {"zero weight", [](PersonalDataInput& in) { in.weight = "0"; }, std::nullopt, 8},
    {"exponent weight", [](PersonalDataInput& in) { in.weight = "1e3"; }, PersonalDataRefusal{Problem::BadWeight, Field::Weight}, 4},
    {"no blood type", [](PersonalDataInput& in) { in.bloodType.reset(); }, PersonalDataRefusal{Problem::NoBloodType, {}}, 5},
    {"body fat over 100", [](PersonalDataInput& in) { in.bodyFat = "100.1"; }, PersonalDataRefusal{Problem::BadBodyFat, Field::BodyFat}, 6},
    {"body fat blank", [](PersonalDataInput& in) { in.bodyFat = " "; }, PersonalDataRefusal{Problem::BadBodyFat, Field::BodyFat}, 6},
    {"no skin tone", [](PersonalDataInput& in) { in.skinTone.reset(); }, PersonalDataRefusal{Problem::NoSkinTone, {}}, 7},
    // The first problem in page order wins.
    {"no sex and no age", [](PersonalDataInput& in) { in.sex.reset(); in.age.clear(); }, PersonalDataRefusal{Problem::NoSex, {}}, 1},
};

class ReadPersonalDataRows : public ::testing::TestWithParam<Row> {};

// What is stored before a refusal stays; the entries after it are untouched.
TEST_P(ReadPersonalDataRows, StoresInPageOrderAndStopsAtTheFirstProblem)
{
    const Row& row = GetParam();
    PersonalDataInput input = complete();
    row.change(input);
    AssessmentRecord record;
    const PersonalEntry untouched(std::string("earlier"));
    for (int entry = 0; entry <= 7; ++entry)
        record.PersonalData[entry] = untouched;

    EXPECT_EQ(ReadPersonalData(input, record), row.refusal);
    for (int entry = 0; entry <= 7; ++entry)
        EXPECT_EQ(record.PersonalData[entry] == untouched, entry >= row.storedEntries) << "entry " << entry;
}

INSTANTIATE_TEST_SUITE_P(PersonalDataEntry, ReadPersonalDataRows, ::testing::ValuesIn(Rows),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(PersonalDataEntry, StoresTextsAsTypedAndChoicesAsPoints)
{
    PersonalDataInput input = complete();
    input.height = "１７０．５";
    input.bodyFat = "20"; // 13 kg of 65 kg
    AssessmentRecord record;
    ASSERT_EQ(ReadPersonalData(input, record), std::nullopt);
    const std::vector<PersonalEntry> expected = {
        PersonalEntry(std::string("蚊野 花子")), PersonalEntry(std::int16_t{0}), PersonalEntry(std::int16_t{5}),
        PersonalEntry(std::string("１７０．５")), PersonalEntry(std::string("65")), PersonalEntry(std::int16_t{4}),
        PersonalEntry(std::int16_t{5}), PersonalEntry(std::int16_t{5}),
    };
    for (int entry = 0; entry <= 7; ++entry)
        EXPECT_EQ(record.PersonalData[entry], expected[static_cast<std::size_t>(entry)]) << "entry " << entry;
}

} // namespace
} // namespace tellumo
