// The program as assistive technology and a keyboard-only user meet it:
// every field, group and choice of the questionnaire named after what the
// page shows for it, the results readable as text, and one whole run from the personal data to "終了" with Tab,
// Space, the arrow keys and Enter alone.
#include "AssessmentRecord.h"
#include "MainWindow.h"
#include "InfoDialog.h"
#include "Program.h"
#include "PageFactories.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include "ShellSupport.h"

using namespace tellumo;
using namespace tellumo::testing;

namespace {

QAccessibleInterface* accessible(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QWidget* focused()
{
    return QApplication::focusWidget();
}

QString focusedName()
{
    return focused() ? focused()->objectName() : QStringLiteral("<none>");
}

// A key pressed on whatever has the focus, as the keyboard delivers it.
void press(Qt::Key key)
{
    QWidget* target = focused();
    QVERIFY2(target, "nothing has the focus");
    QTest::keyClick(target, key);
}

} // namespace

class TestAccessibility : public WidgetTest {
    Q_OBJECT

private slots:
    void cleanup();

    void questionnaireNames_data();
    void questionnaireNames();
    void everyInputNamedOnce_data();
    void everyInputNamedOnce();
    void resultLabelsReadTheirText_data();
    void resultLabelsReadTheirText();
    void menuByKeyboard();
    void dialogClosesByKey_data();
    void dialogClosesByKey();
    void wholeRunByKeyboard();

private:
    void fillPersonalData();
    void answerQuestions(int questions, int twoChoiceFrom, int twoChoiceTo);

    std::unique_ptr<MainWindow> main_;
    driving::PageDriver pages_{[this] { return main_ ? main_->currentPage() : nullptr; }};
};

void TestAccessibility::cleanup()
{
    main_.reset();
    WidgetTest::cleanup();
}

void TestAccessibility::questionnaireNames_data()
{
    addColumns<QString, QString, int, QString, QString>({"page", "control", "role", "name", "description"});

    const int edit = QAccessible::EditableText, group = QAccessible::Grouping,
              choice = QAccessible::RadioButton, button = QAccessible::Button;
    QTest::newRow("name field, from its label") << "PersonalDataPage" << "nameField" << edit << "氏名" << "";
    QTest::newRow("age field with its unit") << "PersonalDataPage" << "ageField" << edit << "年齢" << "歳";
    QTest::newRow("height field") << "PersonalDataPage" << "heightField" << edit << "身長" << "cm";
    QTest::newRow("weight field") << "PersonalDataPage" << "weightField" << edit << "体重" << "kg";
    QTest::newRow("body fat with its note") << "PersonalDataPage" << "bodyFatField" << edit << "体脂肪率" << "%（測定した方のみ）";
    QTest::newRow("sex group") << "PersonalDataPage" << "sexGroup" << group << "性別" << "";
    QTest::newRow("sex choice") << "PersonalDataPage" << "femaleOption" << choice << "性別: 女性" << "";
    QTest::newRow("blood type choice") << "PersonalDataPage" << "bloodTypeAB" << choice << "血液型: AB" << "";
    QTest::newRow("skin tone group") << "PersonalDataPage" << "skinToneGroup" << group << "肌の濃さ" << "";
    QTest::newRow("skin tone choice") << "PersonalDataPage" << "darkSkinOption" << choice << "肌の濃さ: 色黒" << "";
    QTest::newRow("forward button") << "PersonalDataPage" << "nextButton" << button << "次へ" << "";
    QTest::newRow("first question") << "QuestionsQ1toQ10Page" << "question1Group" << group << "Q1  疲れやすい" << "";
    QTest::newRow("first choice") << "QuestionsQ1toQ10Page" << "q1Choice1" << choice << "Q1  疲れやすい: はい" << "";
    QTest::newRow("tenth question, middle") << "QuestionsQ1toQ10Page" << "q10Choice2" << choice << "Q10 水分をよくとりますか: ふつう" << "";
    QTest::newRow("clear button") << "QuestionsQ1toQ10Page" << "clearButton" << button << "訂正" << "";
    QTest::newRow("two-choice question") << "QuestionsQ11toQ19Page" << "question14Group" << group << "Q14 冬季、靴下をはいて寝る" << "";
    QTest::newRow("two-choice right") << "QuestionsQ11toQ19Page" << "q14Choice3" << choice << "Q14 冬季、靴下をはいて寝る: いいえ" << "";
    QTest::newRow("last choice") << "QuestionsQ11toQ19Page" << "q19Choice3" << choice << "Q19 体温が低い方だと思う: いいえ" << "";
}

void TestAccessibility::questionnaireNames()
{
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);

