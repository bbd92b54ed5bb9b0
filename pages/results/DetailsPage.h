// The details page, the detailed result: one sentence with the person's
// susceptibility class and constitution type, the obesity degree and the
// BMI, each beside a fixed explanation, and a fixed BMI legend.
//
// Data flow: showDetails reads the host's record (name, height and weight
// texts, AnswerTotal, SusceptibilityScore, the standard-weight table) and
// fills the type sentence, the obesity line and the BMI line; nothing is
// written back. The buttons lead to the caution page or end the program;
// the context menu and shortcuts save or print the whole result
// (ResultExport.h).
#pragma once

#include "ResultPage.h"

class QPushButton;

namespace tellumo {

struct AssessmentRecord;
class PageLabel;

// The page's controls under its title, each named and placed
// (PageLayouts::Details) after its member.
struct DetailsControls {
    PageLabel* typeSentenceLabel;
    PageLabel* obesityLabel;
    PageLabel* bmiLabel;
    PageLabel* typeExplanationLabel;
    PageLabel* bmiExplanationLabel;
    PageLabel* bmiLegendLabel;
    QPushButton* quitButton;
    QPushButton* cautionButton;
};

class DetailsPage : public ResultPage {
    Q_OBJECT

public:
    explicit DetailsPage(PageHost& host, QWidget* parent = nullptr);

private:
    void makeControls();
    void showDetails();
    // The class, the name and the constitution type, on one line.
    void showTypeSentence(const AssessmentRecord& record);

    DetailsControls ui_{};
};

} // namespace tellumo
