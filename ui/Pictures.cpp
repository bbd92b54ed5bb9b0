#include "Pictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <utility>

namespace tellumo {

namespace {
// Decodes the file afresh. QPixmap(path) would also file the picture in the
// application-wide QPixmapCache, where it would outlive the window that
// showed it (the splash pictures would stay in memory for the whole run).
QPixmap decode(const QString& path)
{
    QImage image = QImageReader(path).read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(std::move(image));
}
} // namespace

QPixmap loadPicture(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        const QFileInfo info(path);
        const QString doubled = info.path() + QLatin1Char('/') + info.completeBaseName()
                                + QStringLiteral("@2x.") + info.suffix();
        if (QFileInfo::exists(doubled)) {
            QPixmap pixmap = decode(doubled);
            if (!pixmap.isNull()) {
                pixmap.setDevicePixelRatio(2.0);
                return pixmap;
            }
        }
    }
    return decode(path);
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
