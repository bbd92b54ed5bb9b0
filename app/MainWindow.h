// The main window: a multiple-document frame whose client area shows one
// page at a time, and a menu bar of five commands that open the information
// dialogs modally.
//
// It stays a multiple-document frame (QMdiArea) on purpose, though only one
// page is ever open: the program is built as a frame with its pages as
// child windows, each placed borderless at the client area's top-left
// corner under the frame's menu bar, and a page change removes one child
// and adds the next to the same frame.
//
// Data flow: showFirstPage shows the first page; each page asks the window
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

class MainWindow : public QMainWindow, public PageHost {
    Q_OBJECT

public:
    // With inputClock, input given for one page is kept from acting on the
    // next (InputGuard); without it every event reaches the pages at once.
    // The window serves `record` (which outlives it) to its pages.
    explicit MainWindow(AssessmentRecord& record, InputGuard::Clock inputClock = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    AssessmentRecord& record() override { return record_; }
    void replacePage(QWidget* current, PageFactory makeNext) override;
    void endProgram(QWidget* current) override;

    // The page shown now, or nullptr.
    QWidget* currentPage() const;
    QMdiArea* clientArea() const { return mdiArea_; }

    // Shows the window centred on its screen and runs showFirstPage.
    void showCentred();

private slots:
    void showCopyright();
    void showDisclaimer();
    void showRedistribution();
    void showMedicalBasis();
    void showVersion();

private:
    void makeControls();
    void makeMenu();
    void showFirstPage();
    void showPage(QWidget* page);
    void closeCurrentPage();
    // Starts leaving `current` unless it is not the page shown or is already
    // leaving; a page that is leaving takes no more input.
    bool beginLeaving(QWidget* current);

    QMdiArea* mdiArea_ = nullptr;
    AssessmentRecord& record_;
    InputGuard* inputGuard_ = nullptr;
    QPointer<QMdiSubWindow> current_;
    bool leaving_ = false;
};

} // namespace tellumo
