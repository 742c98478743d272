#pragma once

#include <QWidget>

class QComboBox;
class QLabel;

namespace moravel::graph {
class ImageView;
}

// The graph window "測定結果グラフ": the day's date, a level combo per channel and the two graphs.
// Its combos choose the level that the main window draws as bars; they leave the main window's own
// combos and labels alone.
class TFmGraphArea : public QWidget {
    Q_OBJECT

public:
    explicit TFmGraphArea(QWidget* parent = nullptr);

    QLabel* LbDate = nullptr;
    QComboBox* CbSMode = nullptr;
    QComboBox* CbVMode = nullptr;
    moravel::graph::ImageView* ImSGraph = nullptr;
    moravel::graph::ImageView* ImVGraph = nullptr;

    // The date shown above the graphs: the day selected in day mode.
    void showDate(const QString& text);

    void CbSModeChange();
    void CbVModeChange();

signals:
    // The S combo chose an item; the main window sets its level index and refreshes.
    void sModeChosen(int itemIndex);
    // The V combo chose an item (its item index, not yet mapped past "Le").
    void vModeChosen(int itemIndex);
    // The window was shown or resized: its graphs want drawing at the new size.
    void redrawWanted();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* m_area = nullptr;
    QWidget* m_halfS = nullptr;
    QWidget* m_halfV = nullptr;
    void layoutHalves();
};
