// The first question page: Q1 to Q10, one exclusive row of choices each.
//
// Data flow: the rows come from QuestionCatalogue page 1; "次へ" has
// StorePageAnswers write AnswerCodes 1..10 of Module1::Record, question by
// question, and stops with a message at the first unanswered one; a complete
// pass asks the host to replace this page with Form3.
#pragma once

#include "AnswerArray.h"
#include "Page.h"

class QPushButton;

namespace tellumo {

class Form2 : public Page {
    Q_OBJECT

public:
    explicit Form2(PageHost& host, QWidget* parent = nullptr);

private slots:
    void Command1_Click(); // 次へ
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
