// Form6, the points of caution: four fixed points against mosquito bites.
//
// Data flow: none from the record; the buttons lead to Form7 or end the
// program.
#pragma once

#include "Page.h"

class QPushButton;

namespace tellumo {

class Form6 : public Page {
    Q_OBJECT

public:
    explicit Form6(PageHost& host, QWidget* parent = nullptr);

private slots:
    void Command1_Click();
    void Command2_Click();

private:
    void createLabels();
    void createButtons();
    void orderButtons();
    void connectHandlers();
    void Form_Load();

    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};

} // namespace tellumo
