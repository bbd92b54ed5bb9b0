#include "ResultPage.h"

#include "Controls.h"
#include "Fonts.h"
#include "ResultExport.h"

#include <QPushButton>

#include <stdexcept>

namespace tellumo {

ResultPage::ResultPage(PageHost& host, const QString& objectName, const PageLayout& layout,
                       const QString& backgroundPicture, const QString& title, QWidget* parent)
    : Page(host, objectName, layout, backgroundPicture, parent)
{
    move(0, 0);
    placeLabel(this, at("titleLabel"), title, pageFont(), true);
    ResultExport::addCommands(this, record(), title);
}

QList<QPushButton*> ResultPage::addWays(std::initializer_list<Way> ways)
{
    QList<QPushButton*> buttons;
    for (const Way& way : ways) {
        QPushButton* button = placeButton(this, at(way.name), way.caption, pageFont());
        const QString name = QString::fromLatin1(way.name);
        connect(button, &QPushButton::clicked, this, [this, name] { follow(name); });
        if (!buttons.isEmpty())
            setTabOrder(buttons.last(), button);
        buttons << button;
        ways_.emplace_back(name, way.next);
    }
    if (!buttons.isEmpty())
        buttons.first()->setFocus(Qt::OtherFocusReason);
    return buttons;
}

void ResultPage::placeTexts(std::initializer_list<const char*> names, std::span<const QString> texts,
                            PageLabel::Breaks breaks)
{
    auto text = texts.begin();
    for (const char* name : names) {
        if (text == texts.end())
            throw std::logic_error("a result page names more labels than it has texts");
        const Placement& place = at(name);
        makeLabel(this, QString::fromLatin1(place.name), *text++, place.left, place.top, place.width,
                  place.height, pageFont(), false, true, breaks);
    }
}

void ResultPage::follow(const QString& buttonName)
{
    for (const auto& [name, next] : ways_) {
        if (name != buttonName)
            continue;
        if (next)
            host().replacePage(this, next);
        else
            host().endProgram(this);
        return;
    }
}

} // namespace tellumo
