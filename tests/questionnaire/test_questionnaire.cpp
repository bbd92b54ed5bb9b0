// The three questionnaire pages driven like a user: typing, clicking, "次へ" /
// "判定" and "訂正", with the record, the message and the focus checked after
// every stop, and the hand-over to the next page.
#include "AssessmentRecord.h"
#include "PageFactories.h"
#include "TestSupport.h"
#include "questionnaire/QuestionnaireControls.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

// What the user enters on the personal data page; the defaults make a
// complete, valid page.
using E = driving::PersonalEntries;

E with(std::initializer_list<std::pair<QString E::*, const char*>> changes)
{
    E e;
    for (const auto& [field, value] : changes)
        e.*field = QString::fromUtf8(value);
    return e;
}

// PersonalData as storedPersonalData() lists it.
const QStringList DefaultsStored = {QStringLiteral("蚊野 花子"), "#0", "#5", "170", "65", "#4", "#0", "#5"};
const QStringList NothingStored(8, QStringLiteral("-"));

QStringList storedUpTo(int count) { return DefaultsStored.mid(0, count) + NothingStored.mid(count); }

QStringList changed(QStringList list, std::initializer_list<std::pair<int, const char*>> changes)
{
    for (const auto& [entry, value] : changes)
        list[entry] = QString::fromUtf8(value);
    return list;
}

void enter(RecordingHost& host, const E& entries)
{
    driving::PageDriver([&host] { return host.page(); }).fillPersonalData(entries);
}

QWidget* startPage(RecordingHost& host, const QString& name)
{
    QWidget* page = host.start(pageFactory(name));
    if (!activate(page))
        qWarning("%s did not become active", qPrintable(name));
    return page;
}

constexpr int Untouched = 99; // an answer code no pass has written

// After a pass: the next page has taken over.
void expectHandedOver(const RecordingHost& host, const QString& to)
{
    QTRY_COMPARE(host.page() ? host.page()->objectName() : QString(), to);
}

} // namespace

Q_DECLARE_METATYPE(tellumo::driving::PersonalEntries)

class TestQuestionnaire : public WidgetTest {
    Q_OBJECT

private slots:
    void init();

    void personalDataStopsAtFirstProblem_data();
    void personalDataStopsAtFirstProblem();
    void personalDataStores_data();
    void personalDataStores();
    void personalDataClearAfterFailedAttempt();
    void personalDataFieldsTakeTheirLength_data();
    void personalDataFieldsTakeTheirLength();
    void questionsStopAtFirstUnanswered_data();
    void questionsStopAtFirstUnanswered();
    void questionsStoreCodes_data();
    void questionsStoreCodes();
    void questionsClear_data();
    void questionsClear();
    void choicesShowTheirColours_data();
    void choicesShowTheirColours();
};

void TestQuestionnaire::init()
{
    WidgetTest::init();
    for (int q = 1; q <= 19; ++q)
        record_.AnswerCodes[q] = Untouched;
}

void TestQuestionnaire::personalDataStopsAtFirstProblem_data()
{
    // focus: the choice messages leave it on the button pressed
    // One row for each message; which texts each field refuses is the
    // model's own table test.
    addColumns<E, QString, QString, QStringList>({"entries", "message", "focus", "stored"});

    QTest::newRow("no name, all else given") << with({{&E::name, ""}}) << "氏名が入力されていません" << "nameField" << NothingStored;
    QTest::newRow("no sex") << with({{&E::sex, ""}}) << "性別が選択されていません" << "nextButton" << storedUpTo(1);
    QTest::newRow("blanks are a name") << with({{&E::name, "   "}, {&E::sex, ""}}) << "性別が選択されていません" << "nextButton" << changed(NothingStored, {{0, "   "}});
    QTest::newRow("no age") << with({{&E::age, ""}}) << "年齢が入力されていません" << "ageField" << storedUpTo(2);
    QTest::newRow("age not a number") << with({{&E::age, "abc"}}) << "年齢を正しく入力してください" << "ageField" << storedUpTo(2);
    QTest::newRow("no height") << with({{&E::height, ""}}) << "身長が入力されていません" << "heightField" << storedUpTo(3);
    QTest::newRow("height zero") << with({{&E::height, "0"}}) << "身長を正しく入力してください" << "heightField" << storedUpTo(3);
    QTest::newRow("no weight") << with({{&E::weight, ""}}) << "体重が入力されていません" << "weightField" << storedUpTo(4);
    QTest::newRow("weight not a number") << with({{&E::weight, "abc"}}) << "体重を正しく入力してください" << "weightField" << storedUpTo(4);
    QTest::newRow("no blood type") << with({{&E::bloodType, ""}}) << "血液型が選択されていません" << "nextButton" << storedUpTo(5);
    QTest::newRow("body fat not a number") << with({{&E::bodyFat, "x"}}) << "体脂肪率を正しく入力してください" << "bodyFatField" << storedUpTo(6);
    QTest::newRow("no skin tone") << with({{&E::skinTone, ""}}) << "肌の濃さが選択されていません" << "nextButton" << storedUpTo(7);
}

