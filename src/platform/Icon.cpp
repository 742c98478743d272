#include "platform/Icon.h"

#include "platform/VersionNumber.h"

#include <QPainter>
#include <QRectF>
#include <algorithm>
#include <cmath>

namespace moravel::platform {

namespace {

struct Shape {
    QRectF rect;
    const char* colour;
};

const char* const Background = "#1d3557";
const double Corner = 3;

// Drawn in this order over the background: three bars, the part of the middle one above the
// reference, the reference line across them.
const Shape Shapes[] = {
    {{3, 9, 2, 4}, "#f1faee"}, {{7, 4, 2, 9}, "#f1faee"},  {{11, 7, 2, 6}, "#f1faee"},
    {{7, 4, 2, 2}, "#e63946"}, {{2, 6, 12, 1}, "#ffb703"},
};

} // namespace

QString applicationId() {
    return QStringLiteral(MORAVEL_APP_ID);
}

void drawApplicationIcon(QPainter& p, int size) {
    p.save();
    const double unit = size / 16.0;
    p.setPen(Qt::NoPen);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(QColor(QString::fromLatin1(Background)));
    p.drawRoundedRect(QRectF(0, 0, size, size), Corner * unit, Corner * unit);
    // The marks on whole pixels at every size, so that they stay sharp where a unit is not a whole
    // number of pixels (22 and 24): each edge at the nearest pixel, every mark at least a pixel.
    auto edge = [unit](double units) { return static_cast<int>(std::lround(units * unit)); };
    for (const Shape& s : Shapes) {
        const int left = edge(s.rect.left()), top = edge(s.rect.top());
        const int right = std::max(left + 1, edge(s.rect.right()));
        const int bottom = std::max(top + 1, edge(s.rect.bottom()));
        p.fillRect(QRect(left, top, right - left, bottom - top), QColor(QString::fromLatin1(s.colour)));
    }
    p.restore();
}

QImage applicationIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    drawApplicationIcon(p, size);
    p.end();
    return image;
}

QByteArray applicationIconSvg() {
    QByteArray svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\" viewBox=\"0 0 16 16\">\n";
    svg += QStringLiteral("  <rect width=\"16\" height=\"16\" rx=\"%1\" fill=\"%2\"/>\n")
               .arg(Corner)
               .arg(QString::fromLatin1(Background))
               .toUtf8();
    for (const Shape& s : Shapes)
        svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                   .arg(s.rect.x())
                   .arg(s.rect.y())
                   .arg(s.rect.width())
                   .arg(s.rect.height())
                   .arg(QString::fromLatin1(s.colour))
                   .toUtf8();
    return svg + "</svg>\n";
}

} // namespace moravel::platform
