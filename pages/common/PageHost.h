// What a page needs from the window that holds it: the assessment record it
// reads and writes, a way to hand over to the next page and a way to end the
// program. The main window implements it; tests may supply their own.
#pragma once

#include <functional>

class QWidget;

namespace tellumo {

struct AssessmentRecord;

class PageHost {
public:
    using PageFactory = std::function<QWidget*(PageHost& host)>;

    virtual ~PageHost() = default;

    // The record of this run's assessment: the pages store their entries
    // into it and the result pages compute from it.
    virtual AssessmentRecord& record() = 0;

    // Closes and destroys `current`, then creates the next page with
    // makeNext and shows it at the top-left corner of the client area.
    // The switch happens once control is back in the event loop, so it is
    // safe to call from the current page's own button handlers; a second
    // request from a page that is already leaving is ignored.
    virtual void replacePage(QWidget* current, PageFactory makeNext) = 0;

    // Closes and destroys `current`, then closes the main window.
    virtual void endProgram(QWidget* current) = 0;
};

} // namespace tellumo
