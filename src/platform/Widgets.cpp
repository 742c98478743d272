#include "platform/Widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace moravel::platform {

void setPixelFont(QWidget* w, int pixelSize) {
    QFont f = w->font();
    f.setPixelSize(pixelSize);
    w->setFont(f);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                  int pixelSize, Qt::Alignment alignment) {
    auto* l = make<QLabel>(parent, name, geometry);
    l->setText(text);
    l->setAlignment(alignment);
    setPixelFont(l, pixelSize);
    return l;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                        int pixelSize) {
    auto* b = make<QPushButton>(parent, name, geometry);
    b->setText(text);
    setPixelFont(b, pixelSize);
    return b;
}

QWidget* makePanel(QWidget* parent, const char* name, const QRect& geometry, const QString& styleSheet) {
    auto* w = make<QWidget>(parent, name, geometry);
    if (!styleSheet.isEmpty()) {
        w->setAttribute(Qt::WA_StyledBackground, true);
        w->setStyleSheet(styleSheet);
    }
    return w;
}

void fillCombo(QComboBox* combo, const QStringList& items) {
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
}

QStringList comboItems(const QComboBox* combo) {
    QStringList items;
    items.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

} // namespace moravel::platform
