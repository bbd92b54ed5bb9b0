#include "Controls.h"

#include "Twips.h"

#include <QPushButton>

namespace tellumo {

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
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setGeometry(twipsRect(left, top, width, height));
    button->setFont(font);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace tellumo
