#include "data/DataViewForm.h"

#include "data/GridModel.h"
#include "platform/Application.h"
#include "platform/Widgets.h"

#include <QLabel>
#include <QRadioButton>
#include <QTableView>

using moravel::platform::make;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;

TFmDataView::TFmDataView(const moravel::data::GridModel* noiseDayGrid, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FmDataView"));
    setWindowTitle(QStringLiteral("測定結果テーブル"));
    setFixedSize(860, 216);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("TFmDataView { background: #2f4254; }") +
                  moravel::platform::darkStyle({QStringLiteral("#PnTitle"), QStringLiteral("#PnBody")}));
    QWidget* title =
        makePanel(this, "PnTitle", QRect(4, 10, 852, 30), QStringLiteral("background: #3d5a73;"));
    LbDate = makeLabel(title, "LbDate", QString(), QRect(0, 0, 852, 30), 20, Qt::AlignCenter);
    QWidget* body = makePanel(this, "PnBody", QRect(4, 45, 853, 160));
    makeLabel(body, "LbResult", QStringLiteral("測定結果"), QRect(4, 4, 60, 20), 13);
    RbS = make<QRadioButton>(body, "RbS", QRect(10, 32, 54, 20));
    RbS->setText(QStringLiteral("騒音"));
    RbV = make<QRadioButton>(body, "RbV", QRect(10, 56, 54, 20));
    RbV->setText(QStringLiteral("振動"));
    SgDataView = make<QTableView>(body, "SgDataView", QRect(64, 0, 787, 160));
    Grid = new moravel::data::GridModel(25, 7, this, noiseDayGrid);
    SgDataView->setModel(Grid);
    connect(RbS, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            moravel::platform::guarded([&] { RbSChange(); });
    });
    connect(RbV, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            moravel::platform::guarded([&] { RbVChange(); });
    });
    FormCreate();
}

void TFmDataView::FormCreate() {
    InitFlag = false;
    RbS->setChecked(true);
    StringGridInit();
}

void TFmDataView::StringGridInit() {
    moravel::data::initGridView(SgDataView, 50, 28, 22);
    moravel::data::writeDayFixedCells(*Grid);
    InitFlag = true;
}

void TFmDataView::StringGridInitDay() {
    if (!InitFlag)
        return;
    SgDataView->setColumnWidth(0, 50);
    moravel::data::writeDayFixedCells(*Grid);
}

void TFmDataView::StringGridInitMonth() {
    for (int c = 0; c <= 24; ++c)
        Grid->setCell(c, 0, QString());
    for (int r = 0; r <= 6; ++r)
        Grid->setCell(0, r, QString());
    for (int c = 1; c <= 16; ++c)
        Grid->setCell(c, 0, c <= 9 ? QString::number(c) : QStringLiteral(" ") + QString::number(c));
    for (int c = 1; c <= 15; ++c)
        Grid->setCell(c, 2, QString::number(c + 16));
    Grid->setCell(0, 0, QStringLiteral("日付"));
    Grid->setCell(0, 2, QStringLiteral("日付"));
    Grid->setCell(0, 1, QStringLiteral("Max"));
    Grid->setCell(0, 3, QStringLiteral("Max"));
}

void TFmDataView::showDate(const QString& text) {
    LbDate->setText(text);
}

void TFmDataView::RbSChange() {
    emit radioGroupChange();
}

void TFmDataView::RbVChange() {
    emit radioGroupChange();
}
