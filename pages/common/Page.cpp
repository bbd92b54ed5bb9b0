#include "Page.h"

#include "Appearance.h"
#include "Pictures.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace tellumo {

namespace {

// The background pictures, one per colour, shared by the pages and kept for
// the whole run: each is decoded once for the screen's pixel ratio (while the
// splash waits, see keepBackground), not on every page change.
struct SharedBackground {
    QString path;
    qreal ratio = 0;
    QPixmap picture;
};

// Made on first use and dropped with the application object, which pixmaps
// must not outlive.
std::vector<SharedBackground>* shared = nullptr;

QPixmap sharedBackground(const QString& path, qreal ratio)
{
    if (!shared) {
        shared = new std::vector<SharedBackground>;
        qAddPostRoutine([] {
            delete shared;
            shared = nullptr;
        });
    }
    auto found = std::find_if(shared->begin(), shared->end(),
                              [&path](const SharedBackground& kept) { return kept.path == path; });
    if (found == shared->end())
        found = shared->insert(shared->end(), SharedBackground{path, 0, {}});
    if (found->picture.isNull() || found->ratio != ratio) {
        // The picture for the old ratio goes before the new one is decoded.
        found->picture = QPixmap();
        found->picture = loadPicture(path, ratio);
        found->ratio = ratio;
    }
    return found->picture;
}

} // namespace

void keepBackground(const QString& path, qreal devicePixelRatio)
{
    sharedBackground(path, devicePixelRatio);
}

Page::Page(PageHost& host, const QString& objectName, PageSize size, const QString& backgroundPicture,
           QWidget* parent)
    : QWidget(parent), host_(host), backgroundPath_(backgroundPicture)
{
    setObjectName(objectName);
    // The page's controls inherit the program's colours, not the desktop's.
    setPalette(programPalette());
    setFixedSize(twipsSize(size.width, size.height));
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
