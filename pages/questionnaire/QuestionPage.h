// The two question pages: Q1 to Q10 (Form2) and Q11 to Q19 (Form3, where
// Q14 to Q17 offer only two choices), one exclusive row of choices each.
//
// Data flow: the rows come from QuestionCatalogue; the forward button has
// StorePageAnswers write the page's AnswerCodes of Module1::Record, question
// by question, and stops with a message at the first unanswered one; a
// complete pass asks the host to replace the page with the next one (Form3,
// or the result page Form4).
#pragma once

#include "AnswerArray.h"
#include "Page.h"
#include "PageHost.h"
#include "QuestionnaireControls.h"

#include <span>

class QPushButton;

namespace tellumo {

// What sets one question page apart from the other: names, texts and places.
struct QuestionPageLayout {
    const char* objectName;
    int cataloguePage;
    const char* titleName;
    QString title;
    const char* introName;
    QString forwardCaption;
    std::span<const questionnaire::ControlPlace> places;
    std::span<const questionnaire::SlotPlace> slotPlaces;
    std::span<const char* const> questionLabels;
    PageHost::PageFactory next;
};

class QuestionPage : public Page {
    Q_OBJECT

public:
    QuestionPage(PageHost& host, const QuestionPageLayout& layout, QWidget* parent = nullptr);

private slots:
    void Command1_Click(); // 次へ / 判定
    void Command2_Click(); // 訂正

private:
    void createControls(const QuestionPageLayout& layout);
    void placeControls(const QuestionPageLayout& layout);
    void orderFocus();
    void connectSignals();

    int cataloguePage_;
    PageHost::PageFactory next_;
    questionnaire::AnswerArray answers_;
    QPushButton* Command1_ = nullptr;
    QPushButton* Command2_ = nullptr;
};

class Form2 : public QuestionPage {
    Q_OBJECT

public:
    explicit Form2(PageHost& host, QWidget* parent = nullptr);
};

class Form3 : public QuestionPage {
    Q_OBJECT

public:
    explicit Form3(PageHost& host, QWidget* parent = nullptr);
};

} // namespace tellumo
