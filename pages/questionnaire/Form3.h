// The second question page: Q11 to Q19; Q14 to Q17 offer only two choices.
//
// Data flow: the rows come from QuestionCatalogue page 2; "判定" has
// StorePageAnswers write AnswerCodes 11..19 of Module1::Record, question by
// question, and stops with a message at the first unanswered one; a complete
// pass asks the host to replace this page with the result page Form4.
#pragma once

#include "AnswerArray.h"
#include "Page.h"

class QPushButton;

namespace tellumo {

class Form3 : public Page {
    Q_OBJECT

public:
    explicit Form3(PageHost& host, QWidget* parent = nullptr);

private slots:
    void Command1_Click(); // 判定
    void Command2_Click(); // 訂正

private:
    void createControls();
    void placeControls();
    void orderFocus();
    void connectSignals();

    questionnaire::AnswerArray answers_;
    QPushButton* Command1_ = nullptr;
    QPushButton* Command2_ = nullptr;
};

} // namespace tellumo
