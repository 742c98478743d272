#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace moravel::platform {

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

// Fills a combo box without running its change handler and leaves it without a selection; the
// caller selects afterwards, which runs the handler once.
void fillCombo(QComboBox* combo, const QStringList& items);
// The texts of a combo box's items, in order.
QStringList comboItems(const QComboBox* combo);

} // namespace moravel::platform
