// One whole run of the program: the splash on a fake clock, the three
// questionnaire pages filled in with clicks and typed keys, the four result
// pages read and left, and "終了" closing the main window.
#include "AssessmentRecord.h"
#include "MainWindow.h"
#include "Program.h"
#include "ResultTestSupport.h"
#include "ShellSupport.h"
#include "TestSupport.h"

#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

class TestWalk : public WidgetTest {
    Q_OBJECT

private slots:
    void cleanup()
    {
        main_.reset();
        WidgetTest::cleanup();
    }
    void wholeRun();

private:
    std::unique_ptr<MainWindow> main_;
    driving::PageDriver pages_{[this] { return main_ ? main_->currentPage() : nullptr; }};
};

void TestWalk::wholeRun()
{
    MessageRecorder messages;
    main_ = startedProgram(record_);
    QVERIFY(main_ && main_->isVisible());

    // 男性 2, over 24 5, O 8, 20 % of 65 kg = 13 kg 5, normal skin 5: 25 points.
    QWidget* page = nullptr;
    QVERIFY((page = waitForPage(pages_, *main_, "PersonalDataPage")));
    const driving::PersonalEntries entries = driving::PersonalEntries::walker(QStringLiteral("Ka {Taro}\\蚊野"));
    pages_.fillPersonalData(entries);
    pages_.click(QStringLiteral("nextButton"));

    // Q1..Q10 in the middle: 1, 1, 1, 1, 1, 5, 4, 1, 1, 1 = 17.
    QVERIFY((page = waitForPage(pages_, *main_, "QuestionsQ1toQ10Page")));
    pages_.answer(1, 10, 2);
    pages_.click(QStringLiteral("nextButton"));
    // Q11..Q19: the middle where there is one (1, 1, 10, 1, 1), "はい" for Q14..Q17 (0 each) = 14.
    QVERIFY((page = waitForPage(pages_, *main_, "QuestionsQ11toQ19Page")));
    pages_.answer(11, 19, 2);
    pages_.click(QStringLiteral("nextButton"));

    // 17 + 14 = 31 from the answers and 25 points: 56 (how each class shows is
    // the results test's classDisplay).
    QVERIFY((page = waitForPage(pages_, *main_, "ScorePage")));
    QCOMPARE(textPieces(control<QTextEdit>(page, QStringLiteral("scoreLine"))->document()),
             QStringLiteral("[Ka {Taro}\\蚊野|#0000ff|0px|b0] [ さんの総合点数は100点満点で56点です。|default|0px|b0]"));
    click(page, QStringLiteral("detailsButton"));

    QVERIFY((page = waitForPage(pages_, *main_, "DetailsPage")));
    QCOMPARE(labelText(page, "typeSentenceLabel"), QStringLiteral("刺されやすい Ka {Taro}\\蚊野 さんは 虚実中間型 です。"));
    QCOMPARE(labelText(page, "obesityLabel"), QStringLiteral("あなたの肥満度は　10.4%　です。"));
    QCOMPARE(labelText(page, "bmiLabel"), QStringLiteral("あなたのBMIは　22.5　です。"));
    click(page, QStringLiteral("cautionButton"));

    QVERIFY((page = waitForPage(pages_, *main_, "CautionPage")));
    QCOMPARE(labelText(page, "titleLabel"), QStringLiteral("注意すべき点"));
    click(page, QStringLiteral("adviceButton"));

    QVERIFY((page = waitForPage(pages_, *main_, "AdvicePage")));
    QVERIFY(labelText(page, "contactLabel").contains(QStringLiteral(TELLUMO_CONTACT_EMAIL)));
    click(page, QStringLiteral("quitButton"));

    QTRY_VERIFY(!main_->isVisible());
    QCOMPARE(main_->currentPage(), nullptr);
    QCOMPARE(messages.messages(), QStringList());
    QCOMPARE(int(record_.answerTotal()), 31);
    QCOMPARE(int(record_.SusceptibilityScore), 56);
}

QTEST_MAIN(TestWalk)
#include "test_walk.moc"
