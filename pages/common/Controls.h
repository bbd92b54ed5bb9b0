// Small factories for the controls that the pages and dialogs place by twips.
#pragma once

#include "PageLabel.h"

#include <QString>

class QFont;
class QPushButton;
class QWidget;

namespace tellumo {

// A transparent label at the given place (twips relative to parent), its
// lines one em apart.
PageLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text,
                     int left, int top, int width, int height, const QFont& font,
                     bool centred = false, bool wordWrap = true,
                     PageLabel::Breaks breaks = PageLabel::Breaks::Plain);

// A command button that is never a default button (Enter is not bound to it).
QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& text,
                        int left, int top, int width, int height, const QFont& font);

} // namespace tellumo
