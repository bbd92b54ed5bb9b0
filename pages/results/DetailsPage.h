// Form5, the detailed result: one sentence with the person's susceptibility
// class and constitution type, the obesity degree and the BMI, each beside a
// fixed explanation, and a fixed BMI legend.
//
// Data flow: Form_Load reads Module1::Record (name, height and weight texts,
// AnswerTotal, SusceptibilityScore, the standard-weight table) and fills
// Label4, Label5 and Label6; nothing is written back. The buttons lead to
// Form6 or end the program.
#pragma once

#include "Page.h"

class QLabel;
class QPushButton;

namespace tellumo {

struct AssessmentRecord;
class PageLabel;

class Form5 : public Page {
    Q_OBJECT

public:
    explicit Form5(PageHost& host, QWidget* parent = nullptr);

private slots:
    void Command1_Click();
    void Command2_Click();

private:
    void createLabels();
    void createExplanations();
    void createButtons();
    void orderButtons();
    void connectHandlers();
    void Form_Load();
    // The class, the name and the constitution type, on one line.
    void showTypeSentence(const AssessmentRecord& record);

    PageLabel* label4_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label6_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};

} // namespace tellumo
