// In a browser session the keep-the-result commands write into the session's
// download folder without a dialog; elsewhere they ask as before.
#include "PageFactories.h"
#include "DownloadFolder.h"
#include "ResultExport.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"

#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

using Command = std::function<bool(QWidget* page, const AssessmentRecord& record)>;
Q_DECLARE_METATYPE(Command)

class TestDownloadFolder : public WidgetTest {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        WidgetTest::initTestCase();
        ResultExport::setToday([] { return QDate(2025, 5, 3); });
    }
    void cleanup()
    {
        qunsetenv(DownloadFolder::Variable);
        ResultExport::setAskFileName({});
        ResultExport::setAskPrinter({});
        WidgetTest::cleanup();
    }
    void commandsWriteThereWithoutAsking_data();
    void commandsWriteThereWithoutAsking();
};

void TestDownloadFolder::commandsWriteThereWithoutAsking_data()
{
    // folder: "" outside a browser session, "ok" a usable folder, "missing" one that is gone
    addColumns<Command, QString, QString, QByteArray>({"command", "folder", "written", "start"});
    const Command pdf = ResultExport::savePdf, print = ResultExport::print;
    const Command picture = [](QWidget* page, const AssessmentRecord&) {
        return ResultExport::savePicture(page, QStringLiteral("判定結果"));
    };
    QTest::newRow("PDF") << pdf << "ok" << "Tellumo-結果-20250503.pdf" << QByteArray("%PDF-");
    QTest::newRow("picture") << picture << "ok" << "Tellumo-判定結果-20250503.png" << QByteArray("\x89PNG");
    QTest::newRow("printing makes the PDF") << print << "ok" << "Tellumo-結果-20250503.pdf" << QByteArray("%PDF-");
    QTest::newRow("PDF, folder gone") << pdf << "missing" << "" << QByteArray();
    QTest::newRow("printing, folder gone") << print << "missing" << "" << QByteArray();
    QTest::newRow("PDF on a desktop") << pdf << "" << "" << QByteArray();
    QTest::newRow("printing on a desktop") << print << "" << "" << QByteArray();
}

void TestDownloadFolder::commandsWriteThereWithoutAsking()
{
    QFETCH(Command, command);
    QFETCH(QString, folder);
    QFETCH(QString, written);
    QFETCH(QByteArray, start);
    QTemporaryDir scratch;
    const QString downloads = scratch.filePath(QStringLiteral("downloads"));
    QDir().mkpath(downloads);
    if (!folder.isEmpty())
        qputenv(DownloadFolder::Variable, scratch.filePath(folder == u"ok" ? QStringLiteral("downloads")
                                                                           : QStringLiteral("gone")).toUtf8());
    int asked = 0;
    ResultExport::setAskFileName([&](QWidget*, const QString&, const QString&, const QString&) {
        ++asked;
        return QString();
    });
    ResultExport::setAskPrinter([&](QWidget*, QPrinter&) {
        ++asked;
        return false;
    });
    RecordingHost host(record_);
    QWidget* page = host.startScored(createScorePage, "山田 花子", 57);
    MessageRecorder messages;

    const bool done = command(page, record_);
    QCOMPARE(asked, folder.isEmpty() ? 1 : 0);
    QCOMPARE(done, !written.isEmpty());
    QCOMPARE(QDir(downloads).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList{written});
    QCOMPARE(messages.messages().size(), folder == u"missing" ? 1 : 0);
    if (!written.isEmpty()) {
        QFile file(QDir(downloads).filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(start.size()) == start);
    }
}

QTEST_MAIN(TestDownloadFolder)
#include "test_download_folder.moc"
