// Where the controls of every page stand: one struct of Places per page, in
// twips (Twips.h), with one member per control, named as the control's
// member in the page's controls struct and as its object name (the name the
// tests use). A page's layout is changed here and nowhere else; a control
// misspelt, left out or out of order here does not build.
//
// Data flow: each page hands its layout's size to the Page base, which sizes
// the page, and makes every control at the Place of its member. The question
// rows are not listed: they follow QuestionRows, one row per question of the
// catalogue.
#pragma once

#include "Placement.h"

#include <optional>

namespace tellumo {

// A page's inner size in twips.
struct PageSize {
    int width;
    int height;
};

// Option buttons stand inside their group.
struct PersonalDataLayout {
    PageSize size;
    Place titleLabel, nameLabel, nameField;
    Place sexLabel, sexGroup, maleOption, femaleOption;
    Place ageLabel, ageField, ageUnit;
    Place heightLabel, heightField, heightUnit;
    Place weightLabel, weightField, weightUnit;
    Place bloodTypeLabel, bloodTypeGroup, bloodTypeO, bloodTypeA, bloodTypeB, bloodTypeAB;
    Place bodyFatLabel, bodyFatField, bodyFatUnit;
    Place skinToneLabel, skinToneGroup, darkSkinOption, normalSkinOption, fairSkinOption;
    Place nextButton, clearButton;
};

// The question rows of a question page, from the top down: each question's
// label and its group of choices, a fixed pitch apart.
struct QuestionRows {
    int firstTop;
    int pitch;
    int labelLeft, labelWidth, labelHeight;
    int groupLeft, groupWidth, groupHeight;
};

// The places of choice slots 1, 2 and 3 inside every question's group.
struct ChoiceSlots {
    Place first, middle, last;
};

// The controls that every question page has, its rows and their slots.
struct QuestionPageLayout {
    PageSize size;
    Place titleLabel, introLabel, nextButton, clearButton;
    QuestionRows rows;
    ChoiceSlots choices;
    // The label of the page's first question, when it stands elsewhere than
    // the rows put it.
    std::optional<Place> firstLabel;
};

// The person's class on the score page's scale: its label moved left,
// taller and larger; every label under it moves down to make room.
struct ScaleHighlight {
    int left;
    int height;
    double points;
    int moveDown;
};

struct ScoreLayout {
    PageSize size;
    Place titleLabel, scoreLine, degreeLabel;
    // The class scale from class 4 down to class 1.
    Place classVeryEasilyLabel, classEasilyLabel, classAverageLabel, classHardlyLabel;
    ScaleHighlight highlight;
    Place cautionHintLabel, detailsButton, cautionButton, quitButton;
};

struct DetailsLayout {
    PageSize size;
    Place titleLabel, typeSentenceLabel, typeExplanationLabel, obesityLabel, bmiLabel;
    Place bmiExplanationLabel, bmiLegendLabel, cautionButton, quitButton;
};

struct CautionLayout {
    PageSize size;
    Place titleLabel, point1Label, point2Label, point3Label, point4Label, adviceButton, quitButton;
};

struct AdviceLayout {
    PageSize size;
    Place titleLabel, doorsAndWindowsLabel, bedroomLabel, standingWaterLabel, contactLabel, quitButton;
};

namespace PageLayouts {

extern const PersonalDataLayout PersonalData;
extern const QuestionPageLayout QuestionsQ1toQ10;
extern const QuestionPageLayout QuestionsQ11toQ19;
extern const ScoreLayout Score;
extern const DetailsLayout Details;
extern const CautionLayout Caution;
extern const AdviceLayout Advice;

} // namespace PageLayouts

} // namespace tellumo
