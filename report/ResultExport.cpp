#include "ResultExport.h"

#include "DownloadFolder.h"
#include "Messages.h"
#include "PrintServer.h"
#include "ResultDocument.h"
#include "SafeFile.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPixmap>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QWidget>

#include <cerrno>

namespace tellumo::ResultExport {

namespace {

// What the commands share for the rest of the run.
struct Session {
    AskFileName askFileName;
    AskPrinter askPrinter;
    Today today;
    std::chrono::milliseconds printServerWait = DefaultPrintServerWait;
    // A print command waiting for the print server takes no second one.
    bool printing = false;
    // The folder of the last successful save; empty until then.
    QString lastFolder;
};

Session& session()
{
    static Session state;
    return state;
}

QDate today()
{
    return session().today ? session().today() : QDate::currentDate();
}

bool askWithPrintDialog(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    // One or two pages: the whole result or nothing.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

// "Tellumo-結果-20250503.pdf"
QString datedName(const QString& title, const QDate& date, const QString& suffix)
{
    return QStringLiteral("Tellumo-%1-%2.%3").arg(title, date.toString(u"yyyyMMdd"), suffix);
}

// The folder a save dialog opens in: the last one saved to in this run, else
// the usual folder for the kind of file, else home.
QString startFolder(QStandardPaths::StandardLocation usual)
{
    const QString& last = session().lastFolder;
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString folder = QStandardPaths::writableLocation(usual);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::homePath();
}

// The platform's save dialog. Qt's own dialog reads a typed name with a
// double quote as a list of quoted names and returns one of them; such a
// name is refused with a message and the dialog comes back as it was.
QString askWithFileDialog(QWidget* parent, const QString& caption, const QString& proposed, const QString& filter)
{
    // On the heap, as the page that owns it may go while it is open.
    QPointer<QFileDialog> dialog = new QFileDialog(parent, caption, QFileInfo(proposed).absolutePath(), filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->selectFile(QFileInfo(proposed).fileName());
    QString chosen;
    while (dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty()) {
        const auto* typed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!typed || !typed->text().contains(u'"')) {
            chosen = dialog->selectedFiles().constFirst();
            break;
        }
        Messages::show(dialog, QStringLiteral("ファイル名に二重引用符（\"）は使えません。別の名前を入力してください。\n%1")
                                   .arg(typed->text()));
        if (!dialog)
            break;
    }
    delete dialog;
    return chosen;
}

// The path to save to, or empty when the user cancelled. A name typed
// without a suffix gets the file kind's.
QString askPath(QWidget* page, const QString& caption, const QString& fileName, const QString& filter,
                QStandardPaths::StandardLocation usual, const QString& suffix)
{
    // A browser session offers the file to the browser instead of asking.
    if (const QString download = DownloadFolder::filePath(fileName); !download.isEmpty())
        return download;
    const QString proposed = QDir(startFolder(usual)).filePath(fileName);
    const AskFileName& ask = session().askFileName;
    const QString chosen
        = ask ? ask(page, caption, proposed, filter) : askWithFileDialog(page, caption, proposed, filter);
    if (chosen.isEmpty())
        return {};
    return QFileInfo(chosen).suffix().isEmpty() ? chosen + u'.' + suffix : chosen;
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Why a PDF written by a printer came out incomplete: a full disk, as a
// rule, which the printer does not report.
QString incompleteFailure(const QString& path)
{
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    constexpr qint64 AlmostFull = 1024 * 1024;
    if (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < AlmostFull)
        return SafeFile::reasonFor(ENOSPC, path);
    return QStringLiteral("PDF ファイルを最後まで書き込めませんでした。\n%1").arg(shown(path));
}

// Whether `pdf` is a whole PDF file: it ends with its end marker, and the
// cross-reference table the end points to finds every object where the
// table says it starts. A write that failed anywhere shifts or cuts them.
bool isCompletePdf(const QByteArray& pdf)
{
    if (!pdf.startsWith("%PDF-") || !pdf.trimmed().endsWith("%%EOF"))
        return false;
    const qsizetype marker = pdf.lastIndexOf("startxref");
    if (marker < 0)
        return false;
    bool ok = false;
    const qsizetype table = pdf.mid(marker + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || table <= 0 || table >= marker || !pdf.mid(table).startsWith("xref"))
        return false;
    const QList<QByteArray> lines = pdf.mid(table, marker - table).split('\n');
    qsizetype count = -1;
    qsizetype object = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.value(0) == "trailer")
            break;
        if (fields.size() == 2) { // a subsection: first object, count
            object = fields[0].toLongLong();
            count = fields[1].toLongLong();
            continue;
        }
        if (fields.size() != 3 || count < 0)
            return false;
        if (fields[2] == "n") {
            const qsizetype offset = fields[0].toLongLong(&ok);
            const QByteArray header = QByteArray::number(object) + ' ' + QByteArray::number(fields[1].toInt()) + " obj";
            if (!ok || offset <= 0 || offset >= table || !pdf.mid(offset, header.size()).startsWith(header))
                return false;
        }
        ++object;
    }
    return count > 0;
}

// After a save: the failure told, or the folder kept for the next dialog.
bool finishSave(QWidget* page, const QString& path, const QString& failure)
{
    if (!failure.isEmpty()) {
        Messages::show(page, SaveFailed + failure);
        return false;
    }
    session().lastFolder = QFileInfo(path).absolutePath();
    return true;
}

} // namespace

void setAskFileName(AskFileName ask)
{
    session().askFileName = std::move(ask);
}

void setAskPrinter(AskPrinter ask)
{
    session().askPrinter = std::move(ask);
}

void setToday(Today today)
{
    session().today = std::move(today);
}

void forgetLastFolder()
{
    session().lastFolder.clear();
}

QImage pagePicture(QWidget* page)
{
    QImage picture = page->grab().toImage();
    // Viewers that honour a picture's resolution show it at the page's size.
    const int dotsPerMetre = qRound(96 * picture.devicePixelRatio() / 0.0254);
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    return picture;
}

QString writePdf(const QString& path, const AssessmentRecord& record, const QDate& date)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(resultPageLayout());
        writer.setTitle(QStringLiteral("Tellumo 判定結果"));
        writer.setCreator(QStringLiteral("Tellumo"));
        if (printResult(writer, record, date) == 0)
            return QStringLiteral("PDF を作れませんでした。\n%1").arg(shown(path));
    }
    return writeFileSafely(path, pdf.data());
}

