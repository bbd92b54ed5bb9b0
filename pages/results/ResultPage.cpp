#include "ResultPage.h"

#include "Controls.h"
#include "Fonts.h"
#include "ResultExport.h"

#include <QPushButton>

namespace tellumo {

ResultPage::ResultPage(PageHost& host, const QString& objectName, PageSize size, const Place& titlePlace,
                       const QString& backgroundPicture, const QString& title, QWidget* parent)
    : Page(host, objectName, size, backgroundPicture, parent)
{
    move(0, 0);
    TELLUMO_NAMED(ui_, titleLabel,
                  makeLabel(this, {.text = title, .font = pageFont(), .at = titlePlace, .alignment = Qt::AlignHCenter}));
    ResultExport::addCommands(this, record(), title);
}

QPushButton* ResultPage::makeWay(const QString& caption, PageHost::PageFactory next)
{
    QPushButton* button = makeButton(this, {.text = caption, .font = pageFont()});
    connect(button, &QPushButton::clicked, this, [this, next] { leave(next); });
    if (ways_.empty())
        button->setFocus(Qt::OtherFocusReason);
    else
        setTabOrder(ways_.back().first, button);
    ways_.emplace_back(button, next);
    return button;
}

PageLabel* ResultPage::makeText(const QString& text, PageLabel::Breaks breaks)
{
    return makeLabel(this, {.text = text, .font = pageFont(), .breaks = breaks});
}

void ResultPage::follow(const QString& buttonName)
{
    for (const auto& [button, next] : ways_) {
        if (button->objectName() == buttonName) {
            leave(next);
            return;
        }
    }
}

void ResultPage::leave(PageHost::PageFactory next)
{
    if (next)
        host().replacePage(this, next);
    else
        host().endProgram(this);
}

} // namespace tellumo
