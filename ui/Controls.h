// Small factories for the controls that the pages and dialogs place by twips.
#pragma once

#include "PageLabel.h"

#include <QPushButton>
#include <QString>

class QFont;
class QWidget;

namespace tellumo {

// A command button that Return and Enter press when it has the focus, as
// Space does. It is never a dialog's automatic default button, so Return on
// another control does not reach it.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    CommandButton(const QString& text, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A transparent label at the given place (twips relative to parent), its
// lines one em apart.
PageLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text,
                     int left, int top, int width, int height, const QFont& font,
                     bool centred = false, bool wordWrap = true,
                     PageLabel::Breaks breaks = PageLabel::Breaks::Plain);

// Sets the colour a label's text is drawn in.
void setTextColour(QWidget* label, const QColor& colour);

// A CommandButton with its name, caption and font, not yet placed.
QPushButton* createButton(QWidget* parent, const QString& objectName, const QString& text,
                          const QFont& font);

// The same button at the given place (twips relative to parent).
QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& text,
                        int left, int top, int width, int height, const QFont& font);

} // namespace tellumo
