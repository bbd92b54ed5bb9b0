// The questionnaire pages inside the real main window: a menu dialog in the
// middle of the personal data page, and the hand-over to the next page at
// the top-left corner of the client area.
#include "AssessmentRecord.h"
#include "FormMain.h"
#include "Fonts.h"
#include "QuestionnaireTestSupport.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QTimer>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

// Closes the next modal dialog from inside its event loop, and tells which
// dialog it was.
void closeNextModal(QString* closed)
{
    QTimer::singleShot(0, [closed] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            *closed = modal->objectName();
            modal->close();
        } else {
            closeNextModal(closed);
        }
    });
}

QPoint topLeftInClientArea(const FormMain& window, QWidget* page)
{
    return page->mapTo(window.clientArea()->viewport(), QPoint(0, 0));
}

} // namespace

class TestQuestionnaireInMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menuDialogKeepsForm1Entries();
    void pagesFollowAtTopLeft();
};

void TestQuestionnaireInMainWindow::initTestCase()
{
    installFontSubstitutions();
}

void TestQuestionnaireInMainWindow::init()
{
    resetRecord();
}

void TestQuestionnaireInMainWindow::cleanup()
{
    QTRY_VERIFY2(visibleTopLevels().isEmpty(), qPrintable(visibleTopLevels().join(u',')));
}

void TestQuestionnaireInMainWindow::menuDialogKeepsForm1Entries()
{
    FormMain window;
    window.showCentred();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget* page = window.currentPage();
    QCOMPARE(page->objectName(), QStringLiteral("Form1"));

    type(page, "Text1", QStringLiteral("山田花子"));
    click(page, "Option12");
    type(page, "Text2", QStringLiteral("30"));
    QTest::mouseClick(control(page, "Text3"), Qt::LeftButton);
    type(page, "Text3", QStringLiteral("16"));

    QString closed;
    closeNextModal(&closed);
    window.findChild<QAction*>(QStringLiteral("Menu2"))->trigger();
    QCOMPARE(closed, QStringLiteral("FormMenu2"));

    QCOMPARE(window.currentPage(), page);
    QCOMPARE(control<QLineEdit>(page, "Text1")->text(), QStringLiteral("山田花子"));
    QCOMPARE(control<QLineEdit>(page, "Text2")->text(), QStringLiteral("30"));
    QCOMPARE(control<QLineEdit>(page, "Text3")->text(), QStringLiteral("16"));
    QVERIFY(control<QAbstractButton>(page, "Option12")->isChecked());
    // Back in the main window, the focus is where the user left it.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), control(page, "Text3"));
    QCOMPARE(storedPersonalData(), QStringList(8, QStringLiteral("-")));

    // The user carries on where they were.
    type(page, "Text3", QStringLiteral("0"));
    QCOMPARE(control<QLineEdit>(page, "Text3")->text(), QStringLiteral("160"));
}

void TestQuestionnaireInMainWindow::pagesFollowAtTopLeft()
{
    MessageRecorder messages;
    FormMain window;
    window.showCentred();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget* page = window.currentPage();
    QCOMPARE(topLeftInClientArea(window, page), QPoint(0, 0));

    type(page, "Text1", QStringLiteral("山田花子"));
    for (const char* option : {"Option11", "Option21", "Option31"})
        click(page, option);
    type(page, "Text2", QStringLiteral("30"));
    type(page, "Text3", QStringLiteral("170"));
    type(page, "Text4", QStringLiteral("60"));
    click(page, "Command1");
    QTRY_COMPARE(window.currentPage()->objectName(), QStringLiteral("Form2"));
    page = window.currentPage();
    QCOMPARE(topLeftInClientArea(window, page), QPoint(0, 0));
    QCOMPARE(window.clientArea()->subWindowList().size(), 1);

    for (int q = 1; q <= 10; ++q)
        click(page, QStringLiteral("Answer%1").arg(10 * q + 1));
    click(page, "Command1");
    QTRY_COMPARE(window.currentPage()->objectName(), QStringLiteral("Form3"));
    page = window.currentPage();
    QCOMPARE(topLeftInClientArea(window, page), QPoint(0, 0));
    QCOMPARE(window.clientArea()->subWindowList().size(), 1);
    QCOMPARE(messages.messages(), QStringList());
}

QTEST_MAIN(TestQuestionnaireInMainWindow)
#include "test_questionnaire_in_main_window.moc"
