#include "ResultExport.h"

#include "DownloadFolder.h"
#include "Messages.h"
#include "ResultDocument.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QWidget>

namespace tellumo::ResultExport {

namespace {

// What the commands share for the rest of the run.
struct Session {
    AskFileName askFileName;
    AskPrinter askPrinter;
    Today today;
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
        = ask ? ask(page, caption, proposed, filter) : QFileDialog::getSaveFileName(page, caption, proposed, filter);
    if (chosen.isEmpty())
        return {};
    return QFileInfo(chosen).suffix().isEmpty() ? chosen + u'.' + suffix : chosen;
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Why no file could be made at `path`: what the folder shows, or the
// system's own words.
QString openFailure(const QString& path, const QString& systemReason)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists())
        return QStringLiteral("保存先のフォルダが見つかりません。\n%1").arg(shown(folder.filePath()));
    if (!folder.isDir())
        return QStringLiteral("保存先がフォルダではありません。\n%1").arg(shown(folder.filePath()));
    if (QFileInfo(path).isDir())
        return QStringLiteral("同じ名前のフォルダがあります。\n%1").arg(shown(path));
    return QStringLiteral("このフォルダには書き込めません（%1）。\n%2").arg(systemReason, shown(folder.filePath()));
}

// Why a file that could be made was not written through.
QString writeFailure(const QString& path, const QString& systemReason)
{
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    constexpr qint64 AlmostFull = 1024 * 1024;
    if (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < AlmostFull)
        return QStringLiteral("ディスクの空き容量が足りません。\n%1").arg(shown(path));
    return QStringLiteral("ファイルを書き込めませんでした（%1）。\n%2").arg(systemReason, shown(path));
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openFailure(path, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(resultPageLayout());
        writer.setTitle(QStringLiteral("Tellumo 判定結果"));
        writer.setCreator(QStringLiteral("Tellumo"));
        if (printResult(writer, record, date) == 0)
            return writeFailure(path, file.errorString());
    }
    if (!file.commit())
        return writeFailure(path, file.errorString());
    return {};
}

QString writePicture(const QString& path, const QImage& picture)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openFailure(path, file.errorString());
    QImageWriter writer(&file, "png");
    if (!writer.write(picture))
        return writeFailure(path, file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString());
    if (!file.commit())
        return writeFailure(path, file.errorString());
    return {};
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

bool print(QWidget* page, const AssessmentRecord& record)
{
    QPointer<QWidget> guard(page);
    const QDate date = today();
    // In a browser session the PDF is printed on the person's own side.
    const QString download = DownloadFolder::filePath(datedName(QStringLiteral("結果"), date, QStringLiteral("pdf")));
    if (!download.isEmpty())
        return finishSave(guard, download, writePdf(download, record, date));
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(resultPageLayout());
    const QString fileName = datedName(QStringLiteral("結果"), date, QStringLiteral("pdf"));
    printer.setDocName(QFileInfo(fileName).completeBaseName());
    printer.setCreator(QStringLiteral("Tellumo"));
    // Without a printer the dialog offers only a PDF file: proposed where,
    // and as, the PDF command would save it.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(QDir(startFolder(QStandardPaths::DocumentsLocation)).filePath(fileName));
    const AskPrinter& ask = session().askPrinter;
    if (!(ask ? ask(page, printer) : askWithPrintDialog(page, printer)))
        return false;
    // The paper may have changed in the dialog; the margins stay the result's.
    printer.setPageMargins(resultPageLayout().margins(), QPageLayout::Millimeter);
    if (printResult(printer, record, date) > 0)
        return true;
    const QString output = printer.outputFileName();
    Messages::show(guard, PrintFailed
                              + (output.isEmpty() ? QStringLiteral("プリンターを使えませんでした。")
                                                  : QStringLiteral("出力先のファイルを開けませんでした。\n%1")
                                                        .arg(shown(output))));
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
