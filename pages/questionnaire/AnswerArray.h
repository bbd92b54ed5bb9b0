// The question rows of a question page, generated from the catalogue: for
// question q a label with its text (question<q>Label), a borderless group
// (question<q>Group) and one choice button per slot s (q<q>Choice<s>), whose
// index in the page's answer array is 10q+s. The buttons of one question
// form one exclusive QButtonGroup whose ids are the buttons' indexes. Group
// and buttons carry the question text as their accessible names
// ("Q1  疲れやすい: はい").
//
// Data flow: the page creates the rows, places labels and groups by its
// QuestionRows (the first label by its own place where the layout gives one)
// and the buttons by its choice slots; on "next" it passes
// isSelected() to StorePageAnswers, on "訂正" it calls clearAll().
#pragma once

#include "PageLayouts.h"

#include <QList>

#include <map>
#include <span>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QFont;
class QWidget;

namespace tellumo::questionnaire {

class AnswerArray {
public:
    // Creates the labels and then the groups and buttons of catalogue page
    // cataloguePage.
    void create(QWidget* page, int cataloguePage, const QFont& font);

    // Places the labels and groups row by row, from the top down; firstLabel,
    // when given, places the first question's label instead.
    void placeRows(const QuestionRows& rows, const std::optional<Place>& firstLabel);
    // Places every button inside its group by its slot.
    void placeSlots(const ChoiceSlots& choices);

    // The button with that index, or nullptr when the page has none.
    QAbstractButton* answer(int index) const;
    bool isSelected(int index) const;

    // Deselects every button, in ascending index order.
    void clearAll();

    // Question by question: middle, right, left; a two-choice question left, right.
    QList<QWidget*> focusOrder() const;

private:
    struct Row {
        int question;
        QWidget* label;
        QWidget* frame;
        QButtonGroup* group;
    };
    std::vector<Row> rows_;
    std::map<int, QAbstractButton*> buttons_; // by index, ascending
};

} // namespace tellumo::questionnaire
