// Helpers shared by the widget tests: the base of the test classes, a page
// host that keeps pages as plain top-level widgets, a recorder for modal
// messages, typing and clicking like a user, answering a modal window from
// inside it, and reading what a page shows and draws.
#pragma once

#include "AssessmentRecord.h"
#include "PageDriver.h"
#include "PageHost.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace tellumo::testing {

// The base of the widget test classes: the windows' faces are mapped to the
// installed ones once, every test starts with a fresh record and ends with
// no message hook and, within two seconds, no visible top-level window. A
// class that needs more calls these from its own init() or cleanup().
class WidgetTest : public QObject {
    Q_OBJECT

protected slots:
    void initTestCase();
    void init();
    void cleanup();

protected:
    AssessmentRecord record_;
};

// Declares the columns of a data function, of the types Ts, named in order:
// addColumns<QString, int>({"name", "score"}).
template <typename... Ts>
void addColumns(const std::array<const char*, sizeof...(Ts)>& names)
{
    std::size_t column = 0;
    (QTest::addColumn<Ts>(names[column++]), ...);
}

// Holds one page at a time as a top-level window, the way the main window
// would, but without menus or an MDI area.
class RecordingHost : public QObject, public PageHost {
    Q_OBJECT

public:
    // With a fresh record of its own, or with one the test keeps.
    RecordingHost();
    explicit RecordingHost(AssessmentRecord& record);
    ~RecordingHost() override;

    AssessmentRecord& record() override { return *record_; }

    void replacePage(QWidget* current, PageFactory makeNext) override;
    void endProgram(QWidget* current) override;

    // Shows the first page.
    QWidget* start(const PageFactory& makeFirst);
    // Fills the record to yield `score` for `name` (fillRecordForScore),
    // then shows the first page.
    QWidget* startScored(const PageFactory& makeFirst, const std::string& name, int score);
    QWidget* page() const { return page_; }

private:
    void show(QWidget* page);
    // Destroys `current` once control is back in the event loop, then runs `then`.
    void leave(QWidget* current, std::function<void()> then);
    std::unique_ptr<AssessmentRecord> ownRecord_;
    AssessmentRecord* record_;
    QPointer<QWidget> page_;
    bool leaving_ = false;
};

// Collects every message passed to Messages::show while it lives; no box appears.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    const QStringList& messages() const { return messages_; }
    QString last() const { return messages_.isEmpty() ? QString() : messages_.last(); }
    void clear() { messages_.clear(); }

private:
    QStringList messages_;
};

// Types text into a field as a user would: ASCII with key clicks, anything
// else (Japanese, full-width digits, emoji) as input-method commits, the way
// an input method delivers it, or pasted into a field that refuses the input
// method. QTest::keyClicks cannot type non-ASCII text.
void typeText(QWidget* field, const QString& text);

// A record in its start-of-program state (with the weight table filled).
AssessmentRecord freshRecord();

// Fills `record` so that the score computation yields `score`
// (10..100): the fewest personal points that leave room, the answers filled
// from Q1 on with their highest codes; 170 cm and 65 kg.
void fillRecordForScore(AssessmentRecord& record, const std::string& name, int score);

// The record's PersonalData entries 0..7 as "-" (never stored), "#n"
// (points) or the text itself.
QStringList storedPersonalData(const AssessmentRecord& record);

// The record's answer codes of questions first..last.
QList<int> storedCodes(const AssessmentRecord& record, int first, int last);

// Top-level widgets that are still visible (a test should leave none behind).
QStringList visibleTopLevels();

// The creator of the page with that object name ("ScorePage").
PageHost::PageFactory pageFactory(const QString& pageName);

// Activates `window` and waits until it is active; false if it never is.
bool activate(QWidget* window);

// The object names of the checked buttons of `page`, in the order of its children.
QStringList checkedButtons(QWidget* page);

// What a page shows the user: its fields' texts and its checked buttons, in
// the order of its children, the focus its window keeps ("<none>") and
// whether it takes input.
struct PageState {
    QStringList texts;
    QStringList checked;
    QString focus;
    bool enabled = false;
    bool operator==(const PageState&) const = default;
};
PageState pageState(QWidget* page);
// For QCOMPARE.
char* toString(const PageState& state);

// The labels of the score page's class scale, from its top (class 4) to its bottom.
inline constexpr const char* ClassScale[] = {"classVeryEasilyLabel", "classEasilyLabel", "classAverageLabel",
                                             "classHardlyLabel"};

inline QLabel* label(QWidget* page, const char* name)
{
    return page ? page->findChild<QLabel*>(QString::fromLatin1(name)) : nullptr;
}

inline QString labelText(QWidget* page, const char* name)
{
    QLabel* found = label(page, name);
    return found ? found->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

// `widget` rendered with its children on white, at `ratio` device pixels
// per logical pixel.
QImage drawnOnWhite(QWidget* widget, qreal ratio);

// The columns of `image` with ink (grey below `darkerThan`) in rows top to
// bottom - 1, left to right.
QList<int> inkedColumns(const QImage& image, int top, int bottom, int darkerThan = 128);

// A picture's double-resolution rendering: ":/pictures/x.jpg" → ":/pictures/x@2x.jpg".
QString doubled(const QString& path);

// The child of `page` with that object name; aborts the test program when
// there is none, so a renamed control cannot pass silently.
template <typename T = QWidget>
T* control(QWidget* page, const QString& name)
{
    T* widget = page ? page->findChild<T*>(name) : nullptr;
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

// The object name of the choice button of question q, slot s, given its
// answer index 10 × q + s: "q<q>Choice<s>".
inline QString choiceName(int answerIndex)
{
    return driving::choiceName(answerIndex / 10, answerIndex % 10);
}

// Clicks the named button of `page` with the mouse.
void click(QWidget* page, const QString& name);

// Calls `seen` once for each modal window that comes up while the watch
// lives: it looks every 5 ms, from whatever event loop runs (also the modal
// window's own).
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget* modal)> seen);

private:
    QTimer timer_;
    QPointer<QWidget> last_;
};

// Runs `check` on the next modal window from inside its event loop, then
// closes the window if `check` left it open (a failed check would otherwise
// leave the test waiting forever).
void whenModal(std::function<void(QWidget* modal)> check);

} // namespace tellumo::testing
