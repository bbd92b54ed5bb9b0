// Layout tables of the result pages: each page lists where its controls
// stand, in twips relative to the page, and creates each control from its
// row by name; Twips.h turns the twips into pixels.
#pragma once

#include <QString>
#include <span>
#include <stdexcept>
#include <string_view>

class QFont;
class QLabel;
class QPushButton;
class QWidget;

namespace tellumo {

class PageLabel;

// One control's place: its object name and Left, Top, Width, Height in twips.
struct Placement {
    const char* name;
    int left;
    int top;
    int width;
    int height;
};

// The row of `name` in a page's table. A name missing from the table is a
// programming error in the page.
constexpr const Placement& placementOf(std::span<const Placement> table, std::string_view name)
{
    for (const Placement& row : table)
        if (name == row.name)
            return row;
    throw std::logic_error("control missing from the page's layout table");
}

// A transparent, word-wrapping PageLabel at its row's place.
PageLabel* placeLabel(QWidget* page, const Placement& at, const QString& text, const QFont& font,
                      bool centred = false);
// The same for a text whose runs of spaces start an indented continuation
// line (PageLabel::Breaks::SpaceRunContinues).
QLabel* placeContinuationLabel(QWidget* page, const Placement& at, const QString& text,
                               const QFont& font);
// A command button at its row's place.
QPushButton* placeButton(QWidget* page, const Placement& at, const QString& text, const QFont& font);

} // namespace tellumo
