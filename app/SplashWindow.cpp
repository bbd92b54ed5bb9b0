#include "SplashWindow.h"

#include "AppInfo.h"
#include "Appearance.h"
#include "Controls.h"
#include "Fonts.h"
#include "Pictures.h"
#include "ScreenPlacement.h"
#include "SplashSteps.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace tellumo {

namespace {
const QColor SplashYellow(255, 255, 0);
const QColor CreditTeal(0, 192, 192);
constexpr int ClientWidthTwips = 11415;
constexpr int ClientHeightTwips = 7350;
static_assert(SplashSteps.size() == SplashWindow::StateCount);
} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint)
{
    makeControls();
}

void SplashWindow::makeControls()
{
    setObjectName(QStringLiteral("SplashWindow"));
    setWindowTitle(QStringLiteral("Tellumo"));
    setFixedSize(twipsSize(ClientWidthTwips, ClientHeightTwips));
    QPalette background = programPalette();
    background.setColor(QPalette::Window, SplashYellow);
    setPalette(background);
    setAutoFillBackground(true);

    for (std::size_t i = 0; i < SplashSteps.size(); ++i) {
        const SplashStep& step = SplashSteps[i];
        // A picture box decodes its picture when it is first drawn, for the
        // screen it is drawn on.
        auto* picture = new PictureBox(QString::fromLatin1(step.picturePath), this);
        picture->setObjectName(QString::fromLatin1(step.pictureName));
        place(picture, step.at);
        picture->hide();
        pictures_[i] = picture;
    }

    credits_[0] = makeCredit("supervisionCredit", QStringLiteral("監修：医学博士　") + AppInfo::supervisor(), 5000);
    credits_[1] = makeCredit("providerCredit", QStringLiteral("提供：Ostrevan"), 5700);
    credits_[2] = makeCredit("programmingCredit", QStringLiteral("プログラム：") + AppInfo::programmingCredit(), 6400);

    pictures_[0]->show();
}

QLabel* SplashWindow::makeCredit(const char* name, const QString& text, int top)
{
    QLabel* credit = makeLabel(this, {.text = text,
                                      .font = makeFont({.face = ProportionalMincho, .points = 21.75, .bold = true}),
                                      .at = Place(5000, top, 6500, 500),
                                      .wordWrap = false,
                                      .colour = CreditTeal});
    credit->setObjectName(QString::fromLatin1(name));
    credit->hide();
    return credit;
}

void SplashWindow::showCentred()
{
    centreOnScreen(this);
    show();
}

void SplashWindow::enterState(int state)
{
    if (state < 2 || state > StateCount)
        return;
    pictures_[state - 2]->hide();
    pictures_[state - 1]->show();
    if (SplashSteps[static_cast<std::size_t>(state - 1)].withCredits)
        for (QLabel* credit : credits_)
            credit->show();
}

int SplashWindow::visibleState() const
{
    for (int i = 0; i < StateCount; ++i)
        if (pictures_[i]->isVisible())
            return i + 1;
    return 0;
}

void SplashWindow::finish()
{
    finished_ = true;
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    // The sequence cannot be cut short from the window.
    if (finished_)
        event->accept();
    else
        event->ignore();
}

} // namespace tellumo
