// Loads a built-in picture (a ":/pictures/…" resource). On screens with a
// device pixel ratio above 1 the "@2x" rendering is taken when it exists, so
// the picture keeps its logical size and stays sharp.
#pragma once

#include <QPixmap>
#include <QString>

namespace tellumo {

QPixmap loadPicture(const QString& path, qreal devicePixelRatio);

} // namespace tellumo
