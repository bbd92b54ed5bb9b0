// Keeping the result: the PDF says what the result pages say and embeds its
// faces, the picture is the page pixel for pixel, failed saves leave nothing
// behind, and every result page offers the commands by menu and shortcut.
#include "AssessmentRecord.h"
#include "PageFactories.h"
#include "ResultExport.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"
#include "results/RichTextView.h"
#include "ShownName.h"
#include "PrintServer.h"
#include "SafeFile.h"
#include "Fonts.h"

#include <QAction>
#include <QGlyphRun>
#include <QTextLayout>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

const QDate Today(2025, 5, 3);

QString run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(tool), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Text extraction rebuilds spaces and line ends from where the glyphs stand
// and marks right-to-left runs with direction controls of its own; what a
// reader searches for is every other character, in order. Characters beyond
// U+FFFF (𠮷, emoji) and the joiners of emoji sequences are left out: Qt's
// PDF writer maps glyphs back to characters through the first 65,536 code
// points only, so it writes no text for them (they are drawn, and checked
// as drawn, all the same). (The layout mode
// keeps each printed line whole: without it a full-width space, a gap of
// one em, reads as the edge of a column.)
QString searchable(QString text)
{
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return c.isSpace() || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E)
            || (u >= 0x2066 && u <= 0x2069) || c.isSurrogate() || u == 0x200D || u == 0xFE0F;
    });
    return text;
}

QString pdfText(const QString& path)
{
    const QStringList arguments{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                                QStringLiteral("-")};
    return searchable(run(QStringLiteral("pdftotext"), arguments));
}

// What each result page shows for the record, as the page itself shows it.
QStringList pageTexts(AssessmentRecord& record)
{
    QStringList texts;
    RecordingHost host(record);
    QWidget* page = host.start(createScorePage);
    // A name too long for the page's line is cut there, and said whole to
    // assistive technology: the paper has room for all of it.
    texts << control<RichTextView>(page, QStringLiteral("scoreLine"))->accessibleName();
    QLabel* marked = nullptr;
    for (const char* name : ClassScale)
        if (!marked || label(page, name)->font().pixelSize() > marked->font().pixelSize())
            marked = label(page, name);
    texts << marked->text();
    for (const auto& [factory, names] : {
             std::pair<Factory, QList<const char*>>{createDetailsPage,
                                                    {"typeSentenceLabel", "obesityLabel", "bmiLabel"}},
             {createCautionPage, {"point1Label", "point2Label", "point3Label", "point4Label"}},
             {createAdvicePage, {"doorsAndWindowsLabel", "bedroomLabel", "standingWaterLabel", "contactLabel"}}}) {
        RecordingHost next(record);
        QWidget* shown = next.start(factory);
        for (const char* name : names) {
            const QString whole = label(shown, name)->accessibleName();
            texts << (whole.isEmpty() ? labelText(shown, name) : whole);
        }
    }
    return texts;
}

// A folder this process cannot add a file to, whoever runs it: a folder
// without write permission, or for root, who may write anywhere the
// permissions say no, a folder of the kernel's.
QString unwritableFolder(const QTemporaryDir& scratch)
{
    const QString own = scratch.filePath(QStringLiteral("read-only"));
    QDir().mkpath(own);
    QFile::setPermissions(own, QFile::ReadOwner | QFile::ExeOwner);
    for (const QString& folder : {own, QStringLiteral("/sys"), QStringLiteral("/proc")}) {
        QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
        if (!probe.open(QIODevice::WriteOnly))
            return folder;
        probe.remove();
    }
    qFatal("no folder that cannot be written");
}

