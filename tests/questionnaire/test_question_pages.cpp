// The two question pages driven like a user: choosing answers, "次へ" /
// "判定" and "訂正", with the stored answer codes checked after every stop.
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

// Marks codes that no pass has written.
constexpr int Untouched = 99;

struct PageRange {
    int first, last; // questions on the page
};

PageRange questionsOf(const QString& page)
{
    return page == QLatin1String("Form2") ? PageRange{1, 10} : PageRange{11, 19};
}

QWidget* startPage(RecordingHost& host, const QString& page)
{
    QWidget* shown = host.start(page == QLatin1String("Form2") ? createForm2 : createForm3);
    shown->activateWindow();
    if (!QTest::qWaitForWindowActive(shown))
        qWarning("%s did not become active", qPrintable(page));
    return shown;
}

void markCodesUntouched()
{
    for (int q = 1; q <= 19; ++q)
        Module1::Record.AnswerCodes[q] = Untouched;
}

QList<int> storedCodes(PageRange range)
{
    QList<int> codes;
    for (int q = range.first; q <= range.last; ++q)
        codes << Module1::Record.AnswerCodes[q];
    return codes;
}

// The result page opened after Form3 computes its score from the codes of
// Q1..Q10 and the personal-data points, so those must hold real values.
void prepareForResultPage()
{
    for (int q = 1; q <= 10; ++q)
        Module1::Record.AnswerCodes[q] = 1;
    auto& data = Module1::Record.PersonalData;
    data[Name] = std::string("試験");
    data[SexPointsEntry] = std::int16_t(2);
    data[AgePointsEntry] = std::int16_t(5);
    data[HeightText] = std::string("170");
    data[WeightText] = std::string("60");
    data[BloodTypePointsEntry] = std::int16_t(8);
    data[BodyFatPointsEntry] = std::int16_t(0);
    data[SkinTonePointsEntry] = std::int16_t(5);
}

QString answerName(int index)
{
    return QStringLiteral("Answer%1").arg(index);
}

// Chooses `slot` for every question of the page.
void answerAll(QWidget* page, PageRange range, int slot)
{
    for (int q = range.first; q <= range.last; ++q)
        click(page, answerName(10 * q + slot));
}

QStringList checkedAnswers(QWidget* page)
{
    QStringList checked;
    for (auto* button : page->findChildren<QAbstractButton*>())
        if (button->objectName().startsWith(QLatin1String("Answer")) && button->isChecked())
            checked << button->objectName();
    return checked;
}

} // namespace

class TestQuestionPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void stopsAtFirstUnanswered_data();
    void stopsAtFirstUnanswered();
    void storesCodes_data();
    void storesCodes();
    void clearDeselectsEverything_data();
    void clearDeselectsEverything();
    void twoChoiceRowsLeaveMiddleEmpty();
    void choicesShowTheirColours_data();
    void choicesShowTheirColours();
    void focusOrder_data();
    void focusOrder();
    void passDestroysPageBeforeNextOne_data();
    void passDestroysPageBeforeNextOne();
};

void TestQuestionPages::initTestCase()
{
    installFontSubstitutions();
}

void TestQuestionPages::init()
{
    resetRecord();
    markCodesUntouched();
}

void TestQuestionPages::cleanup()
{
    QTRY_VERIFY2(visibleTopLevels().isEmpty(), qPrintable(visibleTopLevels().join(u',')));
}

void TestQuestionPages::stopsAtFirstUnanswered_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QList<int>>("choices"); // answer indexes clicked
    QTest::addColumn<QString>("message");
    QTest::addColumn<QList<int>>("codes"); // of the page's questions afterwards

    const int U = Untouched;
    QTest::newRow("Form2, nothing chosen")
        << "Form2" << QList<int>{} << "Q1の回答が選択されていません" << QList<int>(10, U);
    QTest::newRow("Form2, Q7 open")
        << "Form2" << QList<int>{11, 22, 33, 41, 53, 61} << "Q7の回答が選択されていません"
        << QList<int>{0, 1, 0, 2, 0, 10, U, U, U, U};
    QTest::newRow("Form2, only Q10 open")
        << "Form2" << QList<int>{13, 23, 31, 42, 51, 62, 72, 83, 91}
        << "Q10の回答が選択されていません" << QList<int>{2, 2, 2, 1, 2, 5, 4, 2, 2, U};
    QTest::newRow("Form3, nothing chosen")
        << "Form3" << QList<int>{} << "Q11の回答が選択されていません" << QList<int>(9, U);
    QTest::newRow("Form3, Q14 open")
        << "Form3" << QList<int>{111, 122, 133} << "Q14の回答が選択されていません"
        << QList<int>{2, 1, 20, U, U, U, U, U, U};
    QTest::newRow("Form3, Q16 open, later ones answered")
        << "Form3" << QList<int>{111, 121, 131, 141, 151, 171, 181, 191}
        << "Q16の回答が選択されていません" << QList<int>{2, 0, 0, 0, 0, U, U, U, U};
    QTest::newRow("Form3, only Q19 open")
        << "Form3" << QList<int>{113, 121, 132, 143, 151, 163, 171, 181}
        << "Q19の回答が選択されていません" << QList<int>{0, 0, 10, 2, 0, 2, 0, 0, U};
}

