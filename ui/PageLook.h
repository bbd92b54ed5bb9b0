// The pages' colours and background pictures: the pages paint them, the
// printed result (report/) borrows them for its frames and header.
#pragma once

#include <QColor>
#include <QString>

namespace tellumo {

inline const QColor PageColour(192, 255, 255);
inline const QColor GroupColour(210, 255, 255);
inline const QColor ChoiceColour(128, 255, 255);

inline const QString CyanBackground = QStringLiteral(":/pictures/page-cyan.jpg");
inline const QString YellowBackground = QStringLiteral(":/pictures/page-yellow.jpg");

} // namespace tellumo
