#include "InputGuard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <chrono>
#include <limits>

namespace tellumo {

InputGuard::InputGuard(QWidget* area, Clock clock)
    : QObject(area), area_(area), clock_(std::move(clock)),
      shownAt_(-std::numeric_limits<double>::infinity())
{
    qApp->installEventFilter(this);
}

InputGuard::~InputGuard()
{
    qApp->removeEventFilter(this);
}

double InputGuard::steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void InputGuard::pageShown()
{
    shownAt_ = clock_();
    keysIgnored_.unite(keysDown_);
}

bool InputGuard::settling() const
{
    return clock_() - shownAt_ < SettleSeconds;
}

bool InputGuard::inArea(QObject* receiver) const
{
    auto* widget = qobject_cast<QWidget*>(receiver);
    return widget && (widget == area_ || area_->isAncestorOf(widget));
}

bool InputGuard::dropKey(const QKeyEvent& event, bool toArea)
{
    const int key = event.key();
    const bool press = event.type() == QEvent::KeyPress;
    const bool physical = !event.isAutoRepeat();
    // Which keys are down is followed everywhere, so that a key held while
    // one page leaves is known when the next one appears.
    if (physical) {
        if (press)
            keysDown_.insert(key);
        else
            keysDown_.remove(key);
    }
    if (!toArea)
        return false;
    if (keysIgnored_.contains(key)) {
        if (!press && physical)
            keysIgnored_.remove(key);
        return true;
    }
    if (press && settling()) {
        keysIgnored_.insert(key);
        return true;
    }
    return false;
}

bool InputGuard::dropMouse(const QMouseEvent& event, bool toArea)
{
    if (!toArea)
        return false;
    const Qt::MouseButton button = event.button();
    if (buttonsIgnored_ & button) {
        if (event.type() == QEvent::MouseButtonRelease)
            buttonsIgnored_ &= ~button;
        return true;
    }
    if (event.type() != QEvent::MouseButtonRelease && settling()) {
        buttonsIgnored_ |= button;
        return true;
    }
    return false;
}

bool InputGuard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return dropKey(*static_cast<QKeyEvent*>(event), inArea(watched));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return dropMouse(*static_cast<QMouseEvent*>(event), inArea(watched));
    default:
        return false;
    }
}

} // namespace tellumo
