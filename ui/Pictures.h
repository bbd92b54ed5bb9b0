// Built-in pictures (":/pictures/…" resources) at the pixel density of the
// screen they are shown on. On screens with a device pixel ratio above 1 the
// "@2x" rendering is taken when it exists, so a picture keeps its logical
// size and stays sharp instead of being enlarged.
//
// Data flow: loadPicture(path, ratio) picks the file; a PictureBox keeps the
// path and decodes the picture when it is first painted, for the screen it
// is painted on, and again whenever that screen's ratio differs from the one
// its pixmap was made for (a window can move to another screen). A box that
// is never shown never decodes its picture.
//
// A picture that the build decoded already (the splash's first picture) is
// copied from its decoded form rather than decoded again.
//
// Pictures are not kept in QPixmapCache: each loadPicture() call decodes the
// file, and the memory goes with the last pixmap that refers to it. Callers
// that show one picture again and again keep their own copy (see Page.cpp).
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QString>

namespace tellumo {

QPixmap loadPicture(const QString& path, qreal devicePixelRatio);

// A picture box: the picture unscaled from its top-left corner, cut off by
// the box's edges.
class PictureBox : public QLabel {
    Q_OBJECT

public:
    PictureBox(const QString& path, QWidget* parent);

    QString path() const { return path_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Loads the picture for the screen's ratio unless it already has it.
    void matchScreen();

    QString path_;
    qreal ratio_ = 0;
};

} // namespace tellumo
