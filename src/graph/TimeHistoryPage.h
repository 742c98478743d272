#pragma once

#include "data/Raw.h"
#include "graph/TimeHistory.h"

#include <QWidget>
#include <optional>

class QLabel;
class QPlainTextEdit;

namespace moravel::graph {

// The page 時間変化: the raw seconds of a day, noise above vibration on one time axis, to zoom into
// down to a minute across the graph. The wheel zooms around the cursor, a drag pans, Shift+drag
// marks an interval whose statistics stand beside the graph; ←/→ pan, +/− zoom, Home shows the day.
class TimeHistoryPage : public QWidget {
    Q_OBJECT
public:
    explicit TimeHistoryPage(QWidget* parent = nullptr);

    // The day to show, with the reference values of its day files (whole dB).
    void setDay(const data::RawDay& day, int noiseReference, int vibrationReference);
    // Nothing to show, and the line that says why.
    void clear(const QString& why);

    const TimeView& view() const { return m_view; }
    void setView(const TimeView& view);
    // The second under the cursor, and the readout of it ("10:42:00  騒音 63.5 dB(A)  振動 41.0 dB").
    std::optional<int> cursorSecond() const { return m_cursor; }
    QString readout() const;
    // The marked interval [first, last), if any, and its statistics as the panel shows them.
    std::optional<TimeView> selection() const { return m_selection; }
    void setSelection(const TimeView& selection);
    QString statisticsText() const;

    // Where the plots lie on the page.
    QRect noisePlot() const;
    QRect vibrationPlot() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int secondAt(double x) const;
    void updateTexts();

    data::RawDay m_day;
    int m_references[2] = {0, 0};
    QString m_why = QStringLiteral("日を選ぶと、その日の生データ（毎秒の値）を表示します。");
    TimeView m_view;
    std::optional<int> m_cursor;
    std::optional<TimeView> m_selection;
    // A drag: where it began, and whether it marks (Shift) or pans.
    std::optional<double> m_dragX;
    TimeView m_dragView;
    bool m_marking = false;
    QLabel* m_readout = nullptr;
    QPlainTextEdit* m_statistics = nullptr;
};

} // namespace moravel::graph
