#pragma once

#include "data/Raw.h"
#include "graph/TimeHistory.h"

#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace moravel::graph {

// The days the page 時間変化 may show: the day of day mode, or the days of a period.
struct TimeHistorySource {
    QString card;                                   // the card directory
    QStringList stems;                              // the days (yyyymmdd), first to last
    QStringList dayTexts;                           // their texts, yyyy年mm月dd日
    bool period = false;                            // the days of a period rather than one day
    int noiseReference = 0, vibrationReference = 0; // whole dB
};

// The page 時間変化: the raw seconds of a day, noise above vibration on one time axis, to zoom into
// down to a minute across the graph. The wheel zooms around the cursor, a drag pans, a drag along
// the time labels zooms to its range, Shift+drag or two clicks mark an interval whose statistics
// stand beside the graph; ←/→ pan, +/− zoom, Home shows the day, Esc lets go of the interval.
// A day is read when the page is shown, off the user-interface thread.
class TimeHistoryPage : public QWidget {
    Q_OBJECT
public:
    explicit TimeHistoryPage(QWidget* parent = nullptr);
    ~TimeHistoryPage() override;

    // The days to offer; the first is read when the page is shown.
    void setSource(const TimeHistorySource& source);
    // Nothing to show, and the line that says why.
    void clear(const QString& why);
    // Shows the day at `index` of the source.
    void showDay(int index);
    // Shows the day `stem` of the source at `view` with `selection` marked, once it is read.
    void showAt(const QString& stem, const TimeView& view, const TimeView& selection);

    // Whether a day is being read, the day shown, and the line said instead of a day.
    bool loading() const { return m_loading; }
    const data::RawDay& day() const { return m_day; }
    QString message() const;

    const TimeView& view() const { return m_view; }
    void setView(const TimeView& view);
    // The second under the cursor, and the readout of it ("10:42:00　騒音 63.5 dB(A)　振動 41.0 dB").
    std::optional<int> cursorSecond() const { return m_cursor; }
    QString readout() const;
    // The marked interval [first, last), if any, and its statistics as the panel shows them.
    std::optional<TimeView> selection() const { return m_selection; }
    void setSelection(const TimeView& selection);
    QString statisticsText() const;

    // Where the plots and the time labels lie on the page.
    QRect graphArea() const;
    QRect noisePlot() const;
    QRect vibrationPlot() const;
    QRect timeAxis() const;

    // The marked seconds of both channels as the raw conversion's rows, in a folder the user picks.
    void BtRawCsvSaveClick();
    // The statistics onto the clipboard.
    void BtRawCopyClick();

signals:
    // A day has been read and is shown, or the page says why it shows none.
    void dayShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Job;
    int secondAt(double x) const;
    void updateTexts();
    void startLoading();
    void loaded(const data::RawDay& day);

    TimeHistorySource m_source;
    int m_index = -1;      // the day of the source shown or being read
    bool m_wanted = false; // the day at m_index is still to be read
    bool m_loading = false;
    std::optional<std::pair<TimeView, TimeView>> m_pending; // the view and selection once the day is read
    std::shared_ptr<Job> m_job;
    data::RawDay m_day;
    QString m_why = QStringLiteral("日を選ぶと、その日の生データ（毎秒の値）を表示します。");
    TimeView m_view;
    std::optional<int> m_cursor;
    std::optional<TimeView> m_selection;
    std::optional<int> m_anchor; // the first of two clicks that mark an interval
    // A drag: where it began, and what it does.
    enum class Drag { None, Pan, Mark, Zoom };
    Drag m_drag = Drag::None;
    double m_dragX = 0;
    double m_dragToX = 0;
    TimeView m_dragView;
    QComboBox* m_days = nullptr;
    QLabel* m_dayNote = nullptr;
    QLabel* m_readout = nullptr;
    QPlainTextEdit* m_statistics = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_save = nullptr;
};

} // namespace moravel::graph
