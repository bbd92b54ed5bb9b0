// Layout tables: every window lists where its controls stand, in twips
// relative to their parent (inside a group: relative to the group), keyed
// by the controls' object names; Twips.h turns the twips into pixels.
//
// Data flow: a window either creates each control from its row
// (placeLabel, placeButton) or creates its controls with their names first
// and hands the whole table to applyPlacements(), which finds each one by
// name; orderTabsByIndex() then chains the focus by the rows' tab indexes.
#pragma once

#include <QList>
#include <QString>
#include <span>
#include <stdexcept>
#include <string_view>

class QFont;
class QPushButton;
class QWidget;

namespace tellumo {

class PageLabel;

// One control's place: its object name, Left, Top, Width, Height in twips
// and its tab index (-1 where the tab order is not given by the table).
struct Placement {
    const char* name;
    int left;
    int top;
    int width;
    int height;
    int tabIndex = -1;
};

// The row of `name` in a table. A name missing from the table is a
// programming error in the window.
constexpr const Placement& placementOf(std::span<const Placement> table, std::string_view name)
{
    for (const Placement& row : table)
        if (name == row.name)
            return row;
    throw std::logic_error("control missing from the window's layout table");
}

// A transparent, word-wrapping PageLabel at its row's place.
PageLabel* placeLabel(QWidget* parent, const Placement& at, const QString& text, const QFont& font,
                      bool centred = false);
// A command button at its row's place.
QPushButton* placeButton(QWidget* parent, const Placement& at, const QString& text, const QFont& font);

// Gives every control named in the table its place. Each name must belong
// to exactly one child of `window`.
void applyPlacements(QWidget* window, std::span<const Placement> table);

// Chains the focusable controls named in the table in ascending tab index;
// controls that cannot take focus by Tab are left out.
void orderTabsByIndex(QWidget* window, std::span<const Placement> table);

// Chains the widgets in the given order.
void chainFocus(const QList<QWidget*>& order);

} // namespace tellumo
