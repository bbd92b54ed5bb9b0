// The detailed result page: type sentence, obesity degree, BMI, fixed texts.
#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

void setRecord(const QString& name, int score, int answerTotal, const QString& height, const QString& weight)
{
    AssessmentRecord& record = Module1::Record;
    record.PersonalData[Name] = PersonalEntry(name.toStdString());
    record.PersonalData[HeightText] = PersonalEntry(height.toStdString());
    record.PersonalData[WeightText] = PersonalEntry(weight.toStdString());
    record.SusceptibilityScore = static_cast<std::uint8_t>(score);
    record.AnswerCodes[0] = static_cast<std::uint8_t>(answerTotal);
}

QString obesity(const char* degree)
{
    return QStringLiteral("あなたの肥満度は　%1%　です。").arg(QString::fromLatin1(degree));
}

QString bmi(const char* value)
{
    return QStringLiteral("あなたのBMIは　%1　です。").arg(QString::fromLatin1(value));
}

} // namespace

class TestForm5 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void typeSentence_data();
    void typeSentence();
    void measures_data();
    void measures();
    void fixedTexts();
    void legendColumnsLineUp();
    void buttonsAndTabOrder();
};

void TestForm5::initTestCase()
{
    installFontSubstitutions();
}

void TestForm5::init()
{
    resetRecord();
}

void TestForm5::cleanup()
{
    QTRY_VERIFY_WITH_TIMEOUT(leftoverWindows().isEmpty(), 2000);
}

void TestForm5::typeSentence_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("answerTotal");
    QTest::addColumn<QString>("expected");

    const QString n = QStringLiteral("ABC");
    QTest::newRow("score 19, total 0") << n << 19 << 0 << QStringLiteral("刺されにくい ABC さんは 虚証型 です。");
    QTest::newRow("score 20, total 24") << n << 20 << 24 << QStringLiteral("普通程度の ABC さんは 虚証型 です。");
    QTest::newRow("score 39, total 25") << n << 39 << 25 << QStringLiteral("普通程度の ABC さんは 虚実中間型 です。");
    QTest::newRow("score 40, total 45") << n << 40 << 45 << QStringLiteral("刺されやすい ABC さんは 虚実中間型 です。");
    QTest::newRow("score 59, total 46") << n << 59 << 46 << QStringLiteral("刺されやすい ABC さんは 実証型 です。");
    QTest::newRow("score 60, total 70") << n << 60 << 70 << QStringLiteral("非常に刺されやすい ABC さんは 実証型 です。");
    QTest::newRow("score 45, total 30") << n << 45 << 30 << QStringLiteral("刺されやすい ABC さんは 虚実中間型 です。");
    QTest::newRow("class 1 with the strong type") << n << 10 << 255 << QStringLiteral("刺されにくい ABC さんは 実証型 です。");
    QTest::newRow("name with spaces") << QStringLiteral(" 山田　太郎 ") << 100 << 70
                                      << QStringLiteral("非常に刺されやすい  山田　太郎  さんは 実証型 です。");
    QTest::newRow("name with braces") << QStringLiteral("a}b{\\CF5 x") << 30 << 20
                                      << QStringLiteral("普通程度の a}b{\\CF5 x さんは 虚証型 です。");
}

void TestForm5::typeSentence()
{
    QFETCH(QString, name);
    QFETCH(int, score);
    QFETCH(int, answerTotal);
    QFETCH(QString, expected);
    setRecord(name, score, answerTotal, QStringLiteral("170"), QStringLiteral("65"));
    RecordingHost host;
    QCOMPARE(labelText(host.start(createForm5), "Label4"), expected);
}

void TestForm5::measures_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("obesityLine");
    QTest::addColumn<QString>("bmiLine");

    QTest::newRow("170 cm, 65 kg") << "170" << "65" << obesity("10.4") << bmi("22.5");
    QTest::newRow("200 cm, 80 kg: no standard weight") << "200" << "80" << QString() << bmi("20");
    QTest::newRow("standard weight gives 0") << "170" << "58.86" << obesity("0") << bmi("20.4");
    QTest::newRow("below standard weight") << "150" << "40" << obesity("-12.4") << bmi("17.8");
    QTest::newRow("lowest height in the table") << "51.0" << "3" << obesity("-7.1") << bmi("11.5");
    QTest::newRow("just below the table") << "50.9" << "3" << QString() << bmi("11.6");
    QTest::newRow("full-width digits") << "１７０" << "６５" << obesity("10.4") << bmi("22.5");
    QTest::newRow("zero weight") << "170" << "0" << obesity("-100") << bmi("0");
    // Entries the personal data page refuses never get here; if one did,
    // its lines stay empty.
    QTest::newRow("height not a number") << "abc" << "65" << QString() << QString();
    QTest::newRow("weight not a number") << "170" << "6 5" << QString() << QString();
    QTest::newRow("zero height") << "0" << "65" << QString() << QString();
    QTest::newRow("negative height") << "-170" << "65" << QString() << QString();
    QTest::newRow("negative weight") << "170" << "-1" << QString() << QString();
    QTest::newRow("empty entries") << "" << "" << QString() << QString();
    QTest::newRow("BMI beyond every number")
        << QStringLiteral("0.") + QString(199, QLatin1Char('0')) + QStringLiteral("1") << "1" << QString()
        << QString();
}