void TestQuestionnaire::personalDataStopsAtFirstProblem()
{
    QFETCH(E, entries);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QStringList, stored);

    RecordingHost host(record_);
    MessageRecorder messages;
    QWidget* page = startPage(host, QStringLiteral("PersonalDataPage"));
    enter(host, entries);
    PageState entered = pageState(page);
    click(page, QStringLiteral("nextButton"));

    QCOMPARE(messages.messages(), QStringList{message});
    QCOMPARE(storedPersonalData(record_), stored);
    QCOMPARE(QApplication::focusWidget(), control(page, focus));
    QTest::qWait(0);
    QCOMPARE(host.page(), page); // the page stays with everything entered
    entered.focus = focus;
    QCOMPARE(pageState(page), entered);
}

void TestQuestionnaire::personalDataStores_data()
{
    // The points of every choice; the boundaries of the age and body fat
    // points are the model's own table test.
    addColumns<E, QStringList>({"entries", "stored"});

    QTest::newRow("age 24") << with({{&E::age, "24"}}) << changed(DefaultsStored, {{2, "#3"}});
    QTest::newRow("20 % of 65 kg") << with({{&E::bodyFat, "20"}}) << changed(DefaultsStored, {{6, "#5"}});
    QTest::newRow("the defaults") << E{} << DefaultsStored;
    QTest::newRow("full-width weight and body fat") << with({{&E::weight, "６５"}, {&E::bodyFat, "２０"}}) << changed(DefaultsStored, {{4, "６５"}, {6, "#5"}});
    QTest::newRow("weight 0, height kept as typed") << with({{&E::weight, "0"}, {&E::height, "170.0"}}) << changed(DefaultsStored, {{3, "170.0"}, {4, "0"}});
    QTest::newRow("male, O, dark") << with({{&E::sex, "maleOption"}, {&E::bloodType, "bloodTypeO"}, {&E::skinTone, "darkSkinOption"}}) << changed(DefaultsStored, {{1, "#2"}, {5, "#8"}, {7, "#10"}});
    QTest::newRow("B, fair") << with({{&E::bloodType, "bloodTypeB"}, {&E::skinTone, "fairSkinOption"}}) << changed(DefaultsStored, {{5, "#6"}, {7, "#3"}});
    QTest::newRow("AB") << with({{&E::bloodType, "bloodTypeAB"}}) << changed(DefaultsStored, {{5, "#5"}});
}

void TestQuestionnaire::personalDataStores()
{
    QFETCH(E, entries);
    QFETCH(QStringList, stored);

    RecordingHost host(record_);
    MessageRecorder messages;
    startPage(host, QStringLiteral("PersonalDataPage"));
    enter(host, entries);
    click(host.page(), QStringLiteral("nextButton"));

    QCOMPARE(messages.messages(), QStringList());
    QCOMPARE(storedPersonalData(record_), stored);
    expectHandedOver(host, QStringLiteral("QuestionsQ1toQ10Page"));
}

void TestQuestionnaire::personalDataClearAfterFailedAttempt()
{
    RecordingHost host(record_);
    MessageRecorder messages;
    QWidget* page = startPage(host, QStringLiteral("PersonalDataPage"));
    enter(host, with({{&E::skinTone, ""}, {&E::bodyFat, "20"}}));
    click(page, QStringLiteral("nextButton"));
    QCOMPARE(messages.messages(), QStringList{QStringLiteral("肌の濃さが選択されていません")});

    // Pressed without moving the focus out of the height field.
    QTest::mouseClick(control(page, QStringLiteral("heightField")), Qt::LeftButton);
    control<QAbstractButton>(page, QStringLiteral("clearButton"))->click();
    QCOMPARE(pageState(page).texts, QStringList(5, QString()));
    QCOMPARE(storedPersonalData(record_), changed(storedUpTo(7), {{6, "#5"}})); // 20 % of 65 kg
    QCOMPARE(QApplication::focusWidget(), control(page, QStringLiteral("heightField")));
    QCOMPARE(messages.messages().size(), 1);

    // The groups are exclusive again, and the next complete pass overwrites every entry.
    enter(host, with({{&E::name, "佐藤"}, {&E::sex, "maleOption"}}));
    click(page, QStringLiteral("femaleOption"));
    QCOMPARE(pageState(page).checked, QStringList({"femaleOption", "bloodTypeA", "normalSkinOption"}));
    click(page, QStringLiteral("nextButton"));
    QCOMPARE(storedPersonalData(record_), changed(DefaultsStored, {{0, "佐藤"}}));
    QTRY_COMPARE(host.page()->objectName(), QStringLiteral("QuestionsQ1toQ10Page"));
}