// The three ways a result reaches a file.
enum class Kind { Pdf, Picture, Print };

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestExport : public WidgetTest {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        WidgetTest::initTestCase();
        for (const char* tool : {"pdftotext", "pdffonts", "pdfinfo"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QFAIL("poppler-utils are missing (scripts/packages.txt)");
        ResultExport::setToday([] { return Today; });
    }
    void init()
    {
        WidgetTest::init();
        ResultExport::forgetLastFolder();
    }
    void cleanup()
    {
        ResultExport::setAskFileName({});
        ResultExport::setAskPrinter({});
        WidgetTest::cleanup();
    }

    void pdfSaysWhatThePagesSay_data();
    void pdfSaysWhatThePagesSay();
    void pdfIsPaperWithItsFaces();
    void pictureIsThePage_data();
    void pictureIsThePage();
    void failedSaveLeavesEverythingAsItWas_data();
    void failedSaveLeavesEverythingAsItWas();
    void commandsOnEveryPage_data();
    void commandsOnEveryPage();
    void dialogsStartInTheUsualFolderThenTheLastOne();
    void printing_data();
    void printing();
    void swappedWhileWriting_data();
    void swappedWhileWriting();
    void printServerAddress_data();
    void printServerAddress();
    void silentPrintServer();
    void typedQuoteIsRefused();
};

void TestExport::pdfSaysWhatThePagesSay_data()
{
    // paperName: how the name reads on paper, where that is not as typed
    addColumns<QString, int, QString, QString, QString>({"name", "score", "height", "weight", "paperName"});
    QTest::newRow("class 1, 虚証型") << "山田 花子" << 15 << "170" << "65" << QString();
    QTest::newRow("class 2, 虚実中間型") << "佐藤" << 39 << "158.5" << "49" << QString();
    QTest::newRow("class 3") << "Ann" << 50 << "182" << "90.2" << QString();
    QTest::newRow("class 4, 実証型") << "鈴木一郎" << 90 << "170" << "65" << QString();
    QTest::newRow("no obesity degree beyond the table") << "高橋" << 57 << "200" << "80" << QString();
    // Braces and backslash (the score line's rich-text specials), an emoji
    // and Hebrew letters.
    QTest::newRow("name with specials") << "{田中}\\ゆき ☕ שרה" << 57 << "170" << "65" << QString();
    // Cut short on the pages; the paper has room for all of it.
    QTest::newRow("long name") << "寿限無寿限無五劫のすりきれ海砂利水魚の水行末雲来末風来末"
                                  "食う寝る処に住む処やぶら小路の藪柑子パイポパイポパイポの"
                                  "シューリンガンシューリンガンのグーリンダイグーリンダイの"
                                  "ポンポコピーのポンポコナーの長久命の長助"
                               << 75 << "170" << "65" << QString();
    // The names of the bad-input catalogue (test_bad_input), and a surname
    // beyond the IPA faces.
    QTest::newRow("𠮷田") << "𠮷田" << 57 << "170" << "65" << QString();
    QTest::newRow("300 kanji") << QStringLiteral("長").repeated(300) << 57 << "170" << "65" << QString();
    QTest::newRow("RTF braces and colour word") << "a}b{\\CF5 x" << 57 << "170" << "65" << QString();
    QTest::newRow("RTF words and escapes") << "\\par\\'41\\u1234?\\b0" << 57 << "170" << "65" << QString();
    QTest::newRow("markup") << "<b>太郎</b>&amp;" << 57 << "170" << "65" << QString();
    QTest::newRow("pasted line break") << "山田\n花子" << 57 << "170" << "65" << QString();
    QTest::newRow("C0 controls and DEL") << QStringLiteral("a\x01" "b\x1b[31mc\x7f") << 57 << "170" << "65"
                                         << QString();
    QTest::newRow("NUL") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << 57 << "170" << "65" << QString();
    QTest::newRow("emoji sequences") << "👨‍👩‍👧🇯🇵👍🏽" << 57 << "170" << "65" << QString();
    // The override runs as typed, inside the isolated name, on the page too.
    QTest::newRow("right-to-left override") << "\u202E山田 abc" << 57 << "170" << "65" << QStringLiteral("cba 田山");
    QTest::newRow("stray isolate marks") << "\u2069\u202Eabc\u2066" << 57 << "170" << "65" << QStringLiteral("cba");
}

void TestExport::pdfSaysWhatThePagesSay()
{
    QFETCH(QString, name);
    QFETCH(int, score);
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, paperName);
    fillRecordForScore(record_, name.toStdString(), score);
    record_.PersonalData[HeightText] = PersonalEntry(height.toStdString());
    record_.PersonalData[WeightText] = PersonalEntry(weight.toStdString());
    const QStringList expected = pageTexts(record_);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("result.pdf"));
    QCOMPARE(ResultExport::writePdf(path, record_, Today), QString());
    const QString text = pdfText(path);
    const QString shownName = tellumo::shownName(name.toStdString());
    const auto onPaper = [&](const QString& shown) {
        return paperName.isEmpty() ? searchable(shown)
                                   : searchable(shown).replace(searchable(shownName), searchable(paperName));
    };
    for (const QString& shown : expected)
        QVERIFY2(text.contains(onPaper(shown)), qPrintable(shown));
    QVERIFY(text.contains(onPaper(QStringLiteral("氏名") + shownName)));
    QVERIFY(text.contains(QStringLiteral("2025年5月3日")));

    // No character of the name is a box, on the pages or on paper: a face
    // that has it draws it.
    for (QFont font : {pageFont(), QFont(ProportionalGothic)}) {
        font.setBold(true);
        QTextLayout layout(shownName, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns())
            QVERIFY2(!run.glyphIndexes().contains(0u), qPrintable(run.rawFont().familyName()));
    }
}

