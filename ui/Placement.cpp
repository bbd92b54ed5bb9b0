#include "Placement.h"

#include "Twips.h"

#include <QWidget>

namespace tellumo {

void place(QWidget* widget, const Place& at)
{
    widget->setGeometry(twipsRect(at.left, at.top, at.width, at.height));
}

void chainFocus(const QList<QWidget*>& order)
{
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace tellumo
