#include "SplashWindow.h"

#include "AppInfo.h"
#include "Appearance.h"
#include "Controls.h"
#include "Fonts.h"
#include "Pictures.h"
#include "ScreenPlacement.h"
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
// The five pictures in the order they appear, by what they show.
constexpr const char* PictureNames[SplashWindow::StateCount] = {
    "firstMosquito", "secondMosquito", "thirdMosquito", "fallingMosquito", "titleArtwork",
};
const QString PicturePaths[SplashWindow::StateCount] = {
    QStringLiteral(":/pictures/mosquito-dashing.jpg"), QStringLiteral(":/pictures/mosquito-singing.jpg"),
    QStringLiteral(":/pictures/mosquito-turning.jpg"), QStringLiteral(":/pictures/mosquito-falling.jpg"),
    QStringLiteral(":/pictures/title.gif"),
};
} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint)
{
    createControls();
}

void SplashWindow::createControls()
{
    setObjectName(QStringLiteral("SplashWindow"));
    setWindowTitle(QStringLiteral("Tellumo"));
    setFixedSize(twipsSize(ClientWidthTwips, ClientHeightTwips));
    QPalette background = programPalette();
    background.setColor(QPalette::Window, SplashYellow);
    setPalette(background);
    setAutoFillBackground(true);

    pictures_[0] = addPicture(0, 1000, 1000, 5050, 2800);
    pictures_[1] = addPicture(1, 6000, 500, 3850, 3000);
    pictures_[2] = addPicture(2, 4000, 2000, 3900, 3130);
    pictures_[3] = addPicture(3, 3500, 700, 3750, 6000);
    pictures_[4] = addPicture(4, 2040, 500, 7095, 3600);

    credits_[0] = addCredit("supervisionCredit", QStringLiteral("監修：医学博士　") + AppInfo::supervisor(), 5000);
    credits_[1] = addCredit("providerCredit", QStringLiteral("提供：Ostrevan"), 5700);
    credits_[2] = addCredit("programmingCredit", QStringLiteral("プログラム：") + AppInfo::programmingCredit(), 6400);

    pictures_[0]->show();
}

QLabel* SplashWindow::addPicture(int index, int left, int top, int width, int height)
{
    // A picture box decodes its picture when it is first drawn, for the
    // screen it is drawn on.
    auto* picture = new PictureBox(PicturePaths[index], this);
    picture->setObjectName(QString::fromLatin1(PictureNames[index]));
    picture->setGeometry(twipsRect(left, top, width, height));
    picture->hide();
    return picture;
}

QLabel* SplashWindow::addCredit(const char* name, const QString& text, int top)
{
    QLabel* credit = makeLabel(this, {.text = text,
                                      .font = makeFont(ProportionalMincho, 21.75, true),
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
    if (state == StateCount)
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
