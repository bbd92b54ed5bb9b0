#include "Placement.h"

#include "Controls.h"
#include "Twips.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace tellumo {

PageLabel* placeLabel(QWidget* parent, const Placement& at, const QString& text, const QFont& font,
                      bool centred)
{
    return makeLabel(parent, QString::fromLatin1(at.name), text, at.left, at.top, at.width, at.height,
                     font, centred);
}

QPushButton* placeButton(QWidget* parent, const Placement& at, const QString& text, const QFont& font)
{
    return makeButton(parent, QString::fromLatin1(at.name), text, at.left, at.top, at.width, at.height,
                      font);
}

namespace {
QWidget* namedChild(QWidget* window, const char* name)
{
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
    if (!widget)
        throw std::logic_error("layout table names a control the window does not have");
    return widget;
}
} // namespace

void applyPlacements(QWidget* window, std::span<const Placement> table)
{
    for (const Placement& row : table)
        namedChild(window, row.name)->setGeometry(twipsRect(row.left, row.top, row.width, row.height));
}

void orderTabsByIndex(QWidget* window, std::span<const Placement> table)
{
    std::vector<Placement> rows(table.begin(), table.end());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Placement& a, const Placement& b) { return a.tabIndex < b.tabIndex; });
    QList<QWidget*> order;
    for (const Placement& row : rows) {
        QWidget* widget = namedChild(window, row.name);
        if (row.tabIndex >= 0 && (widget->focusPolicy() & Qt::TabFocus))
            order << widget;
    }
    chainFocus(order);
}

void chainFocus(const QList<QWidget*>& order)
{
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace tellumo