// One A4 page, whatever the screen's scale (test_export_x2); every face
// embedded, the pages' own among them.
void TestExport::pdfIsPaperWithItsFaces()
{
    fillRecordForScore(record_, "山田 花子", 57);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("result.pdf"));
    QCOMPARE(ResultExport::writePdf(path, record_, Today), QString());

    const QString info = run(QStringLiteral("pdfinfo"), {path});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("595 x 842 pts (A4)")), qPrintable(info));

    const QStringList rows = run(QStringLiteral("pdffonts"), {path}).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(rows.size() > 2);
    // The columns stand where the ruler under the heading has its dashes.
    const qsizetype embedded = rows[0].indexOf(QStringLiteral(" emb ")) + 1;
    QStringList faces;
    for (const QString& row : rows.mid(2)) {
        QCOMPARE(row.mid(embedded, 3), QStringLiteral("yes"));
        faces << row.section(u' ', 0, 0);
    }
    QVERIFY2(faces.contains(QStringLiteral("IPAPGothic")), qPrintable(faces.join(u' ')));
    QVERIFY2(faces.contains(QStringLiteral("IPAGothic")), qPrintable(faces.join(u' ')));
}

void TestExport::pictureIsThePage_data()
{
    addColumns<Factory, QString>({"factory", "fileName"});
    QTest::newRow("score") << Factory(createScorePage) << QStringLiteral("Tellumo-判定結果-20250503.png");
    QTest::newRow("details") << Factory(createDetailsPage) << QStringLiteral("Tellumo-判定結果の詳細-20250503.png");
    QTest::newRow("caution") << Factory(createCautionPage) << QStringLiteral("Tellumo-注意すべき点-20250503.png");
    QTest::newRow("advice") << Factory(createAdvicePage) << QStringLiteral("Tellumo-蚊の対策法-20250503.png");
}

