// The caution page: four fixed points of caution against mosquito bites.
//
// Data flow: nothing shown comes from the record, which the page only hands
// to its commands that save or print the whole result (ResultExport.h); the
// buttons lead to the advice page or end the program.
#pragma once

#include "Page.h"

class QPushButton;

namespace tellumo {

class CautionPage : public Page {
    Q_OBJECT

public:
    explicit CautionPage(PageHost& host, QWidget* parent = nullptr);

private slots:
    void onQuit();
    void onAdvice();

private:
    void createLabels();
    void createButtons();
    void orderButtons();
    void connectHandlers();

    QPushButton* quitButton_ = nullptr;
    QPushButton* adviceButton_ = nullptr;
};

} // namespace tellumo
