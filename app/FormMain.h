// The main window: a multiple-document frame whose client area shows one
// page at a time, and a menu bar of five commands that open the information
// dialogs modally.
//
// Data flow: MDIForm_Load shows the first page; each page asks the window
// (as its PageHost) to replace it with the next one or to end the program.
#pragma once

#include "InputGuard.h"
#include "PageHost.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QMdiArea;
class QMdiSubWindow;

namespace tellumo {

class FormMain : public QMainWindow, public PageHost {
    Q_OBJECT

public:
    // With inputClock, input given for one page is kept from acting on the
    // next (InputGuard); without it every event reaches the pages at once.
    explicit FormMain(InputGuard::Clock inputClock = {}, QWidget* parent = nullptr);
    ~FormMain() override;

    void replacePage(QWidget* current, PageFactory makeNext) override;
    void endProgram(QWidget* current) override;

    // The page shown now, or nullptr.
    QWidget* currentPage() const;
    QMdiArea* clientArea() const { return mdiArea_; }

    // Shows the window centred on its screen and runs MDIForm_Load.
    void showCentred();

private slots:
    void Menu2_Click();
    void Menu3_Click();
    void Menu4_Click();
    void Menu5_Click();
    void Menu6_Click();

private:
    void createControls();
    void createMenu();
    void MDIForm_Load();
    void showPage(QWidget* page);
    void closeCurrentPage();
    // Starts leaving `current` unless it is not the page shown or is already
    // leaving; a page that is leaving takes no more input.
    bool beginLeaving(QWidget* current);

    QMdiArea* mdiArea_ = nullptr;
    InputGuard* inputGuard_ = nullptr;
    QPointer<QMdiSubWindow> current_;
    bool leaving_ = false;
};

} // namespace tellumo
