// Base of the four result pages (score, details, caution points, advice):
// each stands at the client area's top-left corner under its centred title,
// offers the commands that keep the whole result (ResultExport.h), and ends
// in a row of buttons that lead on to another result page or end the program.
//
// Data flow: a page lists its buttons as ways (object name, caption, the
// page it leads to or none for "終了") in tab order; addWays() places them
// from the page's layout table, focuses the first and sends each click to
// follow(), which asks the host for the page change or the end.
#pragma once

#include "Page.h"
#include "PageLabel.h"

#include <QList>
#include <QString>

#include <initializer_list>
#include <span>
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
    // One button: where it leads; without a next page it ends the program.
    struct Way {
        const char* name;
        QString caption;
        PageHost::PageFactory next;
    };

    // `title` heads the page and names the result in the saving and
    // printing commands.
    ResultPage(PageHost& host, const QString& objectName, const PageLayout& layout,
               const QString& backgroundPicture, const QString& title, QWidget* parent);

    // Places the buttons at their rows of the layout, chains them in the
    // given order, focuses the first, and returns them in that order.
    QList<QPushButton*> addWays(std::initializer_list<Way> ways);

    // One label in the page font for each text, at the rows named in the
    // same order.
    void placeTexts(std::initializer_list<const char*> names, std::span<const QString> texts,
                    PageLabel::Breaks breaks = PageLabel::Breaks::Plain);

private:
    std::vector<std::pair<QString, PageHost::PageFactory>> ways_;
};

} // namespace tellumo