// Run at QT_SCALE_FACTOR 1 and 2 (test_export_x2).
void TestExport::pictureIsThePage()
{
    QFETCH(Factory, factory);
    QFETCH(QString, fileName);
    RecordingHost host(record_);
    QWidget* page = host.startScored(factory, "山田 花子", 57);
    QVERIFY(QTest::qWaitForWindowExposed(page));
    QTemporaryDir folder;
    QString proposed;
    ResultExport::setAskFileName([&](QWidget*, const QString&, const QString& start, const QString&) {
        proposed = start;
        return folder.filePath(QStringLiteral("page"));
    });
    QVERIFY(ResultExport::savePicture(page, page->findChild<QLabel*>(QStringLiteral("titleLabel"))->text()));
    QCOMPARE(QFileInfo(proposed).fileName(), fileName);

    const qreal ratio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").toDouble() : 1.0;
    QCOMPARE(page->devicePixelRatioF(), ratio);
    const QImage saved(folder.filePath(QStringLiteral("page.png")));
    QCOMPARE(saved.size(), page->size() * ratio);
    QImage shown = page->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shown.setDevicePixelRatio(1); // a PNG file has pixels, not a ratio
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), shown);
}

namespace {

// Every file under `root` with what it holds or where it points, so that
// a test sees whatever a command changed, left behind or wrote elsewhere.
QStringList snapshot(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        QString state;
        if (entry.isSymLink()) {
            state = QStringLiteral("-> ") + entry.symLinkTarget();
        } else if (entry.isFile()) {
            QFile file(entry.filePath());
            state = file.open(QIODevice::ReadOnly)
                ? QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex())
                : QStringLiteral("unreadable");
        }
        entries << QDir(root).relativeFilePath(entry.filePath()) + u' ' + state;
    }
    entries.sort();
    return entries;
}

// A small file system of its own under `folder`, for a disk that fills up;
// false where this process may not mount one.
bool mountSmallDisk(const QString& folder, int kilobytes)
{
    QDir().mkpath(folder);
    QProcess mount;
    mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                          QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"), folder});
    return mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
}

// Fills the disk of `folder` until no more than `leftBytes` are free.
void fillDisk(const QString& folder, qint64 leftBytes)
{
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (QStorageInfo(folder).bytesAvailable() > leftBytes && filler.write(block) == block.size() && filler.flush())
        ;
}

} // namespace

void TestExport::failedSaveLeavesEverythingAsItWas_data()
{
    // reason: the message's text after "保存できませんでした: "; empty when
    // the file is written
    addColumns<QString, Kind, QString>({"place", "kind", "reason"});
    const std::pair<Kind, const char*> kinds[] = {{Kind::Pdf, "PDF"}, {Kind::Picture, "PNG"}, {Kind::Print, "print"}};
    const std::pair<const char*, const char*> places[] = {
        {"read-only", "このフォルダには書き込めません"},
        {"vanished", "保存先のフォルダが見つかりません"},
        {"file in place of the folder", "保存先がフォルダではありません"},
        {"dangling link", "同じ名前のシンボリックリンク"},
        {"link to a file", "同じ名前のシンボリックリンク"},
        {"name of 256 bytes", "ファイル名が長すぎます"},
        {"name of 255 bytes over an old file", ""},
        {"nearly full disk over an old file", "ディスクの空き容量が足りません"},
        {"full disk over an old file", "ディスクの空き容量が足りません"},
    };
    for (const auto& [kind, kindName] : kinds)
        for (const auto& [place, reason] : places)
            QTest::addRow("%s, %s", kindName, place) << QString::fromLatin1(place) << kind << QString::fromUtf8(reason);
}

