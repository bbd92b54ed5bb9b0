// Form7, the mosquito-control advice: four fixed pieces of advice, the last
// with the pest-control contact, and the end of the walk.
//
// Data flow: none from the record; the contact address is build
// configuration (TELLUMO_CONTACT_EMAIL). Its one button ends the program.
#pragma once

#include "Page.h"

class QPushButton;

namespace tellumo {

class Form7 : public Page {
    Q_OBJECT

public:
    explicit Form7(PageHost& host, QWidget* parent = nullptr);

    // The pest-control contact address shown in the last piece of advice.
    static QString contactEmail();

private slots:
    void Command1_Click();

private:
    void createLabels();
    void createButton();
    void connectHandlers();
    void Form_Load();

    QPushButton* command1_ = nullptr;
};

} // namespace tellumo
