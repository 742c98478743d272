#pragma once

#include <QCheckBox>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace moravel::platform {

// Whether each of a row of boxes is checked.
template <std::size_t N> std::array<bool, N> checkedStates(const std::array<QCheckBox*, N>& boxes) {
    std::array<bool, N> checked{};
    for (std::size_t i = 0; i < N; ++i)
        checked[i] = boxes[i]->isChecked();
    return checked;
}

// Controls are placed at fixed positions in device-independent pixels and carry their given names;
// font sizes are pixel sizes.

template <class T> T* make(QWidget* parent, const char* name, const QRect& geometry) {
    auto* w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

void setPixelFont(QWidget* w, int pixelSize);

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                  int pixelSize, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                        int pixelSize);
// A plain panel that draws its own background.
QWidget* makePanel(QWidget* parent, const char* name, const QRect& geometry,
                   const QString& styleSheet = QString());

// The dark look of the windows' own surfaces: light text on dark panels, check boxes and radio
// buttons whose state stands out, a visible keyboard focus. The rules are given scoped to the
// descendants of the named containers ("#PnDate", ...), so that the boxes, folder pickers and windows
// a window owns keep the platform's readable colours.
QString darkStyle(const QStringList& containers);
// Style rules, each selector put below each of the containers.
QString scopedStyle(const QStringList& containers, const QString& rules);

// Parks a sliding panel out of sight (hidden, so that the keyboard cannot reach into it) or brings
// it back to a place in sight.
// Where a window goes when it opens over its owner: centred on the owner, moved inside the screen's
// area where it fits there, else at the area's top or left.
QPoint placeOver(const QSize& window, const QRect& owner, const QRect& screenArea);
// Moves a window there, over its owner on the owner's screen.
void placeOverOwner(QWidget* window, QWidget* owner);

void park(QWidget* panel, const QPoint& outOfSight);
void unpark(QWidget* panel, const QPoint& inSight);

// Fills a combo box without running its change handler and leaves it without a selection; the
// caller selects afterwards, which runs the handler once.
void fillCombo(QComboBox* combo, const QStringList& items);
// The texts of a combo box's items, in order.
QStringList comboItems(const QComboBox* combo);

} // namespace moravel::platform
