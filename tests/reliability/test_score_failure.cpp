// The susceptibility result page over a record that yields no score: codes
// or points that no page stores (only a corrupted record holds them). The
// page must say so, show no score and no class, and leave the record and
// the rest of the program usable.
#include "AssessmentRecord.h"
#include "PageFactories.h"
#include "ProgramDriver.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

const QString NoJudgement = QStringLiteral("判定できませんでした");

using Corruption = std::function<void(AssessmentRecord&)>;

QPushButton* button(QWidget* page, const char* name)
{
    return control<QPushButton>(page, QString::fromLatin1(name));
}

} // namespace

Q_DECLARE_METATYPE(Corruption)

class TestScoreFailure : public WidgetTest {
    Q_OBJECT

private slots:
    void init();

    void noScoreFromCorruptedRecord_data();
    void noScoreFromCorruptedRecord();
    void highestScoreStillShows();
    void messageComesOverTheShownPage();
};

void TestScoreFailure::init()
{
    WidgetTest::init();
    fillRecordForScore(record_, "蚊野 花子", 44);
}

void TestScoreFailure::noScoreFromCorruptedRecord_data()
{
    // One row for each way the model refuses a score (an overflow, points
    // that are no number); which records fall under each is the model's own
    // table test.
    QTest::addColumn<Corruption>("corrupt");

    QTest::newRow("every code 255") << Corruption([](AssessmentRecord& r) {
        for (int q = 1; q <= 19; ++q)
            r.AnswerCodes[q] = 255;
    });
    QTest::newRow("points never stored") << Corruption([](AssessmentRecord& r) {
        r.PersonalData[AgePointsEntry] = PersonalEntry();
    });
}

void TestScoreFailure::noScoreFromCorruptedRecord()
{
    QFETCH(Corruption, corrupt);
    AssessmentRecord& record = record_;
    corrupt(record);
    record.AnswerCodes[0] = 17; // an earlier judgement, which must stay as it was
    record.SusceptibilityScore = 57;
    const AssessmentRecord before = record;

    MessageRecorder messages;
    RecordingHost host(record_);
    QWidget* page = host.start(createScorePage);
    QTRY_COMPARE(messages.messages(), QStringList{NoJudgement});
    QVERIFY(record == before);

    // No score line, and no class stands out on the scale.
    QCOMPARE(page->findChild<QTextEdit*>(QStringLiteral("scoreLine"))->toPlainText(), QString());
    for (const char* name : ClassScale) {
        auto* scale = page->findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY(scale);
        QCOMPARE(scale->font().pixelSize(), pointsToPixels(14.25));
        QCOMPARE(scale->x(), twips(3000));
    }
    // The details would only repeat the earlier judgement: that way is
    // closed. The caution points and the end stay open.
    QVERIFY(!button(page, "detailsButton")->isEnabled());
    QVERIFY(button(page, "cautionButton")->isEnabled());
    QVERIFY(button(page, "quitButton")->isEnabled());
    QTest::mouseClick(button(page, "detailsButton"), Qt::LeftButton);
    QTest::qWait(20);
    QCOMPARE(host.page(), page);

    QTest::mouseClick(button(page, "cautionButton"), Qt::LeftButton);
    QTRY_VERIFY(host.page() && host.page()->objectName() == QLatin1String("CautionPage"));
    QCOMPARE(messages.messages(), QStringList{NoJudgement});
}

void TestScoreFailure::highestScoreStillShows()
{
    // 245 from the answers and 10 points: the highest sum that is a score.
    AssessmentRecord& record = record_;
    for (int q = 1; q <= 18; ++q)
        record.AnswerCodes[q] = 13;
    record.AnswerCodes[19] = 11;
    record.PersonalData[AgePointsEntry] = PersonalEntry(std::int16_t{3});
    record.PersonalData[SkinTonePointsEntry] = PersonalEntry(std::int16_t{3});

    MessageRecorder messages;
    RecordingHost host(record_);
    QWidget* page = host.start(createScorePage);
    QTest::qWait(20);
    QCOMPARE(messages.messages(), QStringList());
    QCOMPARE(page->findChild<QTextEdit*>(QStringLiteral("scoreLine"))->toPlainText(),
             QStringLiteral("蚊野 花子 さんの総合点数は100点満点で255点です。"));
    QVERIFY(button(page, "detailsButton")->isEnabled());
}

void TestScoreFailure::messageComesOverTheShownPage()
{
    // The real box, in the main window: it comes up once the page stands in
    // the client area, owned by the main window, and leaves the page usable.
    ProgramDriver program;
    fillRecordForScore(program.record(), "蚊野 花子", 44);
    program.record().AnswerCodes[7] = 250;
    QString text;
    bool pageShownUnderBox = false;
    QWidget* boxWindow = nullptr;
    auto watch = std::make_unique<ModalWatch>([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return;
        text = box->text();
        QWidget* page = program.page();
        pageShownUnderBox = page && page->objectName() == QLatin1String("ScorePage") && page->isVisible();
        boxWindow = box->parentWidget() ? box->parentWidget()->window() : nullptr;
        box->button(QMessageBox::Ok)->click();
    });
    program.main().replacePage(program.page(), createScorePage);
    QTRY_COMPARE(text, NoJudgement);
    watch.reset();
    QVERIFY(pageShownUnderBox);
    QCOMPARE(boxWindow, &program.main());
    QTRY_VERIFY(!QApplication::activeModalWidget());

    program.click(QStringLiteral("quitButton"));
    QTRY_VERIFY(!program.main().isVisible());
}

QTEST_MAIN(TestScoreFailure)
#include "test_score_failure.moc"
