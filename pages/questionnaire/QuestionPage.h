// The two question pages, Q1 to Q10 and Q11 to Q19 (where Q14 to Q17 offer
// only two choices): one class, fed by one layout per page, with one
// exclusive row of choices per question.
//
// Data flow: the rows come from QuestionCatalogue; the forward button has
// StorePageAnswers write the page's AnswerCodes of the host's record, question
// by question, and stops with a message at the first unanswered one; a
// complete pass asks the host to replace the page with the next one (the
// page of Q11 to Q19, or the score page).
#pragma once

#include "AnswerArray.h"
#include "Page.h"
#include "PageHost.h"
#include "QuestionnaireControls.h"

#include <span>

class QPushButton;

namespace tellumo {

class PageLabel;

// The controls every question page has, each named and placed after its
// member; the question rows are the page's AnswerArray.
struct QuestionPageControls {
    PageLabel* titleLabel;
    PageLabel* introLabel;
    QPushButton* nextButton;
    QPushButton* clearButton;
};

// What sets one question page apart from the other: names, texts, places
// and the page that follows.
struct QuestionPageContent {
    const char* objectName;
    int cataloguePage;
    const char* title;       // UTF-8
    const char* nextCaption; // UTF-8
    const QuestionPageLayout& layout;
    QWidget* (*next)(PageHost& host);
};

class QuestionPage : public Page {
    Q_OBJECT

public:
    QuestionPage(PageHost& host, const QuestionPageContent& content, QWidget* parent = nullptr);

private slots:
    void onNext(); // 次へ / 判定
    void onClear(); // 訂正

private:
    void makeControls(const QuestionPageContent& content);
    void placeRows(const QuestionPageLayout& layout);
    void orderFocus();
    void connectSignals();

    int cataloguePage_;
    PageHost::PageFactory next_;
    QuestionPageControls ui_{};
    questionnaire::AnswerArray answers_;
};

} // namespace tellumo
