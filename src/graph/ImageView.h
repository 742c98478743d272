#pragma once

#include <QImage>
#include <QWidget>

namespace moravel::graph {

// An image control: shows its own bitmap at the top left, unscaled.
class ImageView : public QWidget {
    Q_OBJECT

public:
    explicit ImageView(QWidget* parent = nullptr);
    const QImage& bitmap() const { return m_bitmap; }
    void setBitmap(QImage bitmap);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_bitmap;
};

// Presents an off-screen bitmap in an image: the image's own bitmap takes the off-screen bitmap's
// size, is cleared to opaque white, and gets the rectangle (0, 0, image width, image height) of the
// off-screen bitmap drawn into the same rectangle.
void present(ImageView* image, const QImage& offscreen);

} // namespace moravel::graph
