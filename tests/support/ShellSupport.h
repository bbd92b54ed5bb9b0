// Helpers for tests that run the program's start-up or its main window
// (they link tellumo_shell).
#pragma once

#include "FakeClock.h"
#include "MainWindow.h"
#include "PageDriver.h"
#include "Program.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include <memory>

namespace tellumo::testing {

using driving::FakeClock;

// The program started through its whole splash on a fake clock: the main
// window, shown.
inline std::unique_ptr<MainWindow> startedProgram(AssessmentRecord& record)
{
    FakeClock clock(1.0);
    return Program::startUp(clock, record);
}

// Waits until `main` shows the page `name`, through `pages`: alone in the
// client area, at its top-left corner and as large as the page, with the
// focus inside it. Null, and the test failed, when it never comes so.
inline QWidget* waitForPage(const driving::PageDriver& pages, const MainWindow& main, const char* name)
{
    [&] {
        QVERIFY2(pages.waitFor(QString::fromLatin1(name)), name);
        const QList<QMdiSubWindow*> windows = main.clientArea()->subWindowList();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows[0]->pos(), QPoint(0, 0));
        QCOMPARE(windows[0]->size(), main.currentPage()->size());
        QTRY_VERIFY(QApplication::focusWidget() && main.currentPage()->isAncestorOf(QApplication::focusWidget()));
    }();
    return QTest::currentTestFailed() ? nullptr : main.currentPage();
}

} // namespace tellumo::testing
