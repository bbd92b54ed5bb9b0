#include "Page.h"

#include "Pictures.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QPainter>

namespace tellumo {

namespace {

// The background picture drawn last, shared by the pages: the pages of one
// colour follow one another, so each picture is decoded once, and the other
// colour's picture is let go when a page of the new colour first paints.
struct SharedBackground {
    QString path;
    qreal ratio = 0;
    QPixmap picture;
};

// Made on first use and dropped with the application object, which pixmaps
// must not outlive.
SharedBackground* shared = nullptr;

QPixmap sharedBackground(const QString& path, qreal ratio)
{
    if (!shared) {
        shared = new SharedBackground;
        qAddPostRoutine([] {
            delete shared;
            shared = nullptr;
        });
    }
    if (shared->picture.isNull() || shared->path != path || shared->ratio != ratio) {
        // Let the old picture go before decoding, so the two are never held at once.
        shared->picture = QPixmap();
        shared->picture = loadPicture(path, ratio);
        shared->path = path;
        shared->ratio = ratio;
    }
    return shared->picture;
}

} // namespace

Page::Page(PageHost& host, const QString& objectName, int widthTwips, int heightTwips,
           const QString& backgroundPicture, QWidget* parent)
    : QWidget(parent), host_(host), backgroundPath_(backgroundPicture)
{
    setObjectName(objectName);
    setFixedSize(twipsSize(widthTwips, heightTwips));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Page::paintEvent(QPaintEvent*)
{
    // The picture is loaded on first paint, for the screen the page is on.
    const qreal ratio = devicePixelRatioF();
    if (background_.isNull() || backgroundRatio_ != ratio) {
        background_ = sharedBackground(backgroundPath_, ratio);
        backgroundRatio_ = ratio;
    }
    QPainter painter(this);
    // A 2x picture on a 1.5x screen is reduced; smoothly, so it keeps its lines.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), PageColour);
    painter.drawPixmap(0, 0, background_);
}

} // namespace tellumo
