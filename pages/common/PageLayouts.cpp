#include "PageLayouts.h"

namespace tellumo {

namespace {

constexpr Placement PersonalDataControls[] = {
    {"titleLabel", 0, 800, 10000, 420, 20},
    {"nameLabel", 2500, 1300, 1500, 420, 0},
    {"nameField", 4000, 1250, 2000, 420, 1},
    {"sexLabel", 2500, 1800, 1500, 420, 21},
    {"sexGroup", 4000, 1800, 2835, 300, 17},
    {"maleOption", 0, 0, 1335, 300, 2},
    {"femaleOption", 1500, 0, 1335, 300, 3},
    {"ageLabel", 2500, 2300, 1500, 420, 22},
    {"ageField", 5000, 2250, 500, 420, 4},
    {"ageUnit", 5600, 2300, 500, 420, 28},
    {"heightLabel", 2500, 2800, 1500, 420, 23},
    {"heightField", 4800, 2750, 700, 420, 5},
    {"heightUnit", 5600, 2800, 500, 420, 29},
    {"weightLabel", 2500, 3300, 1500, 420, 24},
    {"weightField", 4800, 3250, 700, 420, 6},
    {"weightUnit", 5600, 3300, 500, 420, 30},
    {"bloodTypeLabel", 2500, 3800, 1500, 420, 25},
    {"bloodTypeGroup", 4000, 3800, 3800, 300, 18},
    {"bloodTypeO", 0, 0, 800, 300, 7},
    {"bloodTypeA", 1000, 0, 800, 300, 8},
    {"bloodTypeB", 2000, 0, 800, 300, 9},
    {"bloodTypeAB", 3000, 0, 800, 300, 10},
    {"bodyFatLabel", 2500, 4300, 1500, 420, 26},
    {"bodyFatField", 4700, 4250, 800, 420, 11},
    {"bodyFatUnit", 5600, 4300, 2700, 420, 31},
    {"skinToneLabel", 2500, 4800, 1500, 420, 27},
    {"skinToneGroup", 4000, 4800, 3400, 300, 19},
    {"darkSkinOption", 0, 0, 1000, 300, 14},
    {"normalSkinOption", 1200, 0, 1000, 300, 12},
    {"fairSkinOption", 2400, 0, 1000, 300, 13},
    {"nextButton", 3300, 5500, 1200, 800, 15},
    {"clearButton", 5500, 5500, 1200, 800, 16},
};

constexpr Placement QuestionsQ1toQ10Controls[] = {
    {"titleLabel", 0, 600, 10000, 450},
    {"introLabel", 0, 1100, 10000, 420},
    // The first question's label is shorter than the rows' rule.
    {"question1Label", 680, 1600, 2900, 350},
    {"nextButton", 3300, 5800, 1200, 800},
    {"clearButton", 5500, 5800, 1200, 800},
};

constexpr SlotPlace QuestionsQ1toQ10Slots[] = {
    {1, 0, 0, 1900, 300},
    {2, 2000, 0, 1900, 300},
    {3, 4000, 0, 1900, 300},
};

constexpr Placement QuestionsQ11toQ19Controls[] = {
    {"titleLabel", 0, 600, 10000, 450},
    {"introLabel", 0, 1100, 10000, 420},
    {"nextButton", 3300, 5800, 1200, 800},
    {"clearButton", 5500, 5800, 1200, 800},
};

// Two-choice questions leave the middle slot empty.
constexpr SlotPlace QuestionsQ11toQ19Slots[] = {
    {1, 0, 0, 1900, 300},
    {2, 2000, 0, 1800, 300},
    {3, 3900, 0, 1900, 300},
};

constexpr Placement ScoreControls[] = {
    {"titleLabel", 0, 700, 10000, 420},
    {"scoreLine", 2000, 1200, 7500, 420},
    {"degreeLabel", 2000, 1700, 5000, 420},
    {"classVeryEasilyLabel", 3000, 2300, 5000, 400},
    {"classEasilyLabel", 3000, 2800, 5000, 400},
    {"classAverageLabel", 3000, 3300, 5000, 400},
    {"classHardlyLabel", 3000, 3800, 5000, 400},
    {"cautionHintLabel", 1500, 4900, 7000, 600},
    {"detailsButton", 1500, 5800, 2400, 800},
    {"cautionButton", 4400, 5800, 2400, 800},
    {"quitButton", 7300, 5800, 1200, 800},
};

constexpr Placement DetailsControls[] = {
    {"titleLabel", 0, 700, 10000, 450},
    {"typeSentenceLabel", 1800, 1200, 8000, 420},
    {"typeExplanationLabel", 2100, 1600, 6200, 1000},
    {"obesityLabel", 1800, 2750, 8000, 400},
    {"bmiLabel", 1800, 3300, 8000, 400},
    {"bmiExplanationLabel", 2100, 3700, 6200, 500},
    {"bmiLegendLabel", 2400, 4200, 6200, 1200},
    {"cautionButton", 2800, 5600, 2000, 800},
    {"quitButton", 5800, 5600, 1200, 800},
};

constexpr Placement CautionControls[] = {
    {"titleLabel", 0, 800, 10000, 450},
    {"point1Label", 1000, 1500, 8000, 300},
    {"point2Label", 1000, 2200, 8100, 600},
    {"point3Label", 1000, 3200, 8000, 600},
    {"point4Label", 1000, 4200, 8000, 600},
    {"adviceButton", 2800, 5500, 2000, 800},
    {"quitButton", 5800, 5500, 1200, 800},
};

constexpr Placement AdviceControls[] = {
    {"titleLabel", 0, 700, 10000, 450},
    {"doorsAndWindowsLabel", 1000, 1200, 8000, 600},
    {"bedroomLabel", 1000, 2050, 8000, 900},
    {"standingWaterLabel", 1000, 3180, 7995, 1200},
    {"contactLabel", 1000, 4600, 8200, 900},
    {"quitButton", 4400, 5700, 1200, 800},
};

} // namespace

namespace PageLayouts {

const PageLayout PersonalData{10005, 7200, PersonalDataControls};

const QuestionPageLayout QuestionsQ1toQ10{
    {10005, 7200, QuestionsQ1toQ10Controls},
    {.firstTop = 1600, .pitch = 400,
     .labelLeft = 680, .labelWidth = 2900, .labelHeight = 420,
     .groupLeft = 3500, .groupWidth = 5950, .groupHeight = 300},
    QuestionsQ1toQ10Slots,
};

const QuestionPageLayout QuestionsQ11toQ19{
    {10005, 7200, QuestionsQ11toQ19Controls},
    {.firstTop = 1600, .pitch = 400,
     .labelLeft = 500, .labelWidth = 3300, .labelHeight = 420,
     .groupLeft = 3700, .groupWidth = 5800, .groupHeight = 300},
    QuestionsQ11toQ19Slots,
};

const PageLayout Score{10005, 7200, ScoreControls};
const PageLayout Details{10005, 7200, DetailsControls};
const PageLayout Caution{9945, 6975, CautionControls};
const PageLayout Advice{9945, 6975, AdviceControls};

} // namespace PageLayouts

} // namespace tellumo
