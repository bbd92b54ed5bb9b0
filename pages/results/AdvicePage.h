// The advice page, the mosquito-control advice: four fixed pieces of advice,
// the last with the pest-control contact, and the end of the walk.
//
// Data flow: nothing shown comes from the record, which the page only hands
// to its commands that save or print the whole result (ResultExport.h); the
// contact address is build configuration (TELLUMO_CONTACT_EMAIL). Its one
// button ends the program.
#pragma once

#include "ResultPage.h"

class QPushButton;

namespace tellumo {

class PageLabel;

// The page's controls under its title, each named and placed
// (PageLayouts::Advice) after its member.
struct AdviceControls {
    PageLabel* doorsAndWindowsLabel;
    PageLabel* bedroomLabel;
    PageLabel* standingWaterLabel;
    PageLabel* contactLabel;
    QPushButton* quitButton;
};

class AdvicePage : public ResultPage {
    Q_OBJECT

public:
    explicit AdvicePage(PageHost& host, QWidget* parent = nullptr);

    // The pest-control contact address shown in the last piece of advice.
    static QString contactEmail();

private:
    AdviceControls ui_{};
};

} // namespace tellumo