void TestForm5::measures()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, obesityLine);
    QFETCH(QString, bmiLine);
    setRecord(QStringLiteral("N"), 30, 20, height, weight);
    RecordingHost host;
    QWidget* page = host.start(createForm5);
    QCOMPARE(labelText(page, "Label5"), obesityLine);
    QCOMPARE(labelText(page, "Label6"), bmiLine);
    QCOMPARE(labelText(page, "Label4"), QStringLiteral("普通程度の N さんは 虚証型 です。"));
}

void TestForm5::fixedTexts()
{
    setRecord(QStringLiteral("N"), 30, 20, QStringLiteral("170"), QStringLiteral("65"));
    RecordingHost host;
    QWidget* page = host.start(createForm5);

    const QColor blue(0, 0, 255);
    const struct {
        const char* name;
        QString text;
        QRect place;
        int pixelSize;
        bool blue;
    } rows[] = {
        {"Label2", QStringLiteral("判定結果の詳細"), twipsRect(0, 700, 10000, 450), pointsToPixels(14.25), false},
        {"Label4", QStringLiteral("普通程度の N さんは 虚証型 です。"), twipsRect(1800, 1200, 8000, 420), pointsToPixels(14.25), false},
        {"Label7", TypeExplanation, twipsRect(2100, 1600, 6200, 1000), pointsToPixels(12), true},
        {"Label5", obesity("10.4"), twipsRect(1800, 2750, 8000, 400), pointsToPixels(14.25), false},
        {"Label6", bmi("22.5"), twipsRect(1800, 3300, 8000, 400), pointsToPixels(14.25), false},
        {"Label1", BmiExplanation, twipsRect(2100, 3700, 6200, 500), pointsToPixels(12), true},
        {"Label3", Legend, twipsRect(2400, 4200, 6200, 1200), pointsToPixels(12), true},
    };
    for (const auto& row : rows) {
        QLabel* l = label(page, row.name);
        QVERIFY2(l, row.name);
        QCOMPARE(l->text(), row.text);
        QCOMPARE(l->geometry(), row.place);
        QCOMPARE(l->font().pixelSize(), row.pixelSize);
        QVERIFY2(l->font().bold(), row.name);
        // Plain text: spaces stand as written and nothing is read as markup.
        QCOMPARE(l->textFormat(), Qt::PlainText);
        if (row.blue)
            QCOMPARE(textColour(l), blue);
    }
    QCOMPARE(label(page, "Label2")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
}

void TestForm5::legendColumnsLineUp()
{
    setRecord(QStringLiteral("N"), 30, 20, QStringLiteral("170"), QStringLiteral("65"));
    RecordingHost host;
    QLabel* legend = label(host.start(createForm5), "Label3");

    // Where the tilde and the name column start on each line.
    const QFontMetricsF metrics(legend->font());
    const QStringList lines = legend->text().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5);
    const auto columns = [&](const QString& line) {
        const qsizetype tilde = line.indexOf(QChar(0xFF5E));
        qsizetype name = line.size();
        while (name > 0 && line[name - 1] != u' ')
            --name;
        return std::pair{metrics.horizontalAdvance(line.left(tilde)), metrics.horizontalAdvance(line.left(name))};
    };
    const auto first = columns(lines[0]);
    QVERIFY(first.first > 0);
    for (const QString& line : lines) {
        const auto at = columns(line);
        QVERIFY2(qAbs(at.first - first.first) < 0.5, qPrintable(line));
        QVERIFY2(qAbs(at.second - first.second) < 0.5, qPrintable(line));
    }
    // All five lines fit the label's height.
    auto* lines5 = qobject_cast<PageLabel*>(legend);
    QVERIFY(lines5);
    QCOMPARE(lines5->textHeight(), 5 * pointsToPixels(12));
    QVERIFY(lines5->textHeight() <= legend->height());
    // The CR LF breaks draw nothing of their own.
    QVERIFY(paintsLike(legend, QString(Legend).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
}

void TestForm5::buttonsAndTabOrder()
{
    setRecord(QStringLiteral("N"), 30, 20, QStringLiteral("170"), QStringLiteral("65"));
    RecordingHost host;
    QWidget* page = host.start(createForm5);
    auto* command1 = page->findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* command2 = page->findChild<QPushButton*>(QStringLiteral("Command2"));
    QVERIFY(command1 && command2);
    QCOMPARE(command1->text(), QStringLiteral("終了"));
    QCOMPARE(command1->geometry(), twipsRect(5800, 5600, 1200, 800));
    QCOMPARE(command2->text(), QStringLiteral("注意すべき点"));
    QCOMPARE(command2->geometry(), twipsRect(2800, 5600, 2000, 800));
    QCOMPARE(page->focusWidget(), command1);
    QWidget* next = command1->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    QCOMPARE(next, command2);
}

QTEST_MAIN(TestForm5)
#include "test_form5.moc"
