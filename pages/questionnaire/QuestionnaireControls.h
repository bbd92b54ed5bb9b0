// Building blocks of the three questionnaire pages: the one-line label, the
// text box, the borderless coloured group and the choice button.
//
// Data flow: a page makes these unnamed and unplaced; it names and places
// each one after its member of the page's controls struct (Placement.h), or,
// for the question rows, after the question (AnswerArray.h); focus order is
// chained last.
#pragma once

#include "Controls.h"

#include <QLineEdit>
#include <QList>
#include <QRadioButton>
#include <QString>

#include <span>

class QFont;
class QFrame;
class QPushButton;
class QWidget;

namespace tellumo::questionnaire {

// The options of a transparent one-line label (a PageLabel, not wrapped),
// black text, not yet placed.
LabelOptions lineLabel(const QString& text, const QFont& font, Qt::Alignment alignment = Qt::AlignLeft);

// A single-line text box. Each kind takes at most its
// maximum length; typing, pasting or setting more is cut there, which also
// keeps every keystroke's re-layout short.
enum class TextBoxKind { Text, Number };
// Longer than any real name, with room for spaces and a middle name.
inline constexpr int TextMaxLength = 40;
// Any age, height, weight or percentage, written with decimals.
inline constexpr int NumberMaxLength = 12;

// The text box of the personal data page.
//
// A Text box takes the input method: the platform's Japanese input composes
// in it, and a composition still open when the focus leaves (Tab, a click
// elsewhere, a button, a menu command, a message box) is committed into this
// box, never carried into the next control.
//
// A Number box is right-aligned and refuses the input method: it tells the
// platform so (Qt::ImEnabled is false, which Qt passes to the input context
// on every focus change), and drops any composition or commit an input
// method still sends it, so the keyboard types plain ASCII digits at once.
class TextBox : public QLineEdit {
    Q_OBJECT

public:
    TextBox(TextBoxKind kind, const QFont& font, QWidget* parent);

    TextBoxKind kind() const { return kind_; }
    // What the input method shows underlined in the box, not yet committed.
    const QString& composition() const { return composing_; }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void dropLoneHighSurrogate(const QString& text);

    TextBoxKind kind_;
    // The composition the input method shows in this box, not yet committed.
    QString composing_;
};

// A borderless group without caption, filled with the group colour. To
// assistive technology it is a group (not a frame), named by nameGroup().
QFrame* makeGroup(QWidget* parent);

// Names a group after the text that stands for it on the page (its label
// or question) and each of its choices "<that text>: <caption>", so that a
// choice read on its own still says which question it answers.
void nameGroup(QFrame* group, const QString& name);

// An option button filled with the choice colour. The whole coloured cell
// takes the click, not only the circle and the caption.
class ChoiceButton : public QRadioButton {
    Q_OBJECT

public:
    ChoiceButton(const QString& text, const QFont& font, QWidget* parent);

protected:
    bool hitButton(const QPoint& pos) const override;
};

} // namespace tellumo::questionnaire
