// Base of the seven pages: a borderless, fixed-size child page that paints
// the page colour and its framed background picture, unscaled, from the
// top-left corner, and knows the host that shows it; its size comes from its
// layout (PageLayouts.h).
#pragma once

#include "PageHost.h"
#include "PageLayouts.h"
#include "PageLook.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace tellumo {

// Decodes the background picture `path` for screens of devicePixelRatio and
// keeps it for the pages, which would otherwise decode it when one of them is
// first painted.
void keepBackground(const QString& path, qreal devicePixelRatio);

class Page : public QWidget {
    Q_OBJECT

public:
    // `size` is the page's inner size.
    Page(PageHost& host, const QString& objectName, PageSize size, const QString& backgroundPicture,
         QWidget* parent = nullptr);

protected:
    PageHost& host() const { return host_; }
    AssessmentRecord& record() const { return host_.record(); }
    void paintEvent(QPaintEvent* event) override;

private:
    PageHost& host_;
    QString backgroundPath_;
    QPixmap background_;
    qreal backgroundRatio_ = 0;
};

} // namespace tellumo
