// Keeps input that the user gave for one page from acting on the next one:
// a second press of Space or Return on "次へ" must not answer the next
// page's first question, a double press on "判定" must not press "終了" on
// the score page, a burst of clicks must not skip a page.
//
// Data flow: the main window calls pageShown() each time a page appears.
// For SettleSeconds after that, key presses and mouse-button presses in the
// page area are dropped, and so is everything that follows from a dropped
// press until its key or button is released; a key that was already held
// down when the page appeared (auto-repeat) stays ignored until it is
// released. Input outside the page area (the menu bar, dialogs, message
// boxes) is never touched. Time comes from the injected clock.
#pragma once

#include <QObject>
#include <QSet>

#include <functional>

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace tellumo {

class InputGuard : public QObject {
    Q_OBJECT

public:
    // Seconds on a clock that never goes backwards.
    using Clock = std::function<double()>;

    // Long enough to cover a double press or key auto-repeat's first delay,
    // short enough that a deliberate press on a page that has just appeared
    // is not lost.
    static constexpr double SettleSeconds = 0.25;

    // Guards the page area `area` (the main window's client area).
    InputGuard(QWidget* area, Clock clock);
    ~InputGuard() override;

    // Seconds of the process's monotonic clock.
    static double steadySeconds();

    // A new page is on screen: start settling.
    void pageShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inArea(QObject* receiver) const;
    bool settling() const;
    bool dropKey(const QKeyEvent& event, bool toArea);
    bool dropMouse(const QMouseEvent& event, bool toArea);

    QWidget* area_;
    Clock clock_;
    double shownAt_;
    // Keys down now, and keys whose input is dropped until their release.
    QSet<int> keysDown_;
    QSet<int> keysIgnored_;
    Qt::MouseButtons buttonsIgnored_;
};

} // namespace tellumo
