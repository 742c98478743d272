#pragma once

#include "data/Choices.h"
#include "data/Compliance.h"

#include <QList>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace moravel::data {

class TextRowsModel;

// The page "集計": per channel and day, how much of the time window was measured, the energy
// average, the maximum and how long the level exceeded the reference; the runs of the day chosen in
// either table. It is disabled while there is nothing to show. The days' raw seconds, for the events
// and the maxima methods, are read when the page is first shown, off the user-interface thread.
class CompliancePage : public QWidget {
    Q_OBJECT

public:
    explicit CompliancePage(QWidget* parent = nullptr);
    ~CompliancePage() override;

    QLabel* LbSummaryS = nullptr;
    QLabel* LbSummaryV = nullptr;
    QTableView* SgSummaryS = nullptr;
    QTableView* SgSummaryV = nullptr;
    QLabel* LbExceedances = nullptr;
    QTableView* SgExceedances = nullptr;
    QPushButton* BtSummaryCsv = nullptr;
    // How each channel's entries are judged, and the events of the day chosen.
    QComboBox* CbMethodS = nullptr;
    QComboBox* CbMethodV = nullptr;
    QLabel* LbWarning = nullptr; // the warning of the day chosen
    QLabel* LbEvents = nullptr;
    QTableView* SgEvents = nullptr;
    QPushButton* BtEventsCsv = nullptr;

    // Shows the compliance of the days at the window and levels chosen; a day whose reference or
    // date cannot be read leaves the page empty, the rest of the window stands. The days are kept
    // for the runs of a row and for ComplianceNow.
    void Show(const QList<DayRecord>& days, const DisplayChoices& choices);
    void Clear();
    // The runs of a channel's day (0 noise, 1 vibration) in the runs table.
    void ComplianceRowChange(int channel, int row);
    // The compliance shown; throws DataError where a day cannot be judged.
    Compliance ComplianceNow() const;
    const QList<DayRecord>& Days() const { return m_days; }
    // The events of the days shown, as the events CSV lists them.
    QList<DayEvents> EventsNow() const;
    // The methods chosen.
    Method MethodS() const;
    Method MethodV() const;
    // Whether the raw seconds of the days are being read; the CSV buttons wait for them.
    bool Reading() const { return m_job != nullptr; }

signals:
    // "CSV保存" was pressed with days shown.
    void csvWanted();
    // "イベントCSV保存" was pressed with days shown.
    void eventsCsvWanted();
    // An event of the list was clicked: the day and its seconds [first, last).
    void eventChosen(const QString& stem, int first, int last);
    // The events of the days' raw seconds are read and shown.
    void eventsShown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Job;
    void Refresh();
    // The runs, events and warning of a channel's day of the compliance shown.
    void ShowRow(const Compliance& compliance, int channel, int row);
    void ReadEvents();
    void Cancel();
    void EventsRead(const QList<DayRecord>& days, const QString& error);
    std::shared_ptr<Job> m_job; // the reading under way
    QString m_eventsError;      // why the raw seconds could not be read
    TextRowsModel* m_events = nullptr;
    QList<Event> m_shownEvents; // the events in the list, in its order
    QString m_eventsStem;
    QString m_directory;       // the card the days come from
    bool m_eventsRead = false; // the days carry the events of their raw seconds
    TextRowsModel* m_s = nullptr;
    TextRowsModel* m_v = nullptr;
    TextRowsModel* m_runs = nullptr;
    QList<DayRecord> m_days;
    TimeWindow m_window;
    QString m_first, m_last; // the calendar days of the period
    int m_sLevel = L05;
    int m_vLevel = L10;
};

} // namespace moravel::data
