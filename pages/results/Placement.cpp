#include "Placement.h"

#include "Controls.h"
#include "PageLabel.h"
#include "Twips.h"

#include <QLabel>
#include <QPushButton>

namespace tellumo {

namespace {

QLabel* makePageLabel(QWidget* page, const Placement& at, const QString& text, const QFont& font,
                      bool centred, PageLabel::Breaks breaks)
{
    auto* label = new PageLabel(text, breaks, page);
    label->setObjectName(QString::fromLatin1(at.name));
    label->setGeometry(twipsRect(at.left, at.top, at.width, at.height));
    label->setFont(font);
    label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

} // namespace

QLabel* placeLabel(QWidget* page, const Placement& at, const QString& text, const QFont& font,
                   bool centred)
{
    return makePageLabel(page, at, text, font, centred, PageLabel::Breaks::Plain);
}

QLabel* placeContinuationLabel(QWidget* page, const Placement& at, const QString& text,
                               const QFont& font)
{
    return makePageLabel(page, at, text, font, false, PageLabel::Breaks::SpaceRunContinues);
}

QPushButton* placeButton(QWidget* page, const Placement& at, const QString& text, const QFont& font)
{
    return makeButton(page, QString::fromLatin1(at.name), text, at.left, at.top, at.width, at.height,
                      font);
}

} // namespace tellumo
