#include "platform/Widgets.h"

#include <QScreen>
#include <algorithm>

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

QString scopedStyle(const QStringList& containers, const QString& rules) {
    QString out;
    qsizetype at = 0;
    while (true) {
        const qsizetype open = rules.indexOf(u'{', at);
        if (open < 0)
            break;
        const qsizetype close = rules.indexOf(u'}', open);
        const QStringList selectors = rules.mid(at, open - at).split(u',', Qt::SkipEmptyParts);
        QStringList scoped;
        for (const QString& container : containers)
            for (const QString& selector : selectors)
                scoped.append(container + u' ' + selector.trimmed());
        out += scoped.join(QStringLiteral(", ")) + u' ' + rules.mid(open, close - open + 1) + u'\n';
        at = close + 1;
    }
    return out;
}

QString darkStyle(const QStringList& containers) {
    return scopedStyle(containers, QStringLiteral(R"(
QLabel, QRadioButton, QCheckBox { color: white; }
QLineEdit, QPlainTextEdit { background: white; color: black; border: 1px solid #8da2b5; }
QPushButton { padding: 0px; }
QTableView { background: #22313f; color: white; gridline-color: #5d7185; selection-background-color: #1565c0; selection-color: white; }
QHeaderView, QHeaderView::section { background: #22313f; color: white; }
QCheckBox::indicator, QRadioButton::indicator { width: 12px; height: 12px; border: 1px solid white; background: #16222d; }
QRadioButton::indicator { border-radius: 7px; }
QCheckBox::indicator:checked, QRadioButton::indicator:checked { background: #ffd54f; }
QLineEdit:focus, QPlainTextEdit:focus { border: 2px solid #ffb300; }
QPushButton, QComboBox { selection-background-color: #ffb300; selection-color: black; }
)"));
}

QPoint placeOver(const QSize& window, const QRect& owner, const QRect& screenArea) {
    auto axis = [](int ownerStart, int ownerLength, int length, int areaStart, int areaLength) {
        if (length >= areaLength)
            return areaStart;
        const int centred = ownerStart + (ownerLength - length) / 2;
        return std::clamp(centred, areaStart, areaStart + areaLength - length);
    };
    return {axis(owner.x(), owner.width(), window.width(), screenArea.x(), screenArea.width()),
            axis(owner.y(), owner.height(), window.height(), screenArea.y(), screenArea.height())};
}

void placeOverOwner(QWidget* window, QWidget* owner) {
    const QScreen* screen = owner->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), window->size());
    window->move(placeOver(window->frameGeometry().size(), owner->frameGeometry(), area));
}

void park(QWidget* panel, const QPoint& outOfSight) {
    panel->move(outOfSight);
    panel->hide();
}

void unpark(QWidget* panel, const QPoint& inSight) {
    panel->move(inSight);
    panel->show();
    panel->raise();
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
