#include "Pictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QResource>
#include <QtEndian>

#include <cstring>

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

// The copy of ":/x/y.jpg" that the build decoded already (":/decoded/x/y.jpg.rgb32",
// see app/tools/predecode.cpp): width and height, little-endian, then the
// rows in Format_RGB32. Null when there is none or it does not add up.
QPixmap predecoded(const QString& path)
{
    if (!path.startsWith(QLatin1String(":/")))
        return {};
    const QResource resource(QStringLiteral(":/decoded/") + path.mid(2) + QStringLiteral(".rgb32"));
    constexpr qint64 HeaderBytes = 8;
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression
        || resource.size() < HeaderBytes)
        return {};
    const uchar* data = resource.data();
    const quint32 width = qFromLittleEndian<quint32>(data);
    const quint32 height = qFromLittleEndian<quint32>(data + 4);
    if (width == 0 || height == 0 || width > 16384 || height > 16384
        || resource.size() != HeaderBytes + qint64(width) * height * 4)
        return {};
    // Copied row by row: resource data need not be aligned for 32-bit pixels.
    QImage image(int(width), int(height), QImage::Format_RGB32);
    const qsizetype rowBytes = qsizetype(width) * 4;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(image.scanLine(y), data + HeaderBytes + y * rowBytes, size_t(rowBytes));
    return QPixmap::fromImage(std::move(image));
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
    if (QPixmap pixmap = predecoded(path); !pixmap.isNull())
        return pixmap;
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
