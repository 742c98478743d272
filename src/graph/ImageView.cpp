#include "graph/ImageView.h"

#include <QPainter>

namespace moravel::graph {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ImageView::setBitmap(QImage bitmap) {
    m_bitmap = std::move(bitmap);
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    if (m_bitmap.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, m_bitmap);
}

void present(ImageView* image, const QImage& offscreen) {
    const QRect r(0, 0, image->width(), image->height());
    if (offscreen.format() == QImage::Format_ARGB32 && offscreen.rect() == r) {
        // The off-screen bitmap covers the whole image and is opaque (it starts white and is drawn
        // in opaque colours): drawing it onto white gives its own pixels.
        image->setBitmap(offscreen);
        return;
    }
    QImage own(offscreen.size(), QImage::Format_ARGB32);
    own.fill(0xFFFFFFFF);
    {
        QPainter p(&own);
        p.drawImage(r, offscreen, r);
    }
    image->setBitmap(std::move(own));
}

} // namespace moravel::graph