void TestQuestionPages::stopsAtFirstUnanswered()
{
    QFETCH(QString, page);
    QFETCH(QList<int>, choices);
    QFETCH(QString, message);
    QFETCH(QList<int>, codes);

    RecordingHost host;
    MessageRecorder messages;
    QWidget* shown = startPage(host, page);
    for (int index : choices)
        click(shown, answerName(index));
    const QStringList chosen = checkedAnswers(shown);

    click(shown, "Command1");

    QCOMPARE(messages.messages(), QStringList{message});
    QCOMPARE(storedCodes(questionsOf(page)), codes);
    // The other page's codes are not this page's business.
    const PageRange other = page == QLatin1String("Form2") ? PageRange{11, 19} : PageRange{1, 10};
    QCOMPARE(storedCodes(other), QList<int>(other.last - other.first + 1, Untouched));
    QTest::qWait(0);
    QCOMPARE(host.page(), shown);
    QCOMPARE(checkedAnswers(shown), chosen);
}

void TestQuestionPages::storesCodes_data()
{
    QTest::addColumn<int>("choice"); // answer index clicked
    QTest::addColumn<int>("code");

    QTest::newRow("Q3 便秘気味") << 31 << 2;
    QTest::newRow("Q6 はい") << 61 << 10;
    QTest::newRow("Q6 ふつう") << 62 << 5;
    QTest::newRow("Q7 はい") << 71 << 8;
    QTest::newRow("Q7 ふつう") << 72 << 4;
    QTest::newRow("Q8 熱い飲み物") << 81 << 0;
    QTest::newRow("Q13 ふつう") << 132 << 10;
    QTest::newRow("Q13 いいえ") << 133 << 20;
    QTest::newRow("Q14 いいえ") << 143 << 2;
    QTest::newRow("Q18 非常にかさつく") << 181 << 0;
}

void TestQuestionPages::storesCodes()
{
    QFETCH(int, choice);
    QFETCH(int, code);

    const int question = choice / 10;
    const QString page = question <= 10 ? QStringLiteral("Form2") : QStringLiteral("Form3");
    if (page == QLatin1String("Form3"))
        prepareForResultPage();
    RecordingHost host;
    MessageRecorder messages;
    QWidget* shown = startPage(host, page);
    answerAll(shown, questionsOf(page), 1);
    click(shown, answerName(choice));
    click(shown, "Command1");

    QCOMPARE(messages.messages(), QStringList());
    QCOMPARE(int(Module1::Record.AnswerCodes[question]), code);
    QTRY_VERIFY(host.page() && host.page()->objectName() != page);
}

void TestQuestionPages::clearDeselectsEverything_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("firstMessage");
    QTest::newRow("Form2") << "Form2" << "Q1の回答が選択されていません";
    QTest::newRow("Form3") << "Form3" << "Q11の回答が選択されていません";
}

void TestQuestionPages::clearDeselectsEverything()
{
    QFETCH(QString, page);
    QFETCH(QString, firstMessage);

    RecordingHost host;
    MessageRecorder messages;
    QWidget* shown = startPage(host, page);
    const PageRange range = questionsOf(page);
    answerAll(shown, range, 3);
    QCOMPARE(checkedAnswers(shown).size(), range.last - range.first + 1);

    click(shown, "Command2");
    QCOMPARE(checkedAnswers(shown), QStringList());
    QCOMPARE(messages.messages(), QStringList());
    QCOMPARE(storedCodes(range), QList<int>(range.last - range.first + 1, Untouched));

    click(shown, "Command1");
    QCOMPARE(messages.messages(), QStringList{firstMessage});

    // Each question is one exclusive choice again.
    click(shown, answerName(10 * range.first + 1));
    click(shown, answerName(10 * range.first + 3));
    QCOMPARE(checkedAnswers(shown), QStringList{answerName(10 * range.first + 3)});
}

