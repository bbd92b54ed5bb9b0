// The question rows of a question page, generated from the catalogue: for
// question q a label with its text (question<q>Label), a borderless group
// (question<q>Group) and one choice button per slot s (q<q>Choice<s>), whose
// index in the page's answer array is 10q+s. The buttons of one question
// form one exclusive QButtonGroup whose ids are the buttons' indexes. Group
// and buttons carry the question text as their accessible names
// ("Q1  疲れやすい: はい").
//
// Data flow: the page creates the rows, places labels and groups from its
// layout table and the buttons from its slot table; on "next" it passes
// isSelected() to StorePageAnswers, on "訂正" it calls clearAll().
#pragma once

#include <QList>

#include <map>
#include <span>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QFont;
class QWidget;

namespace tellumo::questionnaire {

// Place of slot 1, 2 or 3 inside every question's group (twips).
struct SlotPlace {
    int slot;
    int left, top, width, height;
};

class AnswerArray {
public:
    // Creates the labels and then the groups and buttons of catalogue page
    // cataloguePage.
    void create(QWidget* page, int cataloguePage, const QFont& font);

    // Places every button inside its group by its slot.
    void placeSlots(std::span<const SlotPlace> places);

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
        QButtonGroup* group;
    };
    std::vector<Row> rows_;
    std::map<int, QAbstractButton*> buttons_; // by index, ascending
};

} // namespace tellumo::questionnaire
