// The personal data page driven like a user: typing, clicking, "次へ" and
// "訂正", with the record and the focus checked after every stop.
#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "QuestionnaireTestSupport.h"
#include "TestSupport.h"

#include <QApplication>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

// What the user enters, in screen order; options by control name, "" for
// none chosen. The defaults make a complete, valid page.
struct Entries {
    QString name = QStringLiteral("山田花子");
    QString sex = QStringLiteral("Option12");
    QString age = QStringLiteral("30");
    QString height = QStringLiteral("160");
    QString weight = QStringLiteral("55");
    QString bloodType = QStringLiteral("Option22");
    QString bodyFat;
    QString skinTone = QStringLiteral("Option32");
};

// What the defaults store, entry by entry.
const QStringList DefaultsStored = {
    QStringLiteral("山田花子"), "#0", "#5", "160", "55", "#4", "#0", "#5",
};

const QStringList NothingStored = {"-", "-", "-", "-", "-", "-", "-", "-"};

// DefaultsStored up to entry `count` - 1, nothing after it.
QStringList storedUpTo(int count)
{
    return DefaultsStored.mid(0, count) + NothingStored.mid(count);
}

void enter(QWidget* page, const Entries& e)
{
    type(page, "Text1", e.name);
    if (!e.sex.isEmpty())
        click(page, e.sex);
    type(page, "Text2", e.age);
    type(page, "Text3", e.height);
    type(page, "Text4", e.weight);
    if (!e.bloodType.isEmpty())
        click(page, e.bloodType);
    type(page, "Text5", e.bodyFat);
    if (!e.skinTone.isEmpty())
        click(page, e.skinTone);
}

const QStringList TextFields = {"Text1", "Text2", "Text3", "Text4", "Text5"};
const QStringList Options = {"Option11", "Option12", "Option21", "Option22", "Option23",
                             "Option24", "Option31", "Option32", "Option33"};

QStringList fieldTexts(QWidget* page)
{
    QStringList texts;
    for (const QString& name : TextFields)
        texts << control<QLineEdit>(page, name)->text();
    return texts;
}

QStringList checkedOptions(QWidget* page)
{
    QStringList checked;
    for (const QString& name : Options)
        if (control<QAbstractButton>(page, name)->isChecked())
            checked << name;
    return checked;
}

QWidget* startForm1(RecordingHost& host)
{
    QWidget* page = host.start(createForm1);
    page->activateWindow();
    if (!QTest::qWaitForWindowActive(page))
        qWarning("Form1 did not become active");
    return page;
}

} // namespace

Q_DECLARE_METATYPE(Entries)

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensEmptyWithFocusInName();
    void tabOrder();
    void stopsAtFirstProblem_data();
    void stopsAtFirstProblem();
    void storesEntries_data();
    void storesEntries();
    void clearAfterFailedAttempt();
    void passDestroysPageBeforeNextOne();
};

void TestForm1::initTestCase()
{
    installFontSubstitutions();
}

void TestForm1::init()
{
    resetRecord();
}

void TestForm1::cleanup()
{
    QTRY_VERIFY2(visibleTopLevels().isEmpty(), qPrintable(visibleTopLevels().join(u',')));
}

void TestForm1::opensEmptyWithFocusInName()
{
    RecordingHost host;
    QWidget* page = startForm1(host);
    QCOMPARE(fieldTexts(page), QStringList({"", "", "", "", ""}));
    QCOMPARE(checkedOptions(page), QStringList());
    QCOMPARE(QApplication::focusWidget(), control(page, "Text1"));
}

void TestForm1::tabOrder()
{
    RecordingHost host;
    QWidget* page = startForm1(host);
    const QStringList chain = {"Text1",    "Option11", "Option12", "Text2",    "Text3",
                               "Text4",    "Option21", "Option22", "Option23", "Option24",
                               "Text5",    "Option32", "Option33", "Option31", "Command1",
                               "Command2"};
    QCOMPARE(focusChain(page), chain);
    // Tab stops once in each group of options, at its first button in the
    // chain; the arrow keys move within the group.
    const QStringList walk = {"Text1", "Option11", "Text2",    "Text3",    "Text4", "Option21",
                              "Text5", "Option32", "Command1", "Command2", "Text1"};
    QCOMPARE(tabWalk(page, int(walk.size())), walk);
}

