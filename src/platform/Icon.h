#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QPainter;

namespace moravel::platform {

// The application's identifier: the name of its desktop entry, icon and metainfo.
QString applicationId();

// The application's icon, drawn on a grid of 16 units: a dark rounded square with three level bars
// and the amber reference line, the bar above it red. The same drawing as SVG and at any size.
void drawApplicationIcon(QPainter& p, int size);
QImage applicationIconImage(int size);
QByteArray applicationIconSvg();

} // namespace moravel::platform
