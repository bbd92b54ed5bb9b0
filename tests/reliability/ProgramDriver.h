// Drives the real main window, without the splash, to any page: the
// questionnaire pages are filled in with clicks and typed keys, the result
// pages are reached from a complete record. Shared by the reliability tests.
#pragma once

#include "AssessmentRecord.h"
#include "MainWindow.h"
#include "PageDriver.h"
#include "PageFactories.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QtTest>

#include <memory>

namespace tellumo::testing {

// Records the object names of the pages as they are shown, in order.
class PageShows : public QObject {
public:
    PageShows() { qApp->installEventFilter(this); }
    ~PageShows() override { qApp->removeEventFilter(this); }
    const QStringList& shown() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->inherits("tellumo::Page"))
            shown_ << watched->objectName();
        return false;
    }

private:
    QStringList shown_;
};

class ProgramDriver : public driving::PageDriver {
public:
    // Input timing: without a guard every event reaches the pages at once;
    // with one, time stands still until advance() moves it.
    enum class Guard { Off, On };

    explicit ProgramDriver(Guard guard = Guard::Off) : PageDriver([this] { return main_ ? main_->currentPage() : nullptr; })
    {
        InputGuard::Clock clock;
        if (guard == Guard::On)
            clock = [this] { return now_; };
        main_ = std::make_unique<MainWindow>(record_, std::move(clock));
        main_->showCentred();
        if (!activate(main_.get()))
            qWarning("the main window did not become active");
        advance(1.0);
    }

    MainWindow& main() { return *main_; }
    AssessmentRecord& record() { return record_; }
    // Lets `seconds` pass on the input guard's clock.
    void advance(double seconds) { now_ += seconds; }
    // Destroys the main window now (the program's end).
    void destroy() { main_.reset(); }

    // The page shown once `name` has taken over (waitFor), after which the
    // user takes a second to read it; nullptr when it never came.
    QWidget* settledOn(const QString& name)
    {
        QWidget* shown = waitFor(name);
        advance(1.0);
        return shown;
    }

    // Brings the program to the page named `name`, the questionnaire pages
    // empty and the result pages from a complete record.
    QWidget* goTo(const QString& name)
    {
        const QString firstQuestions = QStringLiteral("QuestionsQ1toQ10Page"),
                      lastQuestions = QStringLiteral("QuestionsQ11toQ19Page");
        if (name == firstQuestions || name == lastQuestions) {
            fillPersonalData();
            click(QStringLiteral("nextButton"));
            if (name == lastQuestions && settledOn(firstQuestions)) {
                answer(1, 10);
                click(QStringLiteral("nextButton"));
            }
        } else if (name != QLatin1String("PersonalDataPage")) {
            fillRecordForScore(record_, "蚊野 花子", 44);
            main_->replacePage(page(), pageFactory(name));
        }
        return settledOn(name);
    }

    // Completes the questionnaire page shown (the personal data, or the
    // first choice of every question); a result page needs nothing.
    void fillIn()
    {
        const QString name = page() ? page()->objectName() : QString();
        if (name == QLatin1String("PersonalDataPage"))
            fillPersonalData();
        else if (name == QLatin1String("QuestionsQ1toQ10Page"))
            answer(1, 10);
        else if (name == QLatin1String("QuestionsQ11toQ19Page"))
            answer(11, 19);
    }

private:
    AssessmentRecord record_ = freshRecord();
    double now_ = 0;
    std::unique_ptr<MainWindow> main_;
};

} // namespace tellumo::testing