void TestForm1::stopsAtFirstProblem_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus"); // after the message
    QTest::addColumn<QStringList>("stored");

    const Entries valid;
    const QString name = QStringLiteral("氏名が入力されていません");
    const QString sex = QStringLiteral("性別が選択されていません");
    const QString noAge = QStringLiteral("年齢が入力されていません");
    const QString badAge = QStringLiteral("年齢を正しく入力してください");
    const QString noHeight = QStringLiteral("身長が入力されていません");
    const QString badHeight = QStringLiteral("身長を正しく入力してください");
    const QString noWeight = QStringLiteral("体重が入力されていません");
    const QString badWeight = QStringLiteral("体重を正しく入力してください");
    const QString bloodType = QStringLiteral("血液型が選択されていません");
    const QString badBodyFat = QStringLiteral("体脂肪率を正しく入力してください");
    const QString skinTone = QStringLiteral("肌の濃さが選択されていません");

    // The sex, blood-type and skin-tone messages leave the focus on the
    // button the user pressed.
    Entries e;
    e = Entries{"", "", "", "", "", "", "", ""};
    QTest::newRow("nothing entered") << e << name << "Text1" << NothingStored;
    e = valid, e.name = "";
    QTest::newRow("everything but the name") << e << name << "Text1" << NothingStored;
    e = valid, e.sex = "";
    QTest::newRow("name but no sex") << e << sex << "Command1" << storedUpTo(1);
    e = valid, e.name = "   ", e.sex = "";
    QTest::newRow("blanks are a name")
        << e << sex << "Command1" << QStringList({"   "}) + NothingStored.mid(1);
    e = valid, e.age = "";
    QTest::newRow("no age") << e << noAge << "Text2" << storedUpTo(2);
    e = valid, e.age = "abc";
    QTest::newRow("age not a number") << e << badAge << "Text2" << storedUpTo(2);
    e = valid, e.age = "  ";
    QTest::newRow("age only blanks") << e << badAge << "Text2" << storedUpTo(2);
    e = valid, e.age = "-1";
    QTest::newRow("negative age") << e << badAge << "Text2" << storedUpTo(2);
    e = valid, e.height = "";
    QTest::newRow("no height") << e << noHeight << "Text3" << storedUpTo(3);
    e = valid, e.height = "0";
    QTest::newRow("height zero") << e << badHeight << "Text3" << storedUpTo(3);
    e = valid, e.height = "170cm";
    QTest::newRow("height not a number") << e << badHeight << "Text3" << storedUpTo(3);
    e = valid, e.weight = "";
    QTest::newRow("no weight") << e << noWeight << "Text4" << storedUpTo(4);
    e = valid, e.weight = "abc";
    QTest::newRow("weight not a number, no body fat") << e << badWeight << "Text4" << storedUpTo(4);
    e = valid, e.weight = "-0.5";
    QTest::newRow("negative weight") << e << badWeight << "Text4" << storedUpTo(4);
    e = valid, e.bloodType = "";
    QTest::newRow("no blood type") << e << bloodType << "Command1" << storedUpTo(5);
    e = valid, e.bodyFat = "x";
    QTest::newRow("body fat not a number") << e << badBodyFat << "Text5" << storedUpTo(6);
    e = valid, e.bodyFat = "100.5";
    QTest::newRow("body fat above 100") << e << badBodyFat << "Text5" << storedUpTo(6);
    e = valid, e.bodyFat = "-1";
    QTest::newRow("negative body fat") << e << badBodyFat << "Text5" << storedUpTo(6);
    e = valid, e.skinTone = "";
    QTest::newRow("no skin tone") << e << skinTone << "Command1" << storedUpTo(7);
}

void TestForm1::stopsAtFirstProblem()
{
    QFETCH(Entries, entries);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QStringList, stored);

    RecordingHost host;
    MessageRecorder messages;
    QWidget* page = startForm1(host);
    enter(page, entries);
    const QStringList typed = fieldTexts(page);
    const QStringList chosen = checkedOptions(page);

    click(page, "Command1");

    QCOMPARE(messages.messages(), QStringList{message});
    QCOMPARE(storedPersonalData(), stored);
    QCOMPARE(QApplication::focusWidget(), control(page, focus));
    // The page stays with everything the user entered.
    QTest::qWait(0);
    QCOMPARE(host.page(), page);
    QCOMPARE(fieldTexts(page), typed);
    QCOMPARE(checkedOptions(page), chosen);
}

