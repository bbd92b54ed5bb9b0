#include "PersonalDataEntry.h"

#include "BodyMeasures.h"
#include "Judgement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
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

// A row's name as GoogleTest takes it: letters, digits and underscores.
template <typename T>
std::string rowName(const ::testing::TestParamInfo<T>& info)
{
    std::string name = info.param.name;
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

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

INSTANTIATE_TEST_SUITE_P(PersonalDataEntry, ReadPersonalDataRows, ::testing::ValuesIn(Rows), rowName<Row>);

// Every kind of text a user may type into the number fields, read through
// the model: refused with its message's problem, or stored, then scored and
// measured as the result pages show it. The pages themselves are tried with
// a few of these in the reliability tests.
struct FieldRow {
    std::string name;
    PersonalDataField field;
    std::string text; // UTF-8, as typed
    std::optional<PersonalDataProblem> problem = {}; // none: accepted
    int score = 44;                  // base page: 14 points and 30 from the answers
    const char* obesity = "10.4";    // nullptr: no obesity degree shown
    const char* bmi = "22.5";        // nullptr: no BMI shown
};

// Texts that are no number, or a negative one: every number field refuses
// them with its own problem.
const std::pair<const char*, const char*> NotNumbers[] = {
    {"ASCII blank", " "}, {"ASCII blanks", "   "}, {"full-width blank", "　"}, {"full-width blanks", "　　"},
    {"point alone", "."}, {"full-width point alone", "．"}, {"two points", "2.4.1"}, {"1e309", "1e309"},
    {"exponent", "1e308"}, {"inf", "inf"}, {"nan", "nan"}, {"SOH inside", "3\x01" "0"}, {"STX after", "170\x02"},
    {"ESC before", "\x1b" "65"}, {"DEL inside", "2\x7f" "0"}, {"tab inside", "3\t0"}, {"grouping", "1,000"},
    {"hexadecimal", "0x1E"}, {"Arabic-Indic digits", "٣٠"}, {"mathematical digits", "𝟑𝟎"}, {"negative", "-30"},
    {"negative with minus sign", "−30"}, {"full-width negative", "－６５"}, {"years", "30歳"}, {"centimetres", "170cm"},
    {"kilograms", "65kg"}, {"per cent", "20%"}, {"mosquito emoji", "🦟"}, {"ruler emoji", "📏"},
    {"scales emoji", "⚖️"}, {"hundred emoji", "💯"},
};

std::vector<FieldRow> fieldRows()
{
    std::vector<FieldRow> rows = {
        {"age empty", Field::Age, "", Problem::NoAge},
        {"age ASCII digits", Field::Age, "30"},
        {"age full-width digits", Field::Age, "３０"},
        {"age plus sign", Field::Age, "+30"},
        {"age full-width plus sign", Field::Age, "＋３０"},
        {"age trailing point", Field::Age, "30."},
        {"age full-width decimal", Field::Age, "２４．１"},
        {"age leading point", Field::Age, ".5", {}, 42},
        {"age 24 is not over 24", Field::Age, "24", {}, 42},
        {"age zero", Field::Age, "0", {}, 42},
        {"age minus zero", Field::Age, "-0", {}, 42},
        {"age blanks and tabs around", Field::Age, "\t 30　"},
        {"height empty", Field::Height, "", Problem::NoHeight},
        {"height ASCII digits", Field::Height, "170"},
        {"height full-width digits", Field::Height, "１７０"},
        {"height plus sign", Field::Height, "+170"},
        {"height half a centimetre, rounded to even", Field::Height, "１７０．５", {}, 44, "10.4", "22.4"},
        {"height zero", Field::Height, "0", Problem::BadHeight},
        {"height minus zero", Field::Height, "-0", Problem::BadHeight},
        {"height zero with decimals", Field::Height, "0.000", Problem::BadHeight},
        {"height 1000 cm", Field::Height, "1000", {}, 44, nullptr, "0.7"},
        {"height just below the table", Field::Height, "50.9", {}, 44, nullptr, "250.9"},
        {"height a hundredth of a millimetre", Field::Height, "0.001", {}, 44, nullptr, "650000000000"},
        {"weight empty", Field::Weight, "", Problem::NoWeight},
        {"weight ASCII digits", Field::Weight, "65"},
        {"weight full-width digits", Field::Weight, "６５"},
        {"weight decimal", Field::Weight, "65.5", {}, 44, "11.3", "22.7"},
        {"weight zero", Field::Weight, "0", {}, 44, "-100", "0"},
        {"weight minus zero", Field::Weight, "-0", {}, 44, "-100", "0"},
        {"bodyFat empty", Field::BodyFat, ""},
        {"bodyFat ASCII digits", Field::BodyFat, "20", {}, 49},
        {"bodyFat full-width digits", Field::BodyFat, "２０", {}, 49},
        {"bodyFat just under 13 kg", Field::BodyFat, "19.9"},
        {"bodyFat plus sign", Field::BodyFat, "+20", {}, 49},
        {"bodyFat zero", Field::BodyFat, "0"},
        {"bodyFat minus zero", Field::BodyFat, "-0"},
        {"bodyFat 100 per cent", Field::BodyFat, "100", {}, 49},
        {"bodyFat over 100 per cent", Field::BodyFat, "100.1", Problem::BadBodyFat},
    };
    const std::tuple<const char*, Field, Problem> numberFields[] = {
        {"age", Field::Age, Problem::BadAge},
        {"height", Field::Height, Problem::BadHeight},
        {"weight", Field::Weight, Problem::BadWeight},
        {"bodyFat", Field::BodyFat, Problem::BadBodyFat},
    };
    for (const auto& [fieldName, field, problem] : numberFields)
        for (const auto& [name, text] : NotNumbers)
            rows.push_back({std::string(fieldName) + " " + name, field, text, problem});
    return rows;
}

// What the details page shows for a measure: its shortest text, or nothing
// when it is not a finite number.
std::string shown(std::optional<double> value)
{
    return value && std::isfinite(*value) ? FormatMeasure(*value) : std::string();
}

class FieldCatalogue : public ::testing::TestWithParam<FieldRow> {};

TEST_P(FieldCatalogue, RefusedOrScoredAndMeasured)
{
    const FieldRow& row = GetParam();
    PersonalDataInput input = complete();
    std::string* texts[] = {&input.name, &input.age, &input.height, &input.weight, &input.bodyFat};
    *texts[static_cast<int>(row.field)] = row.text;
    AssessmentRecord record;
    FillStandardWeightTable(record);

    const std::optional<PersonalDataRefusal> refusal = ReadPersonalData(input, record);
    if (row.problem) {
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->problem, *row.problem);
        EXPECT_EQ(refusal->focus, row.field);
        return;
    }
    ASSERT_EQ(refusal, std::nullopt);
    for (int q = 1; q <= 19; ++q)
        record.AnswerCodes[q] = q <= 15 ? 2 : 0; // 30 in all
    EXPECT_EQ(ComputeSusceptibilityScore(record), row.score);

    const double height = *ReadDecimal(record.PersonalData[HeightText].text());
    const double weight = *ReadDecimal(record.PersonalData[WeightText].text());
    EXPECT_EQ(shown(ComputeObesityDegree(record, height, weight)), row.obesity ? row.obesity : "");
    EXPECT_EQ(shown(ComputeBmi(height, weight)), row.bmi ? row.bmi : "");
}

INSTANTIATE_TEST_SUITE_P(PersonalDataEntry, FieldCatalogue, ::testing::ValuesIn(fieldRows()), rowName<FieldRow>);

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
