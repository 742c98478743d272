#pragma once

#include <QWidget>

class QLabel;
class QRadioButton;
class QTableWidget;

// The table window "測定結果テーブル": mirrors the noise day table of the main window, and in month
// mode shows the overview of the daily maxima.
class TFmDataView : public QWidget {
    Q_OBJECT

public:
    explicit TFmDataView(QWidget* parent = nullptr);

    bool InitFlag = false;
    QLabel* LbDate = nullptr;
    QRadioButton* RbS = nullptr;
    QRadioButton* RbV = nullptr;
    QTableWidget* SgDataView = nullptr;

    void FormCreate();
    void StringGridInit();
    void StringGridInitDay();
    void StringGridInitMonth();
    void RbSChange();
    void RbVChange();

signals:
    // The main window's central refresh is asked for.
    void radioGroupChange();
};
