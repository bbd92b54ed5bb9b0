#include "FormSplash.h"

#include "AppInfo.h"
#include "Fonts.h"
#include "Pictures.h"
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
} // namespace

FormSplash::FormSplash(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint)
{
    createControls();
}

void FormSplash::createControls()
{
    setObjectName(QStringLiteral("FormSplash"));
    setWindowTitle(QStringLiteral("Tellumo"));
    setFixedSize(twipsSize(ClientWidthTwips, ClientHeightTwips));
    QPalette background = palette();
    background.setColor(QPalette::Window, SplashYellow);
    setPalette(background);
    setAutoFillBackground(true);

    pictures_[0] = addPicture("Picture1", QStringLiteral(":/pictures/Picture1.jpg"), 1000, 1000, 5050, 2800);
    pictures_[1] = addPicture("Picture2", QStringLiteral(":/pictures/Picture2.jpg"), 6000, 500, 3850, 3000);
    pictures_[2] = addPicture("Picture3", QStringLiteral(":/pictures/Picture3.jpg"), 4000, 2000, 3900, 3130);
    pictures_[3] = addPicture("Picture4", QStringLiteral(":/pictures/Picture4.jpg"), 3500, 700, 3750, 6000);
    pictures_[4] = addPicture("Picture5", QStringLiteral(":/pictures/Picture5.gif"), 2040, 500, 7095, 3600);

    credits_[0] = addCredit("Label2", QStringLiteral("監修：医学博士　") + AppInfo::supervisor(), 5000);
    credits_[1] = addCredit("Label3", QStringLiteral("提供：Ostrevan"), 5700);
    credits_[2] = addCredit("Label4", QStringLiteral("プログラム：") + AppInfo::programmingCredit(), 6400);

    pictures_[0]->show();
}

QLabel* FormSplash::addPicture(const char* name, const QString& path, int left, int top, int width, int height)
{
    auto* picture = new QLabel(this);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(twipsRect(left, top, width, height));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(loadPicture(path, devicePixelRatioF()));
    picture->hide();
    return picture;
}

QLabel* FormSplash::addCredit(const char* name, const QString& text, int top)
{
    auto* credit = new QLabel(text, this);
    credit->setObjectName(QString::fromLatin1(name));
    credit->setGeometry(twipsRect(5000, top, 6500, 500));
    credit->setFont(makeFont(ProportionalMincho, 21.75, true));
    credit->setTextFormat(Qt::PlainText);
    QPalette palette = credit->palette();
    palette.setColor(QPalette::WindowText, CreditTeal);
    credit->setPalette(palette);
    credit->hide();
    return credit;
}

void FormSplash::showCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
}

void FormSplash::enterState(int state)
{
    if (state < 2 || state > StateCount)
        return;
    pictures_[state - 2]->hide();
    pictures_[state - 1]->show();
    if (state == StateCount)
        for (QLabel* credit : credits_)
            credit->show();
}

int FormSplash::visibleState() const
{
    for (int i = 0; i < StateCount; ++i)
        if (pictures_[i]->isVisible())
            return i + 1;
    return 0;
}

void FormSplash::finish()
{
    finished_ = true;
}

void FormSplash::closeEvent(QCloseEvent* event)
{
    // The sequence cannot be cut short from the window.
    if (finished_)
        event->accept();
    else
        event->ignore();
}

} // namespace tellumo
