#include "Page.h"

#include "Pictures.h"
#include "Twips.h"

#include <QPainter>

namespace tellumo {

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
        background_ = loadPicture(backgroundPath_, ratio);
        backgroundRatio_ = ratio;
    }
    QPainter painter(this);
    painter.fillRect(rect(), PageColour);
    painter.drawPixmap(0, 0, background_);
}

} // namespace tellumo
