// Where a window's controls stand, checked by the compiler: each window
// keeps its controls in a struct of named members and its layout in a struct
// of Places with members of the same names (pages/common/PageLayouts.h), so
// a control renamed or left out on either side does not build. Places are in
// twips relative to the control's parent (inside a group: relative to the
// group); Twips.h turns them into pixels.
//
// Data flow: a window makes each control with TELLUMO_PLACED, which stores
// it in its member, names the object after that member (the name the tests
// and assistive technology find it by) and gives it the Place of the same
// name; the window then chains the focus through a list of its members
// (chainFocus).
#pragma once

#include <QList>
#include <QString>

#include <type_traits>

class QWidget;

namespace tellumo {

// One control's Left, Top, Width and Height in twips. It has no default, so
// a layout struct that leaves a control out does not build.
struct Place {
    constexpr Place(int leftTwips, int topTwips, int widthTwips, int heightTwips)
        : left(leftTwips), top(topTwips), width(widthTwips), height(heightTwips)
    {
    }
    int left;
    int top;
    int width;
    int height;
};
static_assert(!std::is_default_constructible_v<Place>,
              "a layout struct that leaves a control out must not build");

// Gives the widget its place.
void place(QWidget* widget, const Place& at);

// Chains the widgets in the given order.
void chainFocus(const QList<QWidget*>& order);

} // namespace tellumo

// `controls.member = make`, and the object named "member": the control's
// object name is its member's name, written once.
#define TELLUMO_NAMED(controls, member, make)                                                      \
    ((controls).member = (make), (controls).member->setObjectName(QStringLiteral(#member)),       \
     (controls).member)

// As TELLUMO_NAMED, and the control given the place `layout.member`.
#define TELLUMO_PLACED(controls, layout, member, make)                                             \
    (TELLUMO_NAMED(controls, member, make), ::tellumo::place((controls).member, (layout).member),  \
     (controls).member)
