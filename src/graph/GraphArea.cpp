#include "graph/GraphArea.h"

#include "common/LevelStat.h"

#include "graph/ImageView.h"
#include "platform/Anchors.h"
#include "platform/Application.h"
#include "platform/Widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QResizeEvent>

using moravel::platform::make;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;

TFmGraphArea::TFmGraphArea(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FmGraphArea"));
    setWindowTitle(QStringLiteral("測定結果グラフ"));
    resize(870, 480);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("TFmGraphArea { background: #2f4254; }") +
                  moravel::platform::darkStyle({QStringLiteral("#PnTitle"), QStringLiteral("#PnGraphArea")}));
    QWidget* title =
        makePanel(this, "PnTitle", QRect(4, 10, 862, 30), QStringLiteral("background: #3d5a73;"));
    moravel::platform::anchor(title, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
    LbDate = makeLabel(title, "LbDate", QString(), QRect(0, 0, 862, 30), 20, Qt::AlignCenter);
    moravel::platform::anchor(LbDate, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
    m_area = makePanel(this, "PnGraphArea", QRect(4, 50, 860, 415));
    moravel::platform::anchor(m_area, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);

    auto half = [&](const char* name, const char* level, const char* unit, const char* combo,
                    const char* image, QComboBox*& box, moravel::graph::ImageView*& view) {
        QWidget* h = makePanel(m_area, name, QRect(0, 0, 858, 210));
        makeLabel(h, "", QString::fromUtf8(level), QRect(4, 8, 61, 18), 12);
        makeLabel(h, "", QString::fromUtf8(unit), QRect(4, 26, 61, 18), 12);
        box = make<QComboBox>(h, combo, QRect(4, 50, 58, 21));
        view = make<moravel::graph::ImageView>(h, image, QRect(66, 1, 790, 208));
        return h;
    };
    m_halfS = half("PnSHalf", "騒音レベル", "dB(A)", "CbSMode", "ImSGraph", CbSMode, ImSGraph);
    m_halfV = half("PnVHalf", "振動レベル", "dB", "CbVMode", "ImVGraph", CbVMode, ImVGraph);

    moravel::platform::fillCombo(CbSMode, moravel::noiseLevelItems());
    moravel::platform::fillCombo(CbVMode, moravel::vibrationLevelItems());
    CbSMode->setCurrentIndex(0);
    CbVMode->setCurrentIndex(0);
    connect(CbSMode, &QComboBox::currentIndexChanged, this,
            [this] { moravel::platform::guarded([&] { CbSModeChange(); }); });
    connect(CbVMode, &QComboBox::currentIndexChanged, this,
            [this] { moravel::platform::guarded([&] { CbVModeChange(); }); });
    layoutHalves();
}

void TFmGraphArea::showDate(const QString& text) {
    LbDate->setText(text);
}

void TFmGraphArea::CbSModeChange() {
    emit sModeChosen(CbSMode->currentIndex());
}

void TFmGraphArea::CbVModeChange() {
    emit vModeChosen(CbVMode->currentIndex());
}

void TFmGraphArea::layoutHalves() {
    // The area splits into an S half and a V half that scale with the window; the images fill
    // each half beside the 65-pixel level panel.
    const int w = m_area->width();
    const int top = m_area->height() / 2;
    m_halfS->setGeometry(0, 0, w - 2, top);
    m_halfV->setGeometry(0, top, w - 2, m_area->height() - top);
    ImSGraph->setGeometry(66, 1, std::max(1, w - 2 - 68), std::max(1, top - 2));
    ImVGraph->setGeometry(66, 0, std::max(1, w - 2 - 68), std::max(1, m_area->height() - top - 2));
}

void TFmGraphArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutHalves();
    if (isVisible())
        emit redrawWanted();
}

void TFmGraphArea::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    layoutHalves();
    emit redrawWanted();
}
