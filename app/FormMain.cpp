#include "FormMain.h"

#include "FormMenu.h"
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

FormMain::FormMain(InputGuard::Clock inputClock, QWidget* parent) : QMainWindow(parent)
{
    createControls();
    createMenu();
    if (inputClock)
        inputGuard_ = new InputGuard(mdiArea_, std::move(inputClock));
}

FormMain::~FormMain() = default;

void FormMain::createControls()
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Tellumo"));
    QIcon icon(QStringLiteral(":/pictures/tellumo.ico"));
    for (int size : {64, 128, 256})
        icon.addFile(QStringLiteral(":/pictures/icon-%1.png").arg(size));
    setWindowIcon(icon);

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

void FormMain::createMenu()
{
    using Slot = void (FormMain::*)();
    const struct {
        const char* name;
        QString caption;
        Slot slot;
    } entries[] = {
        {"Menu2", QStringLiteral("著作権"), &FormMain::Menu2_Click},
        {"Menu3", QStringLiteral("免責事項"), &FormMain::Menu3_Click},
        {"Menu4", QStringLiteral("転載/再配布"), &FormMain::Menu4_Click},
        {"Menu5", QStringLiteral("医学的根拠"), &FormMain::Menu5_Click},
        {"Menu6", QStringLiteral("バージョン情報"), &FormMain::Menu6_Click},
    };
    for (const auto& entry : entries) {
        QAction* action = menuBar()->addAction(entry.caption);
        action->setObjectName(QString::fromLatin1(entry.name));
        connect(action, &QAction::triggered, this, entry.slot);
    }
}

void FormMain::showCentred()
{
    centreOnScreen(this);
    show();
    MDIForm_Load();
}

void FormMain::MDIForm_Load()
{
    showPage(createForm1(*this));
}

QWidget* FormMain::currentPage() const
{
    return current_ ? current_->widget() : nullptr;
}

void FormMain::showPage(QWidget* page)
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

void FormMain::closeCurrentPage()
{
    if (!current_)
        return;
    QMdiSubWindow* sub = current_;
    current_ = nullptr;
    mdiArea_->removeSubWindow(sub);
    delete sub;
}

bool FormMain::beginLeaving(QWidget* current)
{
    if (leaving_ || !current || current != currentPage())
        return false;
    leaving_ = true;
    current->setEnabled(false);
    return true;
}

void FormMain::replacePage(QWidget* current, PageFactory makeNext)
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

void FormMain::endProgram(QWidget* current)
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

void FormMain::Menu2_Click() { FormMenu2(this).exec(); }
void FormMain::Menu3_Click() { FormMenu3(this).exec(); }
void FormMain::Menu4_Click() { FormMenu4(this).exec(); }
void FormMain::Menu5_Click() { FormMenu5(this).exec(); }
void FormMain::Menu6_Click() { FormMenu6(this).exec(); }

} // namespace tellumo