void TestQuestionnaire::personalDataFieldsTakeTheirLength_data()
{
    addColumns<QString, QString, QString>({"field", "entered", "kept"});
    const QString nines = QString(100000, u'9');
    const QString name(questionnaire::TextMaxLength, u'蚊');
    QTest::newRow("name") << "nameField" << QString(100000, u'蚊') << name;
    QTest::newRow("age") << "ageField" << nines << nines.left(questionnaire::NumberMaxLength);
    QTest::newRow("height") << "heightField" << nines << nines.left(questionnaire::NumberMaxLength);
    QTest::newRow("weight") << "weightField" << nines << nines.left(questionnaire::NumberMaxLength);
    QTest::newRow("body fat") << "bodyFatField" << nines << nines.left(questionnaire::NumberMaxLength);
    // An emoji is two UTF-16 units: one that would be cut in half stays out.
    QTest::newRow("emoji across the limit") << "nameField" << name.chopped(1) + QStringLiteral("🦟🦟") << name.chopped(1);
}

// Typed, pasted or set, a field keeps at most its maximum length.
void TestQuestionnaire::personalDataFieldsTakeTheirLength()
{
    QFETCH(QString, field);
    QFETCH(QString, entered);
    QFETCH(QString, kept);
    RecordingHost host(record_);
    auto* box = control<QLineEdit>(host.start(createPersonalDataPage), field);
    box->setText(entered);
    QCOMPARE(box->text(), kept);
    box->clear();
    QApplication::clipboard()->setText(entered);
    box->paste();
    QCOMPARE(box->text(), kept);
    // Typing on at the limit changes nothing.
    if (kept.size() == box->maxLength()) {
        QTest::keyClicks(box, QStringLiteral("123"));
        QCOMPARE(box->text(), kept);
    }
}

void TestQuestionnaire::questionsStopAtFirstUnanswered_data()
{
    // choices: answer indexes clicked
    // codes: of Q1..Q19 afterwards
    addColumns<QString, QList<int>, QString, QList<int>>({"page", "choices", "message", "codes"});

    const int U = Untouched;
    QTest::newRow("Q1") << "QuestionsQ1toQ10Page" << QList<int>{} << "Q1の回答が選択されていません" << QList<int>(19, U);
    QTest::newRow("Q7") << "QuestionsQ1toQ10Page" << QList<int>{11, 22, 33, 41, 53, 61} << "Q7の回答が選択されていません"
                        << QList<int>{0, 1, 0, 2, 0, 10, U, U, U, U, U, U, U, U, U, U, U, U, U};
    QTest::newRow("Q10") << "QuestionsQ1toQ10Page" << QList<int>{13, 23, 31, 42, 51, 62, 72, 83, 91} << "Q10の回答が選択されていません"
                         << QList<int>{2, 2, 2, 1, 2, 5, 4, 2, 2, U, U, U, U, U, U, U, U, U, U};
    QTest::newRow("Q11") << "QuestionsQ11toQ19Page" << QList<int>{} << "Q11の回答が選択されていません" << QList<int>(19, U);
    QTest::newRow("Q14") << "QuestionsQ11toQ19Page" << QList<int>{111, 122, 133, 151, 161} << "Q14の回答が選択されていません"
                         << QList<int>(10, U) + QList<int>{2, 1, 20, U, U, U, U, U, U};
    QTest::newRow("Q19") << "QuestionsQ11toQ19Page" << QList<int>{113, 121, 132, 143, 151, 163, 171, 181} << "Q19の回答が選択されていません"
                         << QList<int>(10, U) + QList<int>{0, 0, 10, 2, 0, 2, 0, 0, U};
}

void TestQuestionnaire::questionsStopAtFirstUnanswered()
{
    QFETCH(QString, page);
    QFETCH(QList<int>, choices);
    QFETCH(QString, message);
    QFETCH(QList<int>, codes);

    RecordingHost host(record_);
    MessageRecorder messages;
    QWidget* shown = startPage(host, page);
    for (int index : choices)
        click(shown, choiceName(index));
    const QStringList chosen = checkedButtons(shown);
    click(shown, QStringLiteral("nextButton"));

    QCOMPARE(messages.messages(), QStringList{message});
    QCOMPARE(storedCodes(record_, 1, 19), codes);
    QTest::qWait(0);
    QCOMPARE(host.page(), shown);
    QCOMPARE(checkedButtons(shown), chosen);
}

