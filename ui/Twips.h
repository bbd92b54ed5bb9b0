// Layout units. Window layouts are written in twips (1/1440 inch) and fonts
// in points; on screen both become logical pixels at 15 twips (or 3/4 point)
// per pixel. Every conversion in the program goes through this file.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

namespace tellumo {

inline constexpr int TwipsPerPixel = 15;

// Twips to logical pixels, rounded to the nearest pixel.
constexpr int twips(int value)
{
    return value >= 0 ? (value + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-value + TwipsPerPixel / 2) / TwipsPerPixel);
}

constexpr QSize twipsSize(int width, int height) { return {twips(width), twips(height)}; }
constexpr QPoint twipsPoint(int left, int top) { return {twips(left), twips(top)}; }
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

// Points to logical pixels (1 pt = 20 twips). Fonts are sized in pixels so
// that text keeps its proportion to the twips layout at any screen DPI.
inline int pointsToPixels(double points)
{
    return static_cast<int>(std::lround(points * 20.0 / TwipsPerPixel));
}

} // namespace tellumo
