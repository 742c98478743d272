#include "graph/ImageView.h"

#include <QPainter>

namespace moravel::graph {

ImageView::ImageView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent, false); }

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

QImage newBitmap(int width, int height) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(0xFFFFFFFF);
    return image;
}

void present(ImageView* image, const QImage& offscreen) {
    QImage own(offscreen.size(), QImage::Format_ARGB32);
    own.fill(0xFFFFFFFF);
    {
        QPainter p(&own);
        const QRect r(0, 0, image->width(), image->height());
        p.drawImage(r, offscreen, r);
    }
    image->setBitmap(std::move(own));
}

} // namespace moravel::graph