void TestQuestionnaire::questionsStoreCodes_data()
{
    // choice: answer index clicked last
    addColumns<int, int>({"choice", "code"});
    QTest::newRow("Q6 はい") << 61 << 10;
    QTest::newRow("Q7 ふつう") << 72 << 4;
    QTest::newRow("Q13 いいえ") << 133 << 20;
    QTest::newRow("Q14 いいえ") << 143 << 2;
}

void TestQuestionnaire::questionsStoreCodes()
{
    QFETCH(int, choice);
    QFETCH(int, code);

    const int question = choice / 10;
    const bool first = question <= 10;
    if (!first) { // the last question page hands over to the score page, which scores the whole record
        fillRecordForScore(record_, "試験", 30);
        for (int q = 11; q <= 19; ++q)
            record_.AnswerCodes[q] = Untouched;
    }
    const QString page = first ? QStringLiteral("QuestionsQ1toQ10Page") : QStringLiteral("QuestionsQ11toQ19Page");
    RecordingHost host(record_);
    MessageRecorder messages;
    QWidget* shown = startPage(host, page);
    for (int q = first ? 1 : 11; q <= (first ? 10 : 19); ++q)
        click(shown, choiceName(10 * q + 1));
    click(shown, choiceName(choice));
    click(shown, QStringLiteral("nextButton"));

    QCOMPARE(messages.messages(), QStringList());
    QCOMPARE(int(record_.AnswerCodes[question]), code);
    QVERIFY(!storedCodes(record_, first ? 1 : 11, first ? 10 : 19).contains(Untouched));
    expectHandedOver(host, first ? QStringLiteral("QuestionsQ11toQ19Page") : QStringLiteral("ScorePage"));
}

void TestQuestionnaire::questionsClear_data()
{
    addColumns<QString, int, int>({"page", "first", "last"});
    QTest::newRow("Q1 to Q10") << "QuestionsQ1toQ10Page" << 1 << 10;
    QTest::newRow("Q11 to Q19") << "QuestionsQ11toQ19Page" << 11 << 19;
}

void TestQuestionnaire::questionsClear()
{
    QFETCH(QString, page);
    QFETCH(int, first);
    QFETCH(int, last);

    RecordingHost host(record_);
    MessageRecorder messages;
    QWidget* shown = startPage(host, page);
    for (int q = first; q <= last; ++q) {
        click(shown, choiceName(10 * q + 3));
        // Q14..Q17 have no middle choice.
        QCOMPARE(shown->findChild<QWidget*>(choiceName(10 * q + 2)) == nullptr, q >= 14 && q <= 17);
    }
    QCOMPARE(checkedButtons(shown).size(), last - first + 1);

    click(shown, QStringLiteral("clearButton"));
    QCOMPARE(checkedButtons(shown), QStringList());
    QCOMPARE(storedCodes(record_, 1, 19), QList<int>(19, Untouched));
    click(shown, QStringLiteral("nextButton"));
    QCOMPARE(messages.messages(), QStringList{QStringLiteral("Q%1の回答が選択されていません").arg(first)});

    // Each question is one exclusive choice again.
    click(shown, choiceName(10 * first + 1));
    click(shown, choiceName(10 * first + 3));
    QCOMPARE(checkedButtons(shown), QStringList{choiceName(10 * first + 3)});
}

void TestQuestionnaire::choicesShowTheirColours_data()
{
    addColumns<QString, QString>({"page", "button"});
    QTest::newRow("personal data option") << "PersonalDataPage" << "bloodTypeO";
    QTest::newRow("Q1 to Q10 choice") << "QuestionsQ1toQ10Page" << "q1Choice1";
    QTest::newRow("Q11 to Q19 two-choice row") << "QuestionsQ11toQ19Page" << "q14Choice1";
}

// The choice's own cell is a stronger cyan than the group around it.
void TestQuestionnaire::choicesShowTheirColours()
{
    QFETCH(QString, page);
    QFETCH(QString, button);

    RecordingHost host(record_);
    QWidget* shown = host.start(pageFactory(page));
    QWidget* choice = control(shown, button);
    const QImage image = shown->grab().toImage();
    const QRect cell(choice->mapTo(shown, QPoint(0, 0)), choice->size());
    // The right end of the cell is clear of the circle and the caption.
    const qreal ratio = image.devicePixelRatio();
    QCOMPARE(image.pixelColor(QPoint(cell.right() - 1, cell.center().y()) * ratio), QColor(128, 255, 255));
    QCOMPARE(image.pixelColor(QPoint(cell.right() + 3, cell.center().y()) * ratio), QColor(210, 255, 255));
}

QTEST_MAIN(TestQuestionnaire)
#include "test_questionnaire.moc"
