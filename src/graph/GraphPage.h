#pragma once

#include "data/Choices.h"
#include "data/Loading.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace moravel::graph {

class ImageView;

// The page "グラフ": in day mode the bar graph of the chosen level or the line graph of the checked
// series of both channels, in month mode the line graphs of the period's hourly maxima, with the
// panels that choose the series.
class GraphPage : public QWidget {
    Q_OBJECT

public:
    explicit GraphPage(QWidget* parent = nullptr);

    QRadioButton* RbSB = nullptr; // 棒グラフ
    QRadioButton* RbSS = nullptr; // 線グラフ
    QWidget* LoGraphD = nullptr;
    QWidget* LoGraphM = nullptr;
    QWidget* PnSGraphArea = nullptr;
    QWidget* PnVGraphArea = nullptr;
    QWidget* PnSMode = nullptr;
    QWidget* PnVMode = nullptr;
    QComboBox* CbSMode = nullptr;
    QComboBox* CbVMode = nullptr;
    QWidget* Panel8 = nullptr;
    QWidget* Panel18 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    ImageView* ImSGraph = nullptr;
    ImageView* ImVGraph = nullptr;
    QWidget* Panel9 = nullptr;
    QWidget* Panel10 = nullptr;
    QPushButton* BtMModeS = nullptr;
    QPushButton* BtMModeV = nullptr;
    ImageView* ImGraphMS = nullptr;
    ImageView* ImGraphMV = nullptr;
    QWidget* PnMModeS = nullptr;
    QWidget* PnMModeV = nullptr;
    QCheckBox *CbLeqS = nullptr, *CbLeS = nullptr, *CbL05S = nullptr, *CbL10S = nullptr, *CbL50S = nullptr,
              *CbL90S = nullptr, *CbL95S = nullptr, *CbLminS = nullptr, *CbLmaxS = nullptr;
    QCheckBox *CbLeqV = nullptr, *CbLeV = nullptr, *CbL05V = nullptr, *CbL10V = nullptr, *CbL50V = nullptr,
              *CbL90V = nullptr, *CbL95V = nullptr, *CbLminV = nullptr, *CbLmaxV = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr, *Button6 = nullptr;

    std::array<QCheckBox*, 9> SSeriesBoxes() const;
    std::array<QCheckBox*, 9> VSeriesBoxes() const;
    // The levels of the checked series of a channel (0 noise, 1 vibration), in LevelStat order.
    QList<int> SeriesList(int channel) const;

    void ModeComboInit();
    // Day or month layout.
    void ShowMode(bool monthMode);
    // Shows the level combos with bars, the series buttons with lines.
    void ShowForm();
    void LayoutGraphPage();
    // The four graphs as empty frames at their sizes, in the frames of the mode chosen.
    void GraphReset(const data::DisplayChoices& choices);
    // Draws the graphs of the layout in sight; references are whole dB.
    void Draw(const data::CardData& data, const data::DisplayChoices& choices, int sReference,
              int vReference);
    // Draws a pair of graphs of the choices into two images of any window.
    void DrawPair(ImageView* s, ImageView* v, const data::CardData& data, const data::DisplayChoices& choices,
                  int sReference, int vReference);

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void BtMModeSClick();
    void BtMModeVClick();

signals:
    // 棒グラフ or 線グラフ was chosen.
    void formChosen();
    // A level combo chose an item.
    void sModeChosen();
    void vModeChosen();
    // A series box of a channel changed.
    void sSeriesChanged();
    void vSeriesChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // A fresh bitmap of a size with the frame of the chosen mode drawn on it. Frames are the same for
    // the same size, reference and period, so the last few drawn are kept and copied.
    QImage FramedBitmap(QSize size, int reference, const data::DisplayChoices& choices);
    QHash<QString, QImage> m_frames;
};

} // namespace moravel::graph