// A failure names its reason and changes nothing on disk, here or where a
// link points; the page stays as it was. The old file at the name is kept
// byte for byte.
void TestExport::failedSaveLeavesEverythingAsItWas()
{
    QFETCH(QString, place);
    QFETCH(Kind, kind);
    QFETCH(QString, reason);
    RecordingHost host(record_);
    QWidget* page = host.startScored(createCautionPage, "山田 花子", 57);
    QVERIFY(QTest::qWaitForWindowExposed(page));
    const QImage before = page->grab().toImage();

    QTemporaryDir scratch;
    QString folder = scratch.filePath(QStringLiteral("folder"));
    QString name = kind == Kind::Picture ? QStringLiteral("result.png") : QStringLiteral("result.pdf");
    const QString elsewhere = scratch.filePath(QStringLiteral("elsewhere.pdf"));
    QString mounted;
    const auto unmount = qScopeGuard([&] {
        if (!mounted.isEmpty())
            QProcess::execute(QStringLiteral("umount"), {mounted});
    });
    if (place == QLatin1String("read-only"))
        folder = unwritableFolder(scratch);
    else if (place.startsWith(QLatin1String("file in place")))
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
    else if (place.contains(QLatin1String("disk"))) {
        if (!mountSmallDisk(folder, 256))
            QSKIP("a small disk cannot be mounted here (mount -t tmpfs needs root)");
        mounted = folder;
    } else
        QDir().mkpath(folder);
    if (place.startsWith(QLatin1String("name of")))
        name = QStringLiteral("r").repeated(place.mid(8, 3).toInt() - 4) + name.right(4);
    const QString path = QDir(folder).filePath(name);
    const auto writeFile = [](const QString& at, const QByteArray& bytes) {
        QFile file(at);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    const QByteArray old = QByteArray("an older result\n").repeated(512);
    if (place.contains(QLatin1String("over an old file")))
        QVERIFY(writeFile(path, old));
    if (place.contains(QLatin1String("link"))) {
        if (place.contains(QLatin1String("to a file")))
            QVERIFY(writeFile(elsewhere, old));
        QVERIFY(QFile::link(elsewhere, path));
    }
    if (place.startsWith(QLatin1String("nearly full")))
        fillDisk(folder, 40 * 1024);
    else if (place.startsWith(QLatin1String("full")))
        fillDisk(folder, 0);
    const QStringList present = snapshot(scratch.path());

    const auto chosen = [&] {
        // Chosen in the dialog, then removed before the file is written.
        if (place == QLatin1String("vanished"))
            QDir(folder).removeRecursively();
        return path;
    };
    ResultExport::setAskFileName([&](QWidget*, const QString&, const QString&, const QString&) { return chosen(); });
    ResultExport::setAskPrinter([&](QWidget*, QPrinter& printer) {
        printer.setOutputFileName(chosen());
        return true;
    });

    MessageRecorder messages;
    const bool saved = kind == Kind::Pdf       ? ResultExport::savePdf(page, record_)
                       : kind == Kind::Picture ? ResultExport::savePicture(page, QStringLiteral("注意すべき点"))
                                               : ResultExport::print(page, record_);
    QCOMPARE(page->grab().toImage(), before);
    QVERIFY(page->isEnabled());
    if (reason.isEmpty()) {
        QCOMPARE(messages.messages(), QStringList());
        QVERIFY(saved);
        QVERIFY(QFile(path).size() > 1000);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{name});
        return;
    }
    QVERIFY(!saved);
    QCOMPARE(messages.messages().size(), 1);
    QVERIFY2(messages.last().startsWith(QStringLiteral("保存できませんでした: ") + reason),
             qPrintable(messages.last()));
    if (place == QLatin1String("vanished"))
        QVERIFY(!QFileInfo::exists(folder));
    else
        QCOMPARE(snapshot(scratch.path()), present);
}

void TestExport::commandsOnEveryPage_data()
{
    // rightClicked: controls the menu is asked from
    addColumns<Factory, QStringList>({"factory", "rightClicked"});
    QTest::newRow("score") << Factory(createScorePage)
                           << QStringList{"titleLabel", "scoreLine", "classAverageLabel", "detailsButton"};
    QTest::newRow("details") << Factory(createDetailsPage)
                             << QStringList{"typeSentenceLabel", "bmiLegendLabel", "quitButton"};
    QTest::newRow("caution") << Factory(createCautionPage) << QStringList{"point2Label", "adviceButton"};
    QTest::newRow("advice") << Factory(createAdvicePage) << QStringList{"contactLabel", "quitButton"};
}

