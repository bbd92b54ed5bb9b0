// Reading the personal data page: the texts the user typed and the choices
// made, checked in the order they stand on the page.
//
// Data flow: the page collects its five texts and three choices into a
// PersonalDataInput and calls ReadPersonalData with the assessment record.
// Each entry is stored into PersonalData as soon as it has been checked, so
// a refusal keeps what came before it; the first problem stops the reading
// and comes back as a PersonalDataRefusal: which problem (the page words the
// message) and which text field, if any, gets the keyboard focus. A complete
// pass rewrites all eight entries.
#pragma once

#include "AssessmentRecord.h"
#include "PersonalPoints.h"

#include <optional>
#include <string>

namespace tellumo {

struct PersonalDataInput {
    // UTF-8, exactly as typed. Only the empty text counts as not entered;
    // blanks are an entry (a name of blanks is a name).
    std::string name;
    std::string age;
    std::string height;
    std::string weight;
    std::string bodyFat; // optional: empty means not measured
    std::optional<Sex> sex;
    std::optional<BloodType> bloodType;
    std::optional<SkinTone> skinTone;
};

enum class PersonalDataProblem {
    NoName,
    NoSex,
    NoAge,
    BadAge,       // not a number, or below zero
    NoHeight,
    BadHeight,    // not a number above zero
    NoWeight,
    BadWeight,    // not a number, or below zero
    NoBloodType,
    BadBodyFat,   // given, but not a percentage from 0 to 100
    NoSkinTone,
};

// The text fields, for where the focus goes after a refusal.
enum class PersonalDataField { Name, Age, Height, Weight, BodyFat };

struct PersonalDataRefusal {
    PersonalDataProblem problem;
    // The field to correct; none for a missing choice (the focus stays).
    std::optional<PersonalDataField> focus;
    bool operator==(const PersonalDataRefusal&) const = default;
};

// Checks and stores the entries in page order; nullopt when all are stored.
std::optional<PersonalDataRefusal> ReadPersonalData(const PersonalDataInput& input,
                                                    AssessmentRecord& record);

} // namespace tellumo
