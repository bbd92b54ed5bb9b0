// Typing on the personal data page through a real input method (fcitx5 with
// anthy), on a real X display: input-method-e2e.sh starts them and runs this
// test with QT_IM_MODULE=fcitx. Keys and clicks go through the X server
// (xdotool), as a user's do.
#include "AssessmentRecord.h"
#include "PageFactories.h"
#include "QuestionnaireControls.h"
#include "TestSupport.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(5000))
        qFatal("%s did not finish", qPrintable(program));
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

void type(const QString& keys) { run(QStringLiteral("xdotool"), {"type", "--delay", "30", keys}); }
void press(const QString& key) { run(QStringLiteral("xdotool"), {"key", key}); }

// A click at the middle of the control's right end, where the caret of a
// text box goes behind its text.
void clickOn(QWidget* control)
{
    const QPoint at = control->mapToGlobal(QPoint(control->width() - 4, control->height() / 2));
    run(QStringLiteral("xdotool"),
        {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

// fcitx5-remote: 2 while the input method composes Japanese in the focused
// field, 1 while it is off there, 0 while no field has it.
bool inputMethodOn() { return run(QStringLiteral("fcitx5-remote"), {}) == QLatin1String("2"); }

// Switches the input method on in the focused field, as Ctrl+Space does,
// once the field has reached fcitx5.
bool switchInputMethodOn()
{
    if (run(QStringLiteral("fcitx5-remote"), {}) == QLatin1String("1"))
        run(QStringLiteral("fcitx5-remote"), {"-o"});
    return inputMethodOn();
}

// How long a key may take through fcitx5 and anthy on a loaded machine
// (a sanitizer build beside other tests). Nothing here needs a timeout to
// fail: text that stays a composition never becomes the field's text.
constexpr int Patience = 20000;

} // namespace

class TestInputMethod : public WidgetTest {
    Q_OBJECT

private slots:
    void typingOnThePersonalDataPage();
};

void TestInputMethod::typingOnThePersonalDataPage()
{
    RecordingHost host(record_);
    MessageRecorder messages;
    QWidget* page = host.start(createPersonalDataPage);
    QVERIFY(activate(page));
    auto* name = control<questionnaire::TextBox>(page, QStringLiteral("nameField"));
    auto* age = control<QLineEdit>(page, QStringLiteral("ageField"));
    auto* height = control<QLineEdit>(page, QStringLiteral("heightField"));
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), name, Patience);

    // Romaji into the name composes hiragana; Return commits it.
    QTRY_VERIFY_WITH_TIMEOUT(switchInputMethodOn(), Patience);
    type(QStringLiteral("yamada"));
    QTRY_COMPARE_WITH_TIMEOUT(name->composition(), QStringLiteral("やまだ"), Patience);
    press(QStringLiteral("Return"));
    QTRY_COMPARE_WITH_TIMEOUT(name->text(), QStringLiteral("やまだ"), Patience);

    // The age field refuses the input method: digits arrive as typed, at once.
    clickOn(age);
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), age, Patience);
    type(QStringLiteral("30"));
    QTRY_COMPARE_WITH_TIMEOUT(age->text(), QStringLiteral("30"), Patience);

    // Clicked back into the name, composing there; the composition stays open.
    const auto composeInName = [&](const QString& romaji, const QString& kana) {
        clickOn(name);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), name, Patience);
        QTRY_VERIFY_WITH_TIMEOUT(inputMethodOn(), Patience);
        type(romaji);
        QTRY_COMPARE_WITH_TIMEOUT(name->composition(), kana, Patience);
    };

    // A composition left open in the name when another field is clicked
    // stays in the name, and the other field gets only its own typing.
    composeInName(QStringLiteral("hana"), QStringLiteral("はな"));
    clickOn(height);
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), height, Patience);
    type(QStringLiteral("170"));
    QTRY_COMPARE_WITH_TIMEOUT(height->text(), QStringLiteral("170"), Patience);
    QCOMPARE(name->text(), QStringLiteral("やまだはな"));

    // Likewise when 次へ is clicked: the name is stored whole.
    composeInName(QStringLiteral("ko"), QStringLiteral("こ"));
    clickOn(control<QPushButton>(page, QStringLiteral("nextButton")));
    QTRY_COMPARE_WITH_TIMEOUT(messages.last(), QStringLiteral("性別が選択されていません"), Patience);
    QCOMPARE(storedPersonalData(record_).first(), QStringLiteral("やまだはなこ"));
}

QTEST_MAIN(TestInputMethod)
#include "test_input_method.moc"
