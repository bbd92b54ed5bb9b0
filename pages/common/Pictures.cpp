#include "Pictures.h"

#include <QFileInfo>
#include <QPainter>

namespace tellumo {

QPixmap loadPicture(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        const QFileInfo info(path);
        const QString doubled = info.path() + QLatin1Char('/') + info.completeBaseName()
                                + QStringLiteral("@2x.") + info.suffix();
        QPixmap pixmap;
        if (QFileInfo::exists(doubled) && pixmap.load(doubled)) {
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    return QPixmap(path);
}

PictureBox::PictureBox(const QString& path, QWidget* parent) : QLabel(parent), path_(path)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    matchScreen();
    // A 2x picture on a 1.5x screen is reduced; smoothly, so it keeps its lines.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, pixmap());
}

void PictureBox::matchScreen()
{
    const qreal ratio = devicePixelRatioF();
    if (ratio == ratio_)
        return;
    ratio_ = ratio;
    setPixmap(loadPicture(path_, ratio));
}

} // namespace tellumo