void TestQuestionPages::twoChoiceRowsLeaveMiddleEmpty()
{
    RecordingHost host;
    QWidget* page = host.start(createForm3);
    const QWidget* left = control(page, "Answer111");
    const QWidget* right = control(page, "Answer113");
    for (int q = 14; q <= 17; ++q) {
        QVERIFY(!page->findChild<QWidget*>(answerName(10 * q + 2)));
        QCOMPARE(control(page, answerName(10 * q + 1))->geometry(), left->geometry());
        QCOMPARE(control(page, answerName(10 * q + 3))->geometry(), right->geometry());
        QCOMPARE(control(page, answerName(10 * q + 3))->parentWidget()->objectName(),
                 QStringLiteral("Frame%1").arg(q - 10));
    }
    QVERIFY(page->findChild<QWidget*>("Answer182"));
}

void TestQuestionPages::choicesShowTheirColours_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("button");
    QTest::newRow("Form1 option") << "Form1" << "Option21";
    QTest::newRow("Form2 choice") << "Form2" << "Answer11";
    QTest::newRow("Form3 two-choice row") << "Form3" << "Answer141";
}

void TestQuestionPages::choicesShowTheirColours()
{
    QFETCH(QString, page);
    QFETCH(QString, button);

    RecordingHost host;
    QWidget* shown = host.start(page == QLatin1String("Form1")   ? createForm1
                                : page == QLatin1String("Form2") ? createForm2
                                                                 : createForm3);
    QWidget* choice = control(shown, button);
    const QImage image = shown->grab().toImage();
    const QRect cell(choice->mapTo(shown, QPoint(0, 0)), choice->size());
    // The right end of the cell is clear of the circle and the caption; the
    // gap after the cell belongs to the group.
    const QPoint inCell(cell.right() - 1, cell.center().y());
    const QPoint inGroup(cell.right() + 3, cell.center().y());
    const qreal ratio = image.devicePixelRatio();
    QCOMPARE(image.pixelColor(inCell * ratio), QColor(128, 255, 255));
    QCOMPARE(image.pixelColor(inGroup * ratio), QColor(210, 255, 255));
}

void TestQuestionPages::focusOrder_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("chain");
    QTest::addColumn<QStringList>("walk"); // Tab stops once per question

    QStringList chain2, walk2;
    for (int q = 1; q <= 10; ++q) {
        chain2 << answerName(10 * q + 2) << answerName(10 * q + 3) << answerName(10 * q + 1);
        walk2 << answerName(10 * q + 2);
    }
    chain2 << "Command1" << "Command2";
    walk2 << "Command1" << "Command2" << "Answer12";
    QTest::newRow("Form2") << "Form2" << chain2 << walk2;

    const QStringList chain3 = {
        "Answer112", "Answer113", "Answer111", "Answer122", "Answer123", "Answer121",
        "Answer132", "Answer133", "Answer131", "Answer141", "Answer143", "Answer151",
        "Answer153", "Answer161", "Answer163", "Answer171", "Answer173", "Answer182",
        "Answer183", "Answer181", "Answer192", "Answer193", "Answer191", "Command1",
        "Command2",
    };
    const QStringList walk3 = {
        "Answer112", "Answer122", "Answer132", "Answer141", "Answer151", "Answer161",
        "Answer171", "Answer182", "Answer192", "Command1",  "Command2",  "Answer112",
    };
    QTest::newRow("Form3") << "Form3" << chain3 << walk3;
}

void TestQuestionPages::focusOrder()
{
    QFETCH(QString, page);
    QFETCH(QStringList, chain);
    QFETCH(QStringList, walk);

    RecordingHost host;
    QWidget* shown = startPage(host, page);
    QCOMPARE(focusChain(shown), chain);
    QCOMPARE(tabWalk(shown, int(walk.size())), walk);
}

void TestQuestionPages::passDestroysPageBeforeNextOne_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("next");
    QTest::newRow("Form2 to Form3") << "Form2" << "Form3";
    QTest::newRow("Form3 to Form4") << "Form3" << "Form4";
}

void TestQuestionPages::passDestroysPageBeforeNextOne()
{
    QFETCH(QString, page);
    QFETCH(QString, next);

    if (page == QLatin1String("Form3"))
        prepareForResultPage();
    RecordingHost host;
    MessageRecorder messages;
    QWidget* shown = startPage(host, page);
    const PageRange range = questionsOf(page);
    answerAll(shown, range, 2 + (range.first == 11)); // Q14..Q17 have no middle
    click(shown, "Command1");

    QTRY_VERIFY(host.page() && host.page()->objectName() == next);
    QCOMPARE(host.destroyedPages(), QStringList{page});
    QCOMPARE(host.livePagesAtCreation(), QStringList());
    QCOMPARE(host.page()->pos(), QPoint(0, 0));
    QCOMPARE(messages.messages(), QStringList());
    QVERIFY(!storedCodes(range).contains(Untouched));
}

QTEST_MAIN(TestQuestionPages)
#include "test_question_pages.moc"
