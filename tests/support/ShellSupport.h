// Helpers for tests that run the program's start-up or its main window
// (they link tellumo_shell).
#pragma once

#include "MainWindow.h"
#include "PageDriver.h"
#include "Program.h"
#include "SplashClock.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include <memory>

namespace tellumo::testing {

// Time passes only when the splash sequence idles, by a fixed step.
class FakeClock : public SplashClock {
public:
    explicit FakeClock(double step = 0.25) : step_(step) {}
    double now() override { return time_; }
    void idle(double) override { time_ += step_, ++idles_; }
    int idles() const { return idles_; }

private:
    double step_;
    double time_ = 1000.0;
    int idles_ = 0;
};

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