// The context menu over every kind of control, and the shortcuts with a
// button focused; cancelling leaves the page and the disk untouched.
void TestExport::commandsOnEveryPage()
{
    QFETCH(Factory, factory);
    QFETCH(QStringList, rightClicked);
    RecordingHost host(record_);
    QWidget* page = host.startScored(factory, "山田 花子", 57);
    QVERIFY(activate(page));

    QStringList entries;
    for (QAction* action : page->actions())
        entries << action->text() + u'|' + action->shortcut().toString();
    const QStringList expected{QStringLiteral("結果をPDFで保存…|Ctrl+S"), QStringLiteral("結果を画像で保存…|"),
                               QStringLiteral("印刷…|Ctrl+P")};
    QCOMPARE(entries, expected);

    for (const QString& name : rightClicked) {
        QWidget* control = tellumo::testing::control(page, name);
        QStringList menu;
        QTimer::singleShot(0, [&] {
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : popup->actions())
                    menu << action->text() + u'|' + action->shortcut().toString();
                popup->close();
            }
        });
        const QPoint at = control->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, control->mapToGlobal(at));
        QApplication::sendEvent(control, &event);
        QCOMPARE(menu, expected);
    }

    const QImage before = page->grab().toImage();
    QStringList asked;
    ResultExport::setAskFileName([&](QWidget*, const QString&, const QString& proposed, const QString&) {
        asked << QFileInfo(proposed).fileName();
        return QString();
    });
    ResultExport::setAskPrinter([&](QWidget*, QPrinter& printer) {
        asked << printer.docName();
        return false;
    });
    MessageRecorder messages;
    QPushButton* focused = page->findChildren<QPushButton*>().constLast();
    // The offscreen platform gives no window back its activation when a
    // popup closes; a desktop does.
    QVERIFY(activate(page));
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(focused, Qt::Key_P, Qt::ControlModifier);
    const QStringList names{QStringLiteral("Tellumo-結果-20250503.pdf"), QStringLiteral("Tellumo-結果-20250503")};
    QCOMPARE(asked, names);
    QCOMPARE(messages.messages(), QStringList());
    QCOMPARE(page->grab().toImage(), before);
    QCOMPARE(QApplication::focusWidget(), focused);
}

// Documents for a PDF, Pictures for a picture, home without them; after a
// save, the folder saved to, until the run ends.
void TestExport::dialogsStartInTheUsualFolderThenTheLastOne()
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toUtf8());
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    });
    RecordingHost host(record_);
    QWidget* page = host.start(createAdvicePage);
    QString proposed;
    QString answer;
    ResultExport::setAskFileName([&](QWidget*, const QString&, const QString& start, const QString&) {
        proposed = QFileInfo(start).path();
        return answer;
    });
    const auto startsIn = [&](bool pdf) {
        pdf ? ResultExport::savePdf(page, record_) : ResultExport::savePicture(page, QStringLiteral("x"));
        return proposed;
    };

    QCOMPARE(startsIn(true), home.path());
    QCOMPARE(startsIn(false), home.path());
    QDir(home.path()).mkpath(QStringLiteral("Documents"));
    QDir(home.path()).mkpath(QStringLiteral("Pictures"));
    QCOMPARE(startsIn(true), home.filePath(QStringLiteral("Documents")));
    QCOMPARE(startsIn(false), home.filePath(QStringLiteral("Pictures")));

    QDir(home.path()).mkpath(QStringLiteral("kept"));
    answer = home.filePath(QStringLiteral("kept/result"));
    MessageRecorder messages;
    startsIn(true);
    QVERIFY(QFileInfo::exists(answer + QStringLiteral(".pdf")));
    answer = home.filePath(QStringLiteral("gone/result.png")); // fails: not remembered
    startsIn(false);
    QCOMPARE(messages.messages().size(), 1);
    answer.clear();
    QCOMPARE(startsIn(false), home.filePath(QStringLiteral("kept")));
    QCOMPARE(startsIn(true), home.filePath(QStringLiteral("kept")));
    ResultExport::forgetLastFolder();
    QCOMPARE(startsIn(true), home.filePath(QStringLiteral("Documents")));
}

