#include "ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tellumo {

QPoint centredPosition(QSize frameSize, const QRect& available)
{
    const int left = available.left() + (available.width() - frameSize.width()) / 2;
    const int top = available.top() + (available.height() - frameSize.height()) / 2;
    return {std::max(left, available.left()), std::max(top, available.top())};
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Before the window is first shown the frame's size is not known yet; its
    // contents' size is the best guess, and the title bar then sits at worst
    // slightly below the centre.
    const QSize frame = window->frameGeometry().size().expandedTo(window->size());
    window->move(centredPosition(frame, screen->availableGeometry()));
}

} // namespace tellumo
