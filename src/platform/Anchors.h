#pragma once

#include <QRect>
#include <Qt>

class QWidget;

namespace moravel::platform {

// Keeps a control's distances to the named edges of its parent as they are now, whenever the
// parent is resized: anchored left and right it stretches with the parent's width, anchored right
// only it moves with the right edge, and the same for top and bottom.
void anchor(QWidget* control, Qt::Edges edges);

} // namespace moravel::platform
