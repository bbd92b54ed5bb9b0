// Base of the four result pages (score, details, caution points, advice):
// each stands at the client area's top-left corner under its centred title,
// offers the commands that keep the whole result (ResultExport.h), and ends
// in a row of buttons that lead on to another result page or end the program.
//
// Data flow: a page makes its buttons as ways (caption, the page it leads to
// or none for "終了") in tab order with makeWay(), then names and places each
// after its member (Placement.h); the first is focused, and a click asks the
// host for the page change or the end, as follow() does for a button's name.
#pragma once

#include "Page.h"
#include "PageLabel.h"

#include <QList>
#include <QString>

#include <utility>
#include <vector>

class QPushButton;

namespace tellumo {

class ResultPage : public Page {
    Q_OBJECT

public:
    // Leaves the page the way the button of that name leads; what a click on
    // the button does.
    Q_INVOKABLE void follow(const QString& buttonName);

protected:
    // `title` heads the page at `titlePlace` (titleLabel) and names the
    // result in the saving and printing commands.
    ResultPage(PageHost& host, const QString& objectName, PageSize size, const Place& titlePlace,
               const QString& backgroundPicture, const QString& title, QWidget* parent);

    // A button that leads to `next`; without a next page it ends the
    // program. The buttons made so are chained in the order made, and the
    // first has the focus.
    QPushButton* makeWay(const QString& caption, PageHost::PageFactory next);

    // A word-wrapping label in the page font.
    PageLabel* makeText(const QString& text, PageLabel::Breaks breaks = PageLabel::Breaks::Plain);

private:
    void leave(PageHost::PageFactory next);

    struct {
        PageLabel* titleLabel;
    } ui_{};
    std::vector<std::pair<QPushButton*, PageHost::PageFactory>> ways_;
};

} // namespace tellumo
