// Keeping the result: the commands of the result pages that save it as a PDF
// (Ctrl+S), save the page as a picture, or print it (Ctrl+P). They appear
// in the page's context menu and answer their shortcuts while the focus is
// anywhere on the page; the page itself shows nothing new.
//
// Data flow: a command asks for a file name (or a printer) through a
// replaceable function, so tests answer instead of a dialog; the save
// dialogs start in the folder of the last successful save of this run, or
// in the user's Documents (PDF) or Pictures (PNG) folder, or at home. Every
// file, a PDF printed to a file included, is written through SafeFile: to a
// temporary file beside the chosen name, renamed over it only when complete
// (a printed PDF is checked whole first), so a failed save leaves no file
// and keeps an older one, and a symbolic link at the name is refused. A
// failure is reported with Messages::show as "保存できませんでした: " and the
// reason; the page stays as it was. Before printing, the print server is
// asked whether it answers (PrintServer); one that does not is reported
// and the PDF save is offered instead. Nothing is remembered beyond the run.
// In a browser session (DownloadFolder.h) all three write into its download
// folder without asking.
#pragma once

#include <QDate>
#include <QString>
#include <chrono>
#include <functional>

class QImage;
class QPrinter;
class QWidget;

namespace tellumo {

struct AssessmentRecord;

namespace ResultExport {

inline const QString SavePdfText = QStringLiteral("結果をPDFで保存…");
inline const QString SavePictureText = QStringLiteral("結果を画像で保存…");
inline const QString PrintText = QStringLiteral("印刷…");
inline const QString SaveFailed = QStringLiteral("保存できませんでした: ");
inline const QString PrintFailed = QStringLiteral("印刷できませんでした: ");

// Asks where to save, starting at `proposed` (a full path); returns the
// chosen path, or an empty text when the user cancels. By default the
// platform's save dialog.
using AskFileName = std::function<QString(QWidget* parent, const QString& caption, const QString& proposed,
                                          const QString& filter)>;
// Lets the user choose and set up a printer; false when cancelled. By
// default the print dialog.
using AskPrinter = std::function<bool(QWidget* parent, QPrinter& printer)>;
// Today's date, for the file names and the printed result.
using Today = std::function<QDate()>;

// Replace the dialogs and the clock; an empty function restores the default.
void setAskFileName(AskFileName ask);
void setAskPrinter(AskPrinter ask);
void setToday(Today today);
// How long the print command waits for the print server's answer.
inline constexpr std::chrono::milliseconds DefaultPrintServerWait{3000};
void setPrintServerWait(std::chrono::milliseconds wait);
// Forgets the folder of the last save, as at the start of a run.
void forgetLastFolder();

// Gives `page` the three commands, its context menu and their shortcuts.
// `record` is read when a command runs and must outlive the page;
// `pageTitle` names the page's picture file ("Tellumo-<pageTitle>-YYYYMMDD.png").
void addCommands(QWidget* page, const AssessmentRecord& record, const QString& pageTitle);

// The commands themselves. Each returns true when a file was written or the
// result was sent to the printer.
bool savePdf(QWidget* page, const AssessmentRecord& record);
bool savePicture(QWidget* page, const QString& pageTitle);
bool print(QWidget* page, const AssessmentRecord& record);

// The page as on screen, at its screen's pixel ratio.
QImage pagePicture(QWidget* page);

// Writing without asking: an empty text on success, otherwise the reason
// the file could not be written (the text after "保存できませんでした: ").
QString writePdf(const QString& path, const AssessmentRecord& record, const QDate& date);
QString writePicture(const QString& path, const QImage& picture);

} // namespace ResultExport

} // namespace tellumo