void TestExport::printing_data()
{
    addColumns<QString, QString>({"output", "message"});
    QTest::newRow("printed to a PDF file") << QStringLiteral("print.pdf") << QString();
    QTest::newRow("file that cannot be made")
        << QStringLiteral("gone/print.pdf") << QStringLiteral("保存できませんでした: 保存先のフォルダが見つかりません。");
}

void TestExport::printing()
{
    QFETCH(QString, output);
    QFETCH(QString, message);
    RecordingHost host(record_);
    QWidget* page = host.startScored(createScorePage, "山田 花子", 57);
    QTemporaryDir folder;
    const QString path = folder.filePath(output);
    ResultExport::setAskPrinter([&](QWidget*, QPrinter& printer) {
        printer.setOutputFileName(path);
        return true;
    });
    MessageRecorder messages;
    QCOMPARE(ResultExport::print(page, record_), message.isEmpty());
    if (message.isEmpty()) {
        QCOMPARE(messages.messages(), QStringList());
        QVERIFY(pdfText(path).contains(searchable(QStringLiteral("山田 花子 さんの総合点数は100点満点で57点です。"))));
    } else {
        QCOMPARE(messages.messages().size(), 1);
        QVERIFY2(messages.last().startsWith(message), qPrintable(messages.last()));
    }
}

void TestExport::swappedWhileWriting_data()
{
    addColumns<bool>({"swapTemporary"});
    QTest::newRow("link made at the name") << false;
    QTest::newRow("temporary file swapped for a link") << true;
}

// Someone who may write to the folder puts a link in place while the file
// is written: the file the link points to is neither written nor replaced.
void TestExport::swappedWhileWriting()
{
    QFETCH(bool, swapTemporary);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("result.pdf"));
    const QString elsewhere = folder.filePath(QStringLiteral("elsewhere"));
    QFile target(elsewhere);
    QVERIFY(target.open(QIODevice::WriteOnly) && target.write("kept") == 4);
    target.close();
    SafeFile file(path);
    QCOMPARE(file.open(), QString());
    const QString linked = swapTemporary ? file.temporaryPath() : path;
    QVERIFY(QFile::remove(linked) || !swapTemporary);
    QVERIFY(QFile::link(elsewhere, linked));
    // A writer that opens the file by name, as a printer does.
    QFile writer(file.writerPath());
    QVERIFY(writer.open(QIODevice::WriteOnly) && writer.write("new") == 3);
    writer.close();
    QVERIFY(file.commit().contains(swapTemporary ? QStringLiteral("置き換えられました")
                                                 : QStringLiteral("シンボリックリンク")));
    QCOMPARE(QFileInfo(linked).symLinkTarget(), elsewhere);
    QVERIFY(target.open(QIODevice::ReadOnly));
    QCOMPARE(target.readAll(), QByteArray("kept"));
}

void TestExport::printServerAddress_data()
{
    // conf: the ServerName line of ~/.cups/client.conf, used without CUPS_SERVER
    addColumns<QString, QString, QString>({"server", "conf", "address"});
    QTest::newRow("host") << "printhost" << "" << "printhost:631";
    QTest::newRow("host and port") << "printhost:8631" << "" << "printhost:8631";
    QTest::newRow("version suffix") << "printhost:8631/version=1.1" << "" << "printhost:8631";
    QTest::newRow("IPv6 and port") << "[::1]:8631" << "" << "[::1]:8631";
    QTest::newRow("local socket") << "/var/run/print.sock" << "" << "/var/run/print.sock";
    QTest::newRow("client.conf") << "" << "ServerName  confhost:632" << "confhost:632";
    QTest::newRow("environment before client.conf") << "envhost" << "ServerName confhost" << "envhost:631";
}

