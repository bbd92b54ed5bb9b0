// Moving between the result pages and ending the program from each of them.
#include "PageFactories.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"

#include <QPushButton>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

void click(QWidget* page, const char* button)
{
    auto* target = page ? page->findChild<QPushButton*>(QString::fromLatin1(button)) : nullptr;
    QVERIFY2(target, button);
    QTest::mouseClick(target, Qt::LeftButton);
}

QString pageName(const RecordingHost& host)
{
    return host.page() ? host.page()->objectName() : QString();
}

} // namespace

class TestResultRoutes : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void routes_data();
    void routes();
};

void TestResultRoutes::init()
{
    resetRecord();
    fillRecordForScore("ABC", 57);
}

void TestResultRoutes::cleanup()
{
    QTRY_VERIFY_WITH_TIMEOUT(leftoverWindows().isEmpty(), 2000);
}

void TestResultRoutes::routes_data()
{
    // Buttons pressed from Form4 on, and the pages shown after each press;
    // the last press is always "終了".
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QStringList>("pages");

    QTest::newRow("4 → 5 → 6 → 7, end") << QStringList{"Command2", "Command2", "Command2", "Command1"}
                                        << QStringList{"Form5", "Form6", "Form7"};
    QTest::newRow("4 → 6 → 7, end") << QStringList{"Command3", "Command2", "Command1"}
                                    << QStringList{"Form6", "Form7"};
    QTest::newRow("end on 4") << QStringList{"Command1"} << QStringList{};
    QTest::newRow("end on 5") << QStringList{"Command2", "Command1"} << QStringList{"Form5"};
    QTest::newRow("end on 6 from 5") << QStringList{"Command2", "Command2", "Command1"}
                                     << QStringList{"Form5", "Form6"};
    QTest::newRow("end on 6 from 4") << QStringList{"Command3", "Command1"} << QStringList{"Form6"};
}

void TestResultRoutes::routes()
{
    QFETCH(QStringList, presses);
    QFETCH(QStringList, pages);

    RecordingHost host;
    host.start(createForm4);
    QStringList expectedDestroyed{"Form4"};
    for (qsizetype i = 0; i < presses.size(); ++i) {
        click(host.page(), qPrintable(presses[i]));
        if (i < pages.size()) {
            QTRY_COMPARE(pageName(host), pages[i]);
            // The page before is gone before the next one is made.
            QCOMPARE(host.livePagesAtCreation(), QStringList());
            QCOMPARE(host.destroyedPages(), expectedDestroyed);
            expectedDestroyed << pages[i];
            QVERIFY(!host.ended());
        }
    }
    QTRY_VERIFY(host.ended());
    QCOMPARE(host.page(), nullptr);
    QCOMPARE(host.destroyedPages(), expectedDestroyed);
}

QTEST_MAIN(TestResultRoutes)
#include "test_result_routes.moc"
