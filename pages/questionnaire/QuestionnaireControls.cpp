#include "QuestionnaireControls.h"

#include "Controls.h"
#include "Page.h"
#include "PageLabel.h"
#include "Twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace tellumo::questionnaire {

namespace {
// Fills the widget's background; buttons paint their background from the
// Button role, plain widgets from the Window role.
void fill(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The groups' class; the accessibility factory below knows it by name.
class ChoiceGroup : public QFrame {
    Q_OBJECT

public:
    using QFrame::QFrame;
};

QAccessibleInterface* groupAccessibility(const QString& className, QObject* object)
{
    if (className == QLatin1String(ChoiceGroup::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    return nullptr;
}
} // namespace

LabelOptions lineLabel(const QString& text, const QFont& font, Qt::Alignment alignment)
{
    // No fill: the page's framed picture shows through.
    return {.text = text, .font = font, .alignment = alignment, .wordWrap = false, .colour = QColor(Qt::black)};
}

TextBox::TextBox(TextBoxKind kind, const QFont& font, QWidget* parent)
    : QLineEdit(parent)
    , kind_(kind)
{
    setFont(font);
    setMaxLength(kind == TextBoxKind::Number ? NumberMaxLength : TextMaxLength);
    connect(this, &QLineEdit::textChanged, this, &TextBox::dropLoneHighSurrogate);
    if (kind == TextBoxKind::Number) {
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setAttribute(Qt::WA_InputMethodEnabled, false);
        setInputMethodHints(Qt::ImhFormattedNumbersOnly | Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
    } else {
        // Qt has no hint that asks for Japanese (or hiragana) input: the
        // input method keeps the mode the user last chose.
        setAttribute(Qt::WA_InputMethodEnabled, true);
    }
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // QLineEdit answers ImEnabled from its read-only state alone, whatever
    // WA_InputMethodEnabled says.
    if (query == Qt::ImEnabled && kind_ == TextBoxKind::Number)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (kind_ == TextBoxKind::Number) {
        // Late text from a composition begun in another box.
        event->accept();
        return;
    }
    composing_ = event->preeditString();
    QLineEdit::inputMethodEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    // A popup over this box (its own context menu) leaves the composition
    // open; every other way out commits it here. The input method is then
    // reset, so it does not commit the same text again wherever the focus
    // has gone.
    if (!composing_.isEmpty() && event->reason() != Qt::PopupFocusReason) {
        QInputMethodEvent commit;
        commit.setCommitString(composing_);
        inputMethodEvent(&commit);
        QGuiApplication::inputMethod()->reset();
    }
    QLineEdit::focusOutEvent(event);
}

void TextBox::dropLoneHighSurrogate(const QString& text)
{
    // The length is counted in UTF-16 units, so the cut can fall inside a
    // character beyond the 16-bit range (an emoji); its lone first half,
    // which is no text at all, goes.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && (i + 1 == text.size() || !text[i + 1].isLowSurrogate())) {
            const int cursor = cursorPosition();
            setText(QString(text).remove(i, 1));
            setCursorPosition(cursor > i ? cursor - 1 : cursor);
            return;
        }
    }
}

QFrame* makeGroup(QWidget* parent)
{
    [[maybe_unused]] static const bool factoryInstalled = [] {
        QAccessible::installFactory(groupAccessibility);
        return true;
    }();

    auto* group = new ChoiceGroup(parent);
    group->setFrameShape(QFrame::NoFrame);
    fill(group, GroupColour);
    return group;
}

void nameGroup(QFrame* group, const QString& name)
{
    group->setAccessibleName(name);
    for (QAbstractButton* choice : group->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        choice->setAccessibleName(name + QStringLiteral(": ") + choice->text());
}

ChoiceButton::ChoiceButton(const QString& text, const QFont& font, QWidget* parent)
    : QRadioButton(text, parent)
{
    setFont(font);
    fill(this, ChoiceColour);
}

bool ChoiceButton::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

} // namespace tellumo::questionnaire

#include "QuestionnaireControls.moc"
