#include "Placement.h"

#include "Controls.h"

#include <QLabel>
#include <QPushButton>

namespace tellumo {

PageLabel* placeLabel(QWidget* page, const Placement& at, const QString& text, const QFont& font,
                      bool centred)
{
    return makeLabel(page, QString::fromLatin1(at.name), text, at.left, at.top, at.width, at.height,
                     font, centred);
}

QLabel* placeContinuationLabel(QWidget* page, const Placement& at, const QString& text,
                               const QFont& font)
{
    return makeLabel(page, QString::fromLatin1(at.name), text, at.left, at.top, at.width, at.height,
                     font, false, true, PageLabel::Breaks::SpaceRunContinues);
}

QPushButton* placeButton(QWidget* page, const Placement& at, const QString& text, const QFont& font)
{
    return makeButton(page, QString::fromLatin1(at.name), text, at.left, at.top, at.width, at.height,
                      font);
}

} // namespace tellumo
