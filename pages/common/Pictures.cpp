#include "Pictures.h"

#include <QFileInfo>

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

} // namespace tellumo
