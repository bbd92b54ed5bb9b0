// Work done ahead of need: the first splash picture decoded at build time,
// and the pages prepared while the splash waits.
#include "AssessmentRecord.h"
#include "MainWindow.h"
#include "Page.h"
#include "PagePreparation.h"
#include "Pictures.h"
#include "Program.h"
#include "ShellSupport.h"
#include "SplashWindow.h"
#include "TestSupport.h"

#include <QApplication>
#include <QImageReader>
#include <QResource>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {
int pagesAlive()
{
    int pages = 0;
    for (QWidget* widget : QApplication::allWidgets())
        pages += qobject_cast<Page*>(widget) != nullptr;
    return pages;
}
} // namespace

class TestPreparation : public WidgetTest {
    Q_OBJECT

private slots:
    void predecodedPictureIsTheDecodersOwn();
    void preparedPagesLeaveNothingBehind_data();
    void preparedPagesLeaveNothingBehind();
    void noPageExistsWhileTheSplashShows();
};

void TestPreparation::predecodedPictureIsTheDecodersOwn()
{
    const QString path = QStringLiteral(":/pictures/mosquito-dashing.jpg");
    const QResource decoded(QStringLiteral(":/decoded/pictures/mosquito-dashing.jpg.rgb32"));
    QVERIFY(decoded.isValid());
    QCOMPARE(decoded.compressionAlgorithm(), QResource::NoCompression);
    const QImage expected = QImageReader(path).read().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(expected.size(), QSize(339, 187));
    QCOMPARE(loadPicture(path, 1.0).toImage().convertToFormat(QImage::Format_RGB32), expected);
}

void TestPreparation::preparedPagesLeaveNothingBehind_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1x") << 1.0;
    QTest::newRow("1.5x") << 1.5;
    QTest::newRow("2x") << 2.0;
}

void TestPreparation::preparedPagesLeaveNothingBehind()
{
    QFETCH(qreal, ratio);
    MessageRecorder messages;
    const int widgets = QApplication::allWidgets().size();
    PagePreparation::decodeBackgrounds(ratio);
    PagePreparation::paintEveryPageOnce(ratio);
    QCoreApplication::processEvents();
    // No page, control or window survives, and no page told the user
    // anything about the scratch record it was built on.
    QCOMPARE(QApplication::allWidgets().size(), widgets);
    QCOMPARE(pagesAlive(), 0);
    QCOMPARE(messages.messages(), QStringList());
}

void TestPreparation::noPageExistsWhileTheSplashShows()
{
    FakeClock clock(0.5);
    QList<int> pagesPerState;
    auto main = Program::startUp(clock, record_,
                                 [&](SplashWindow&, int) { pagesPerState << pagesAlive(); });
    QCOMPARE(pagesPerState, QList<int>({0, 0, 0, 0, 0}));
    QCOMPARE(pagesAlive(), 1); // the personal data page, shown
    QCOMPARE(main->currentPage()->objectName(), QStringLiteral("PersonalDataPage"));
}

QTEST_MAIN(TestPreparation)
#include "test_preparation.moc"
