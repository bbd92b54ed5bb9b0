// Where top-level windows (the splash, the main window, the information
// dialogs) open: centred on the available area of their screen, but never
// with their top-left corner, and so their title bar, above or left of it.
// A window larger than the area opens at the area's top-left corner.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tellumo {

// The frame's top-left corner for a window whose frame is frameSize.
QPoint centredPosition(QSize frameSize, const QRect& available);

// Moves the top-level `window` there on its screen (the primary screen
// before it has one).
void centreOnScreen(QWidget* window);

} // namespace tellumo
