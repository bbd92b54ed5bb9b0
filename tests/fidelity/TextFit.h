// Finds the texts a window cannot show whole: for every visible label,
// button, choice, text box and rich-text line, where its text goes with the
// widget's own font, wrapping and size, against the room it has there.
#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

namespace tellumo::testing {

struct TextFit {
    QString control; // object name
    QRect text;      // where the text goes, logical pixels in the control
    QRect room;      // where it may go without being cut
};

// The text controls of `window` that are shown (or will be, once the window
// is) with the place each one's text takes and the room it has.
QList<TextFit> measureTexts(QWidget* window);

// "titleLabel: text 0,0 358x24 in 0,0 358x23", one for each control whose text
// does not fit.
QStringList clippedTexts(QWidget* window);

// The text without the line breaks it ends in: they add empty lines only.
QString withoutTrailingBreaks(QString text);

} // namespace tellumo::testing