void TestForm1::storesEntries_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QStringList>("stored");

    const Entries valid;
    Entries e;
    auto with = [](QStringList list, int entry, const QString& value) {
        list[entry] = value;
        return list;
    };

    e = valid, e.age = "24";
    QTest::newRow("age 24") << e << with(DefaultsStored, 2, "#3");
    e = valid, e.age = "24.1";
    QTest::newRow("age 24.1") << e << with(DefaultsStored, 2, "#5");
    e = valid, e.age = "25";
    QTest::newRow("age 25") << e << with(DefaultsStored, 2, "#5");
    e = valid, e.age = "２５";
    QTest::newRow("full-width age") << e << with(DefaultsStored, 2, "#5");
    e = valid, e.weight = "65", e.bodyFat = "20";
    QTest::newRow("65 kg, 20 %") << e << with(with(DefaultsStored, 4, "65"), 6, "#5");
    e = valid, e.weight = "65", e.bodyFat = "19.9";
    QTest::newRow("65 kg, 19.9 %") << e << with(with(DefaultsStored, 4, "65"), 6, "#0");
    e = valid, e.weight = "65", e.bodyFat = "";
    QTest::newRow("65 kg, no body fat") << e << with(with(DefaultsStored, 4, "65"), 6, "#0");
    e = valid, e.weight = "13", e.bodyFat = "100";
    QTest::newRow("13 kg, 100 %") << e << with(with(DefaultsStored, 4, "13"), 6, "#5");
    e = valid, e.weight = "６５", e.bodyFat = "２０";
    QTest::newRow("full-width weight and body fat")
        << e << with(with(DefaultsStored, 4, "６５"), 6, "#5");
    e = valid, e.weight = "0";
    QTest::newRow("weight 0") << e << with(DefaultsStored, 4, "0");
    e = valid, e.height = "1000";
    QTest::newRow("height 1000") << e << with(DefaultsStored, 3, "1000");
    e = valid, e.height = "170.0";
    QTest::newRow("height kept as typed") << e << with(DefaultsStored, 3, "170.0");
    e = valid, e.sex = "Option11", e.bloodType = "Option21", e.skinTone = "Option31";
    QTest::newRow("male, O, dark")
        << e << with(with(with(DefaultsStored, 1, "#2"), 5, "#8"), 7, "#10");
    e = valid, e.bloodType = "Option23", e.skinTone = "Option33";
    QTest::newRow("B, fair") << e << with(with(DefaultsStored, 5, "#6"), 7, "#3");
    e = valid, e.bloodType = "Option24";
    QTest::newRow("AB") << e << with(DefaultsStored, 5, "#5");
}

void TestForm1::storesEntries()
{
    QFETCH(Entries, entries);
    QFETCH(QStringList, stored);

    RecordingHost host;
    MessageRecorder messages;
    QWidget* page = startForm1(host);
    enter(page, entries);
    click(page, "Command1");

    QCOMPARE(messages.messages(), QStringList());
    QCOMPARE(storedPersonalData(), stored);
    QTRY_COMPARE(host.page()->objectName(), QStringLiteral("Form2"));
}

void TestForm1::clearAfterFailedAttempt()
{
    RecordingHost host;
    MessageRecorder messages;
    QWidget* page = startForm1(host);
    Entries e;
    e.skinTone = "";
    e.bodyFat = "20";
    enter(page, e);
    click(page, "Command1");
    QCOMPARE(messages.last(), QStringLiteral("肌の濃さが選択されていません"));
    const QStringList stored = storedPersonalData();
    QCOMPARE(stored, storedUpTo(7));

    // Pressed without moving the focus out of the height field.
    QTest::mouseClick(control(page, "Text3"), Qt::LeftButton);
    control<QAbstractButton>(page, "Command2")->click();

    QCOMPARE(fieldTexts(page), QStringList({"", "", "", "", ""}));
    QCOMPARE(checkedOptions(page), QStringList());
    QCOMPARE(storedPersonalData(), stored);
    QCOMPARE(QApplication::focusWidget(), control(page, "Text3"));
    QCOMPARE(messages.messages().size(), 1);

    // The groups are exclusive again, and the next complete pass overwrites
    // every entry.
    Entries again;
    again.name = "佐藤";
    again.sex = "Option11";
    enter(page, again);
    click(page, "Option12");
    QCOMPARE(checkedOptions(page), QStringList({"Option12", "Option22", "Option32"}));
    click(page, "Command1");
    QCOMPARE(storedPersonalData(), QStringList({"佐藤"}) + DefaultsStored.mid(1));
    QTRY_COMPARE(host.page()->objectName(), QStringLiteral("Form2"));
}

void TestForm1::passDestroysPageBeforeNextOne()
{
    RecordingHost host;
    MessageRecorder messages;
    QWidget* page = startForm1(host);
    enter(page, Entries{});
    click(page, "Command1");

    QTRY_COMPARE(host.page()->objectName(), QStringLiteral("Form2"));
    QCOMPARE(host.destroyedPages(), QStringList{"Form1"});
    QCOMPARE(host.livePagesAtCreation(), QStringList());
    QCOMPARE(host.page()->pos(), QPoint(0, 0));
    QCOMPARE(messages.messages(), QStringList());
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
