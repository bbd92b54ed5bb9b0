#include "PageLayouts.h"

namespace tellumo {

namespace PageLayouts {

const PersonalDataLayout PersonalData{
    .size = {10005, 7200},
    .titleLabel = {0, 800, 10000, 420},
    .nameLabel = {2500, 1300, 1500, 420},
    .nameField = {4000, 1250, 2000, 420},
    .sexLabel = {2500, 1800, 1500, 420},
    .sexGroup = {4000, 1800, 2835, 300},
    .maleOption = {0, 0, 1335, 300},
    .femaleOption = {1500, 0, 1335, 300},
    .ageLabel = {2500, 2300, 1500, 420},
    .ageField = {5000, 2250, 500, 420},
    .ageUnit = {5600, 2300, 500, 420},
    .heightLabel = {2500, 2800, 1500, 420},
    .heightField = {4800, 2750, 700, 420},
    .heightUnit = {5600, 2800, 500, 420},
    .weightLabel = {2500, 3300, 1500, 420},
    .weightField = {4800, 3250, 700, 420},
    .weightUnit = {5600, 3300, 500, 420},
    .bloodTypeLabel = {2500, 3800, 1500, 420},
    .bloodTypeGroup = {4000, 3800, 3800, 300},
    .bloodTypeO = {0, 0, 800, 300},
    .bloodTypeA = {1000, 0, 800, 300},
    .bloodTypeB = {2000, 0, 800, 300},
    .bloodTypeAB = {3000, 0, 800, 300},
    .bodyFatLabel = {2500, 4300, 1500, 420},
    .bodyFatField = {4700, 4250, 800, 420},
    .bodyFatUnit = {5600, 4300, 2700, 420},
    .skinToneLabel = {2500, 4800, 1500, 420},
    .skinToneGroup = {4000, 4800, 3400, 300},
    .darkSkinOption = {0, 0, 1000, 300},
    .normalSkinOption = {1200, 0, 1000, 300},
    .fairSkinOption = {2400, 0, 1000, 300},
    .nextButton = {3300, 5500, 1200, 800},
    .clearButton = {5500, 5500, 1200, 800},
};

const QuestionPageLayout QuestionsQ1toQ10{
    .size = {10005, 7200},
    .titleLabel = {0, 600, 10000, 450},
    .introLabel = {0, 1100, 10000, 420},
    .nextButton = {3300, 5800, 1200, 800},
    .clearButton = {5500, 5800, 1200, 800},
    .rows = {.firstTop = 1600, .pitch = 400,
             .labelLeft = 680, .labelWidth = 2900, .labelHeight = 420,
             .groupLeft = 3500, .groupWidth = 5950, .groupHeight = 300},
    .choices = {.first = {0, 0, 1900, 300}, .middle = {2000, 0, 1900, 300}, .last = {4000, 0, 1900, 300}},
    // The first question's label is shorter than the rows' rule.
    .firstLabel = Place{680, 1600, 2900, 350},
};

const QuestionPageLayout QuestionsQ11toQ19{
    .size = {10005, 7200},
    .titleLabel = {0, 600, 10000, 450},
    .introLabel = {0, 1100, 10000, 420},
    .nextButton = {3300, 5800, 1200, 800},
    .clearButton = {5500, 5800, 1200, 800},
    .rows = {.firstTop = 1600, .pitch = 400,
             .labelLeft = 500, .labelWidth = 3300, .labelHeight = 420,
             .groupLeft = 3700, .groupWidth = 5800, .groupHeight = 300},
    // Two-choice questions leave the middle slot empty.
    .choices = {.first = {0, 0, 1900, 300}, .middle = {2000, 0, 1800, 300}, .last = {3900, 0, 1900, 300}},
    .firstLabel = std::nullopt,
};

const ScoreLayout Score{
    .size = {10005, 7200},
    .titleLabel = {0, 700, 10000, 420},
    .scoreLine = {2000, 1200, 7500, 420},
    .degreeLabel = {2000, 1700, 5000, 420},
    .classVeryEasilyLabel = {3000, 2300, 5000, 400},
    .classEasilyLabel = {3000, 2800, 5000, 400},
    .classAverageLabel = {3000, 3300, 5000, 400},
    .classHardlyLabel = {3000, 3800, 5000, 400},
    .highlight = {.left = 2500, .height = 600, .points = 24, .moveDown = 200},
    .cautionHintLabel = {1500, 4900, 7000, 600},
    .detailsButton = {1500, 5800, 2400, 800},
    .cautionButton = {4400, 5800, 2400, 800},
    .quitButton = {7300, 5800, 1200, 800},
};

const DetailsLayout Details{
    .size = {10005, 7200},
    .titleLabel = {0, 700, 10000, 450},
    .typeSentenceLabel = {1800, 1200, 8000, 420},
    .typeExplanationLabel = {2100, 1600, 6200, 1000},
    .obesityLabel = {1800, 2750, 8000, 400},
    .bmiLabel = {1800, 3300, 8000, 400},
    .bmiExplanationLabel = {2100, 3700, 6200, 500},
    .bmiLegendLabel = {2400, 4200, 6200, 1200},
    .cautionButton = {2800, 5600, 2000, 800},
    .quitButton = {5800, 5600, 1200, 800},
};

const CautionLayout Caution{
    .size = {9945, 6975},
    .titleLabel = {0, 800, 10000, 450},
    .point1Label = {1000, 1500, 8000, 300},
    .point2Label = {1000, 2200, 8100, 600},
    .point3Label = {1000, 3200, 8000, 600},
    .point4Label = {1000, 4200, 8000, 600},
    .adviceButton = {2800, 5500, 2000, 800},
    .quitButton = {5800, 5500, 1200, 800},
};

const AdviceLayout Advice{
    .size = {9945, 6975},
    .titleLabel = {0, 700, 10000, 450},
    .doorsAndWindowsLabel = {1000, 1200, 8000, 600},
    .bedroomLabel = {1000, 2050, 8000, 900},
    .standingWaterLabel = {1000, 3180, 7995, 1200},
    .contactLabel = {1000, 4600, 8200, 900},
    .quitButton = {4400, 5700, 1200, 800},
};

} // namespace PageLayouts

} // namespace tellumo
