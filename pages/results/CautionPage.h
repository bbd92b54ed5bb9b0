// The caution page: four fixed points of caution against mosquito bites.
//
// Data flow: nothing shown comes from the record, which the page only hands
// to its commands that save or print the whole result (ResultExport.h); the
// buttons lead to the advice page or end the program.
#pragma once

#include "ResultPage.h"

namespace tellumo {

class CautionPage : public ResultPage {
    Q_OBJECT

public:
    explicit CautionPage(PageHost& host, QWidget* parent = nullptr);
};

} // namespace tellumo
