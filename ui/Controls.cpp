#include "Controls.h"

#include <QKeyEvent>

namespace tellumo {

CommandButton::CommandButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    setAutoDefault(false);
    setDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // A held Return presses once, like a held Space.
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void setTextColour(QWidget* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

PageLabel* makeLabel(QWidget* parent, const LabelOptions& options)
{
    auto* label = new PageLabel(options.text, options.breaks, parent);
    if (options.at)
        place(label, *options.at);
    label->setFont(options.font);
    label->setAlignment(options.alignment | Qt::AlignTop);
    label->setWordWrap(options.wordWrap);
    if (options.colour)
        setTextColour(label, *options.colour);
    return label;
}

QPushButton* makeButton(QWidget* parent, const ButtonOptions& options)
{
    auto* button = new CommandButton(options.text, parent);
    button->setFont(options.font);
    if (options.at)
        place(button, *options.at);
    return button;
}

} // namespace tellumo