QString writePicture(const QString& path, const QImage& picture)
{
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QImageWriter writer(&png, "png");
    if (!writer.write(picture))
        return QStringLiteral("画像を作れませんでした。\n%1").arg(shown(path));
    return writeFileSafely(path, png.data());
}

void setPrintServerWait(std::chrono::milliseconds wait)
{
    session().printServerWait = wait;
}

bool savePdf(QWidget* page, const AssessmentRecord& record)
{
    QPointer<QWidget> guard(page);
    const QDate date = today();
    const QString path
        = askPath(page, QStringLiteral("結果をPDFで保存"), datedName(QStringLiteral("結果"), date, QStringLiteral("pdf")),
                  QStringLiteral("PDF ファイル (*.pdf)"), QStandardPaths::DocumentsLocation, QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;
    return finishSave(guard, path, writePdf(path, record, date));
}

bool savePicture(QWidget* page, const QString& pageTitle)
{
    // Taken before the dialog covers anything: the page as the user saw it.
    const QImage picture = pagePicture(page);
    QPointer<QWidget> guard(page);
    const QString path
        = askPath(page, QStringLiteral("結果を画像で保存"), datedName(pageTitle, today(), QStringLiteral("png")),
                  QStringLiteral("PNG 画像 (*.png)"), QStandardPaths::PicturesLocation, QStringLiteral("png"));
    if (path.isEmpty())
        return false;
    return finishSave(guard, path, writePicture(path, picture));
}

namespace {

// Prints to the PDF file the print dialog chose, through the same safe path
// as a save: into a temporary file beside it, renamed over it only whole.
QString printToFile(QPrinter& printer, const QString& path, const AssessmentRecord& record, const QDate& date)
{
    SafeFile file(path);
    if (const QString failure = file.open(); !failure.isEmpty())
        return failure;
    printer.setOutputFileName(file.writerPath());
    const int pages = printResult(printer, record, date);
    printer.setOutputFileName(path);
    const QByteArray written = file.writtenBytes();
    if (pages == 0 || written.isNull())
        return QStringLiteral("PDF ファイルを書き込めませんでした。\n%1").arg(shown(path));
    if (!isCompletePdf(written))
        return incompleteFailure(path);
    return file.commit();
}

} // namespace

bool print(QWidget* page, const AssessmentRecord& record)
{
    Session& state = session();
    if (state.printing)
        return false;
    QPointer<QWidget> guard(page);
    const QDate date = today();
    const QString fileName = datedName(QStringLiteral("結果"), date, QStringLiteral("pdf"));
    // In a browser session the PDF is printed on the person's own side.
    if (const QString download = DownloadFolder::filePath(fileName); !download.isEmpty())
        return finishSave(guard, download, writePdf(download, record, date));
    // Finding printers waits a minute for a print server that never
    // answers: asked first, it costs a short wait with the window painting.
    const PrintServer::Address server = PrintServer::configuredAddress();
    state.printing = true;
    const bool silent = PrintServer::isSilent(server, state.printServerWait);
    state.printing = false;
    if (!guard)
        return false;
    if (silent) {
        Messages::show(page, PrintFailed
                                 + QStringLiteral("印刷サーバー（%1）が応答しません。\n"
                                                  "プリンターは使えませんが、PDF ファイルには保存できます。")
                                       .arg(server.shown()));
        return guard && savePdf(guard, record);
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(resultPageLayout());
    printer.setDocName(QFileInfo(fileName).completeBaseName());
    printer.setCreator(QStringLiteral("Tellumo"));
    // Without a printer the dialog offers only a PDF file: proposed where,
    // and as, the PDF command would save it.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(QDir(startFolder(QStandardPaths::DocumentsLocation)).filePath(fileName));
    const AskPrinter& ask = state.askPrinter;
    if (!(ask ? ask(page, printer) : askWithPrintDialog(page, printer)))
        return false;
    // The paper may have changed in the dialog; the margins stay the result's.
    printer.setPageMargins(resultPageLayout().margins(), QPageLayout::Millimeter);
    const QString output = printer.outputFileName();
    if (!output.isEmpty())
        return finishSave(guard, output, printToFile(printer, output, record, date));
    if (printResult(printer, record, date) > 0)
        return true;
    Messages::show(guard, PrintFailed + QStringLiteral("プリンターを使えませんでした。"));
    return false;
}

void addCommands(QWidget* page, const AssessmentRecord& record, const QString& pageTitle)
{
    const auto add = [page](const QString& text, const char* name, QKeySequence::StandardKey keys,
                            const std::function<void()>& run) {
        auto* action = new QAction(text, page);
        action->setObjectName(QString::fromLatin1(name));
        if (keys != QKeySequence::UnknownKey)
            action->setShortcuts(keys);
        // Anywhere on the page, the buttons included, and nowhere else.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setShortcutVisibleInContextMenu(true);
        QObject::connect(action, &QAction::triggered, page, [page, run] {
            // A page that is being left takes no more commands.
            if (page->isEnabled())
                run();
        });
        page->addAction(action);
    };
    const AssessmentRecord* source = &record;
    add(SavePdfText, "savePdfAction", QKeySequence::Save, [page, source] { savePdf(page, *source); });
    add(SavePictureText, "savePictureAction", QKeySequence::UnknownKey,
        [page, pageTitle] { savePicture(page, pageTitle); });
    add(PrintText, "printAction", QKeySequence::Print, [page, source] { print(page, *source); });
    page->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace tellumo::ResultExport
