// The one way the windows make their labels and command buttons: an options
// struct with designated initialisers, e.g.
//   makeLabel(this, {.text = title, .font = pageFont(), .at = layout.titleLabel,
//                    .alignment = Qt::AlignHCenter})
// The object name is given by the caller (TELLUMO_NAMED in Placement.h).
#pragma once

#include "PageLabel.h"
#include "Placement.h"

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QString>

#include <optional>

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

struct LabelOptions {
    QString text;
    QFont font;
    // Where it stands; without a place the window places it later.
    std::optional<Place> at = std::nullopt;
    // Horizontal; the text always starts at the top.
    Qt::Alignment alignment = Qt::AlignLeft;
    bool wordWrap = true;
    PageLabel::Breaks breaks = PageLabel::Breaks::Plain;
    // The text's colour; without one, the palette's.
    std::optional<QColor> colour = std::nullopt;
};

// A transparent label, its lines one em apart.
PageLabel* makeLabel(QWidget* parent, const LabelOptions& options);

struct ButtonOptions {
    QString text;
    QFont font;
    std::optional<Place> at = std::nullopt;
};

// A CommandButton with its caption and font.
QPushButton* makeButton(QWidget* parent, const ButtonOptions& options);

// Sets the colour a label's text is drawn in.
void setTextColour(QWidget* label, const QColor& colour);

} // namespace tellumo
