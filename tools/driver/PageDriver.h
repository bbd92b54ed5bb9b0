// Drives the pages the way a user does, for the GUI tests that act as one,
// the screenshot gallery and the benchmark walk: clicks and keys go through
// the application object as real input events (so the input guard, focus
// and button states all take part), text beyond ASCII arrives as an input
// method's commit (or is pasted, where a field refuses the input method),
// and waiting for a page spins the event loop.
//
// Data flow: the driver asks its page source for the page shown now (the
// main window's current page, or a test host's), finds controls there by
// their object names and sends them events; it never touches the record.
// It does not use QtTest, so the benchmark can link it without QtTest's
// memory and start-up cost.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QLineEdit;

namespace tellumo::driving {

// What the personal data page gets typed and chosen (options by control
// name); an empty text is not typed, an empty option not chosen. The
// defaults make a complete, valid page (female, 30 years, 170 cm, 65 kg, A,
// normal skin).
struct PersonalEntries {
    QString name = QStringLiteral("蚊野 花子");
    QString age = QStringLiteral("30");
    QString height = QStringLiteral("170");
    QString weight = QStringLiteral("65");
    QString bodyFat; // not measured
    QString sex = QStringLiteral("femaleOption");
    QString bloodType = QStringLiteral("bloodTypeA");
    QString skinTone = QStringLiteral("normalSkinOption");

    // A man of 30, 170 cm and 65 kg, blood type O, 20 % body fat (13 kg),
    // normal skin: 25 points, the whole walk's entries.
    static PersonalEntries walker(const QString& name);
};

// The object name of the choice in `slot` of `question` ("q3Choice2").
QString choiceName(int question, int slot);

// Types text into a field as a user would: ASCII as key presses, anything
// else (Japanese, full-width digits, emoji) as input-method commits, or
// pasted where the field refuses the input method.
void typeText(QWidget* field, const QString& text);

// A left click on the middle of `widget`.
void clickWidget(QWidget* widget);

class PageDriver {
public:
    using PageSource = std::function<QWidget*()>;
    explicit PageDriver(PageSource currentPage);

    // The page shown now, or nullptr.
    QWidget* page() const;
    // The page's child with that object name; aborts the program when there
    // is none, so that a renamed control cannot pass silently.
    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        QWidget* shown = page();
        T* found = shown ? shown->findChild<T*>(name) : nullptr;
        if (!found)
            missing(name);
        return found;
    }

    void click(const QString& name);
    void type(const QString& field, const QString& text);
    void fillPersonalData(const PersonalEntries& entries = {});
    // Chooses `slot` (or the first choice of a two-choice question when the
    // slot is not there) for every question from first to last.
    void answer(int firstQuestion, int lastQuestion, int slot = 1);

    // The page once one named `name` is shown, or nullptr after five seconds.
    QWidget* waitFor(const QString& name) const;

private:
    [[noreturn]] static void missing(const QString& name);
    PageSource currentPage_;
};

} // namespace tellumo::driving
