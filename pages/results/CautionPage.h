// The caution page: four fixed points of caution against mosquito bites.
//
// Data flow: nothing shown comes from the record, which the page only hands
// to its commands that save or print the whole result (ResultExport.h); the
// buttons lead to the advice page or end the program.
#pragma once

#include "ResultPage.h"

class QPushButton;

namespace tellumo {

class PageLabel;

// The page's controls under its title, each named and placed
// (PageLayouts::Caution) after its member.
struct CautionControls {
    PageLabel* point1Label;
    PageLabel* point2Label;
    PageLabel* point3Label;
    PageLabel* point4Label;
    QPushButton* quitButton;
    QPushButton* adviceButton;
};

class CautionPage : public ResultPage {
    Q_OBJECT

public:
    explicit CautionPage(PageHost& host, QWidget* parent = nullptr);

private:
    CautionControls ui_{};
};

} // namespace tellumo
