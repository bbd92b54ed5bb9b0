#include "MainWindow.h"

#include "Appearance.h"
#include "InfoDialog.h"
#include "PageFactories.h"
#include "ScreenPlacement.h"
#include "Twips.h"

#include <QAction>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

namespace tellumo {

namespace {
// The pages are 10005 twips wide and the client area was laid out 9885 wide;
// the window is made wide enough for a whole page instead of scrolling.
constexpr int ClientWidthTwips = 10005;
constexpr int ClientHeightTwips = 7305;
} // namespace

MainWindow::MainWindow(AssessmentRecord& record, InputGuard::Clock inputClock, QWidget* parent)
    : QMainWindow(parent), record_(record)
{
    makeControls();
    makeMenu();
    if (inputClock)
        inputGuard_ = new InputGuard(mdiArea_, std::move(inputClock));
}

MainWindow::~MainWindow() = default;

void MainWindow::makeControls()
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Tellumo"));
    QIcon icon(QStringLiteral(":/pictures/tellumo.ico"));
    for (int size : {64, 128, 256})
        icon.addFile(QStringLiteral(":/pictures/icon-%1.png").arg(size));
    setWindowIcon(icon);
    setPalette(programPalette());

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("ClientArea"));
    mdiArea_->setFrameShape(QFrame::NoFrame);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(mdiArea_);
    // The window never gets smaller than a whole page.
    mdiArea_->setMinimumSize(twipsSize(ClientWidthTwips, ClientHeightTwips));
    resize(minimumSizeHint());
}

void MainWindow::makeMenu()
{
    using Slot = void (MainWindow::*)();
    const struct {
        const char* name;
        QString caption;
        Slot slot;
    } entries[] = {
        {"copyrightAction", QStringLiteral("著作権"), &MainWindow::showCopyright},
        {"disclaimerAction", QStringLiteral("免責事項"), &MainWindow::showDisclaimer},
        {"redistributionAction", QStringLiteral("転載/再配布"), &MainWindow::showRedistribution},
        {"medicalBasisAction", QStringLiteral("医学的根拠"), &MainWindow::showMedicalBasis},
        {"versionAction", QStringLiteral("バージョン情報"), &MainWindow::showVersion},
    };
    for (const auto& entry : entries) {
        QAction* action = menuBar()->addAction(entry.caption);
        action->setObjectName(QString::fromLatin1(entry.name));
        connect(action, &QAction::triggered, this, entry.slot);
    }
}

void MainWindow::showCentred()
{
    centreOnScreen(this);
    show();
    showFirstPage();
}

void MainWindow::showFirstPage()
{
    showPage(createPersonalDataPage(*this));
}

QWidget* MainWindow::currentPage() const
{
    return current_ ? current_->widget() : nullptr;
}

void MainWindow::showPage(QWidget* page)
{
    auto* sub = new QMdiSubWindow(mdiArea_, Qt::FramelessWindowHint);
    sub->setObjectName(page->objectName() + QStringLiteral("Window"));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWidget(page);
    sub->setContentsMargins(0, 0, 0, 0);
    mdiArea_->addSubWindow(sub);
    sub->setFixedSize(page->size());
    sub->move(0, 0);
    current_ = sub;
    sub->show();
    if (inputGuard_)
        inputGuard_->pageShown();
    mdiArea_->setActiveSubWindow(sub);
    if (QWidget* focus = page->focusWidget())
        focus->setFocus(Qt::OtherFocusReason);
}

void MainWindow::closeCurrentPage()
{
    if (!current_)
        return;
    QMdiSubWindow* sub = current_;
    current_ = nullptr;
    mdiArea_->removeSubWindow(sub);
    delete sub;
}

bool MainWindow::beginLeaving(QWidget* current)
{
    if (leaving_ || !current || current != currentPage())
        return false;
    leaving_ = true;
    current->setEnabled(false);
    return true;
}

void MainWindow::replacePage(QWidget* current, PageFactory makeNext)
{
    if (!beginLeaving(current))
        return;
    QMetaObject::invokeMethod(
        this,
        [this, makeNext = std::move(makeNext)] {
            closeCurrentPage();
            leaving_ = false;
            showPage(makeNext(*this));
        },
        Qt::QueuedConnection);
}

void MainWindow::endProgram(QWidget* current)
{
    if (!beginLeaving(current))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            closeCurrentPage();
            close();
        },
        Qt::QueuedConnection);
}

void MainWindow::showCopyright() { InfoDialog(this, InfoDialog::copyright()).exec(); }
void MainWindow::showDisclaimer() { InfoDialog(this, InfoDialog::disclaimer()).exec(); }
void MainWindow::showRedistribution() { InfoDialog(this, InfoDialog::redistribution()).exec(); }
void MainWindow::showMedicalBasis() { InfoDialog(this, InfoDialog::medicalBasis()).exec(); }
void MainWindow::showVersion() { InfoDialog(this, InfoDialog::version()).exec(); }

} // namespace tellumo
