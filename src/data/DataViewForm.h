#pragma once

#include <QWidget>

class QLabel;
class QRadioButton;
class QTableView;

namespace moravel::data {
class GridModel;
}

// The table window "測定結果テーブル": shows the cells of the main window's noise day table (the
// grid it is given) under fixed cells of its own: the hours of a day, or in month mode the days of
// the overview of the daily maxima.
class TFmDataView : public QWidget {
    Q_OBJECT

public:
    explicit TFmDataView(const moravel::data::GridModel* noiseDayGrid = nullptr, QWidget* parent = nullptr);

    bool InitFlag = false;
    QLabel* LbDate = nullptr;
    QRadioButton* RbS = nullptr;
    QRadioButton* RbV = nullptr;
    QTableView* SgDataView = nullptr;
    // What SgDataView shows: the noise day table with this window's fixed cells over it.
    moravel::data::GridModel* Grid = nullptr;

    void FormCreate();
    void StringGridInit();
    void StringGridInitDay();
    void StringGridInitMonth();
    void RbSChange();
    void RbVChange();

signals:
    // The main window's central refresh is asked for.
    void radioGroupChange();

public:
    // The date shown above the table: the day selected in day mode.
    void showDate(const QString& text);
};