    RecordingHost host(record_);
    QWidget* shown = host.start(pageFactory(page));
    auto* widget = shown->findChild<QWidget*>(control);
    QVERIFY(widget);
    QAccessibleInterface* face = accessible(widget);
    QVERIFY(face);
    QCOMPARE(int(face->role()), role);
    QCOMPARE(face->text(QAccessible::Name), name);
    QCOMPARE(face->text(QAccessible::Description), description);
}

void TestAccessibility::everyInputNamedOnce_data()
{
    addColumns<QString, int>({"page", "inputs"});
    // 5 fields, 3 groups of 9 options, 2 buttons; 10 groups of 30 choices;
    // 9 groups of 23 choices.
    QTest::newRow("personal data") << "PersonalDataPage" << 19;
    QTest::newRow("Q1 to Q10") << "QuestionsQ1toQ10Page" << 42;
    QTest::newRow("Q11 to Q19") << "QuestionsQ11toQ19Page" << 34;
}

void TestAccessibility::everyInputNamedOnce()
{
    QFETCH(QString, page);
    QFETCH(int, inputs);
    RecordingHost host(record_);
    QWidget* shown = host.start(pageFactory(page));

    // Whatever takes the focus, and every group, has a name of its own: a
    // screen reader tells the 13 choices "はい" apart by their questions.
    QMap<QString, QString> owners;
    for (QWidget* widget : shown->findChildren<QWidget*>()) {
        const QAccessibleInterface* face = accessible(widget);
        if (widget->focusPolicy() == Qt::NoFocus && face->role() != QAccessible::Grouping)
            continue;
        const QString name = face->text(QAccessible::Name);
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(widget->objectName()));
        QVERIFY2(!owners.contains(name), qPrintable(QStringLiteral("%1 and %2: %3")
                                                         .arg(owners.value(name), widget->objectName(), name)));
        owners.insert(name, widget->objectName());
    }
    QCOMPARE(int(owners.size()), inputs);
}

void TestAccessibility::resultLabelsReadTheirText_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("details") << "DetailsPage";
    QTest::newRow("caution points") << "CautionPage";
    QTest::newRow("advice") << "AdvicePage";
}

void TestAccessibility::resultLabelsReadTheirText()
{
    QFETCH(QString, page);
    RecordingHost host(record_);
    QWidget* shown = host.startScored(pageFactory(page), "蚊野 花子", 57);
    // The labels paint their text themselves; they still read it out.
    const QList<QLabel*> labels = shown->findChildren<QLabel*>();
    QVERIFY(labels.size() >= 5);
    for (QLabel* text : labels) {
        QAccessibleInterface* face = accessible(text);
        QCOMPARE(int(face->role()), int(QAccessible::StaticText));
        QCOMPARE(face->text(QAccessible::Name), text->text());
    }
}

void TestAccessibility::menuByKeyboard()
{
    main_ = startedProgram(record_);
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));

    // Alt reaches the menu bar, Enter opens its first entry.
    QString opened;
    whenModal([&](QWidget* dialog) { opened = dialog->objectName(); });
    press(Qt::Key_Alt);
    press(Qt::Key_Return);
    QCOMPARE(opened, QStringLiteral("CopyrightDialog"));
}