// Where the print command looks for the print server.
void TestExport::printServerAddress()
{
    QFETCH(QString, server);
    QFETCH(QString, conf);
    QFETCH(QString, address);
    QTemporaryDir home;
    QDir(home.path()).mkpath(QStringLiteral(".cups"));
    QFile file(home.filePath(QStringLiteral(".cups/client.conf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# a comment\n" + conf.toUtf8() + '\n');
    file.close();
    const QByteArray oldHome = qgetenv("HOME"), oldServer = qgetenv("CUPS_SERVER");
    qputenv("HOME", home.path().toUtf8());
    server.isEmpty() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", server.toUtf8());
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", oldHome);
        oldServer.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", oldServer);
    });
    QCOMPARE(PrintServer::configuredAddress().shown(), address);
}

// A print server that takes the connection and never answers: Ctrl+P says
// so within the wait, the window keeps painting meanwhile, and the PDF save
// is offered instead of the print dialog.
void TestExport::silentPrintServer()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QList<QTcpSocket*> held;
    connect(&server, &QTcpServer::newConnection, [&] { held << server.nextPendingConnection(); });
    const QByteArray oldServer = qgetenv("CUPS_SERVER");
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.serverPort());
    qputenv("CUPS_SERVER", address.toUtf8());
    const auto restore = qScopeGuard([&] {
        oldServer.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", oldServer);
        ResultExport::setPrintServerWait(ResultExport::DefaultPrintServerWait);
    });
    ResultExport::setPrintServerWait(std::chrono::milliseconds(400));

    RecordingHost host(record_);
    QWidget* page = host.startScored(createScorePage, "山田 花子", 57);
    QVERIFY(activate(page));
    int paints = 0;
    QTimer painter;
    connect(&painter, &QTimer::timeout, [&] {
        page->repaint();
        ++paints;
    });
    painter.start(20);
    QStringList asked;
    ResultExport::setAskFileName([&](QWidget*, const QString&, const QString& proposed, const QString&) {
        asked << QFileInfo(proposed).fileName();
        return QString();
    });
    ResultExport::setAskPrinter([&](QWidget*, QPrinter&) {
        asked << QStringLiteral("print dialog");
        return false;
    });
    MessageRecorder messages;
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(page, Qt::Key_P, Qt::ControlModifier);
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(paints >= 5, qPrintable(QString::number(paints)));
    QCOMPARE(held.size(), 1);
    QCOMPARE(messages.messages(), QStringList{QStringLiteral("印刷できませんでした: 印刷サーバー（%1）が応答しません。\n"
                                                             "プリンターは使えませんが、PDF ファイルには保存できます。")
                                                  .arg(address)});
    QCOMPARE(asked, QStringList{QStringLiteral("Tellumo-結果-20250503.pdf")});
    qDeleteAll(held);
}

// Qt's own save dialog reads a name with a double quote as a list of names;
// the typed name is refused, the dialog comes back, and nothing is written.
void TestExport::typedQuoteIsRefused()
{
    QTemporaryDir folder;
    RecordingHost host(record_);
    QWidget* page = host.start(createAdvicePage);
    QStringList shown;
    const auto type = [&](QWidget* modal, const QString& name) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        dialog->setDirectory(folder.path());
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setText(name);
        shown << name;
        QTest::keyClick(edit, Qt::Key_Return);
    };
    MessageRecorder messages;
    whenModal([&](QWidget* modal) {
        type(modal, QStringLiteral("a:b|c<d>e\"f.pdf"));
        // The message came while the dialog was closing; it comes back.
        whenModal([&, modal](QWidget* again) {
            shown << (again == modal ? QStringLiteral("again") : QStringLiteral("another"));
        });
    });
    QVERIFY(!ResultExport::savePdf(page, record_));
    QCOMPARE(shown, (QStringList{QStringLiteral("a:b|c<d>e\"f.pdf"), QStringLiteral("again")}));
    QCOMPARE(messages.messages().size(), 1);
    QVERIFY2(messages.last().startsWith(QStringLiteral("ファイル名に二重引用符（\"）は使えません。")), qPrintable(messages.last()));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

QTEST_MAIN(TestExport)
#include "test_export.moc"
