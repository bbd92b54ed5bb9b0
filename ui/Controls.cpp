#include "Controls.h"

#include "Twips.h"

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

QPushButton* createButton(QWidget* parent, const QString& objectName, const QString& text,
                          const QFont& font)
{
    auto* button = new CommandButton(text, parent);
    button->setObjectName(objectName);
    button->setFont(font);
    return button;
}

PageLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text,
                     int left, int top, int width, int height, const QFont& font,
                     bool centred, bool wordWrap, PageLabel::Breaks breaks)
{
    auto* label = new PageLabel(text, breaks, parent);
    label->setObjectName(objectName);
    label->setGeometry(twipsRect(left, top, width, height));
    label->setFont(font);
    label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(wordWrap);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& text,
                        int left, int top, int width, int height, const QFont& font)
{
    QPushButton* button = createButton(parent, objectName, text, font);
    button->setGeometry(twipsRect(left, top, width, height));
    return button;
}

} // namespace tellumo