void TestAccessibility::dialogClosesByKey_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space on OK") << int(Qt::Key_Space);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestAccessibility::dialogClosesByKey()
{
    QFETCH(int, key);
    InfoDialog dialog(nullptr, InfoDialog::version());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(focusedName(), QStringLiteral("okButton"));
    press(Qt::Key(key));
    QVERIFY(!dialog.isVisible());
}

void TestAccessibility::fillPersonalData()
{
    QVERIFY(waitForPage(pages_, *main_, "PersonalDataPage"));
    QCOMPARE(focusedName(), QStringLiteral("nameField"));
    typeText(focused(), QStringLiteral("蚊野 花子"));
    press(Qt::Key_Tab); // into the sex group, at 男性
    press(Qt::Key_Right); // over to 女性
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    QTest::keyClicks(focused(), QStringLiteral("30"));
    press(Qt::Key_Tab);
    QTest::keyClicks(focused(), QStringLiteral("160"));
    press(Qt::Key_Tab);
    QTest::keyClicks(focused(), QStringLiteral("55"));
    press(Qt::Key_Tab); // blood type O
    press(Qt::Key_Space);
    press(Qt::Key_Right); // a chosen option carries the choice along: A
    press(Qt::Key_Tab); // body fat stays empty
    press(Qt::Key_Tab); // skin tone, at 普通
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    QCOMPARE(focusedName(), QStringLiteral("nextButton"));
    press(Qt::Key_Space);
}

void TestAccessibility::answerQuestions(int questions, int twoChoiceFrom, int twoChoiceTo)
{
    // Tab stops once per question, at its middle choice (the left one of a
    // two-choice question); Space takes it, Left moves the choice over.
    for (int i = 0; i < questions; ++i) {
        press(Qt::Key_Space);
        if (i < twoChoiceFrom || i > twoChoiceTo)
            press(Qt::Key_Left);
        press(Qt::Key_Tab);
    }
    QCOMPARE(focusedName(), QStringLiteral("nextButton"));
    press(Qt::Key_Space);
}

void TestAccessibility::wholeRunByKeyboard()
{
    MessageRecorder messages;
    main_ = startedProgram(record_);
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));

    fillPersonalData();
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(waitForPage(pages_, *main_, "QuestionsQ1toQ10Page"));
    answerQuestions(10, 10, 10);
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(waitForPage(pages_, *main_, "QuestionsQ11toQ19Page"));
    answerQuestions(9, 3, 6); // Q14 to Q17 have no middle
    QVERIFY(!QTest::currentTestFailed());

    // The result pages: each opens with "終了" focused; Tab reaches the way on.
    const std::pair<const char*, const char*> resultPages[] = {
        {"ScorePage", "detailsButton"},
        {"DetailsPage", "cautionButton"},
        {"CautionPage", "adviceButton"},
    };
    for (const auto& [page, wayOn] : resultPages) {
        QVERIFY(waitForPage(pages_, *main_, page));
        QCOMPARE(focusedName(), QStringLiteral("quitButton"));
        press(Qt::Key_Tab);
        QCOMPARE(focusedName(), QString::fromLatin1(wayOn));
        press(Qt::Key_Space);
    }
    QVERIFY(waitForPage(pages_, *main_, "AdvicePage"));
    QCOMPARE(focusedName(), QStringLiteral("quitButton"));
    press(Qt::Key_Space);
    QTRY_VERIFY(!main_->isVisible());

    QCOMPARE(messages.messages(), QStringList());
    // 女性 0, 30 years 5, blood type A 4, no body fat 0, normal skin 5.
    QCOMPARE(storedPersonalData(record_), QStringList({"蚊野 花子", "#0", "#5", "160", "55", "#4", "#0", "#5"}));
    // Every three-choice question got its left choice, Q14..Q17 "はい".
    QCOMPARE(storedCodes(record_, 1, 19), QList<int>({0, 0, 2, 2, 2, 10, 8, 0, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0}));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
