#include "data/CompliancePage.h"

#include "common/LevelStat.h"
#include "data/GridModel.h"
#include "platform/Application.h"
#include "platform/Widgets.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <thread>

using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;
using moravel::platform::setPixelFont;

namespace moravel::data {

namespace {

QTableView* complianceGrid(QWidget* page, const char* name, const QRect& geometry, TextRowsModel* model,
                           const QList<int>& widths) {
    auto* grid = make<QTableView>(page, name, geometry);
    setPixelFont(grid, 12);
    grid->setModel(model);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    // Tab leaves the table, as it leaves every other control; the arrows move within it.
    grid->setTabKeyNavigation(false);
    for (int c = 0; c < widths.size(); ++c)
        grid->setColumnWidth(c, widths[c]);
    grid->verticalHeader()->setDefaultSectionSize(20);
    return grid;
}

// The cells of the tables, and the warning: "※n" where a maxima method finds n entries above the
// reference that the method chosen does not.
QList<QStringList> rows(const QList<ChannelDay>& days) {
    QList<QStringList> out;
    for (const ChannelDay& d : days)
        out.append(complianceCells(d) << (d.warningEntries > 0 ? QStringLiteral("※%1").arg(d.warningEntries)
                                                               : QStringLiteral("－")));
    return out;
}

QString clockOf(int second) {
    return QString::asprintf("%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
}

const Method Methods[] = {Method::Statistic, Method::Lmax, Method::MaximaMean, Method::Maxima90};

int currentRow(const QTableView* view) {
    return view->currentIndex().row();
}

} // namespace

// A reading of the days' raw seconds: the worker hands its result back to the user-interface thread,
// which takes it unless other days or the page's end have cancelled it.
struct CompliancePage::Job {
    CompliancePage* page = nullptr;
    bool cancelled = false; // read and written on the user-interface thread only
};

CompliancePage::CompliancePage(QWidget* parent) : QWidget(parent) {
    QWidget* page = this;
    const QList<int> widths = {96, 40, 40, 60, 48, 36, 42, 38, 50, 36};
    const QStringList headings = complianceHeadings() << QStringLiteral("警告");
    m_s = new TextRowsModel(headings, this);
    m_v = new TextRowsModel(headings, this);
    m_runs = new TextRowsModel(
        {QStringLiteral("開始"), QStringLiteral("終了"), QStringLiteral("区間数"), QStringLiteral("最大値")},
        this);
    m_events = new TextRowsModel({QStringLiteral("開始"), QStringLiteral("終了"), QStringLiteral("秒"),
                                  QStringLiteral("最大値"), QStringLiteral("Leq"), QStringLiteral("SEL"),
                                  QStringLiteral("同時")},
                                 this);
    LbSummaryS = makeLabel(page, "LbSummaryS", QString(), QRect(8, 4, 250, 24), 16);
    CbMethodS = make<QComboBox>(page, "CbMethodS", QRect(262, 2, 228, 26));
    SgSummaryS = complianceGrid(page, "SgSummaryS", QRect(4, 30, 488, 310), m_s, widths);
    LbSummaryV = makeLabel(page, "LbSummaryV", QString(), QRect(506, 4, 250, 24), 16);
    CbMethodV = make<QComboBox>(page, "CbMethodV", QRect(760, 2, 228, 26));
    SgSummaryV = complianceGrid(page, "SgSummaryV", QRect(502, 30, 488, 310), m_v, widths);
    LbWarning = makeLabel(page, "LbWarning", QString(), QRect(8, 342, 980, 24), 15);
    for (auto [combo, level] :
         {std::pair{CbMethodS, static_cast<int>(L05)}, std::pair{CbMethodV, static_cast<int>(L10)}}) {
        setPixelFont(combo, 13);
        for (Method m : Methods)
            combo->addItem(QStringLiteral("判定：") + methodTitle(m, level));
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { guarded([&] { Refresh(); }); });
    }
    LbExceedances =
        makeLabel(page, "LbExceedances", QStringLiteral("超過の区間"), QRect(8, 368, 380, 24), 16);
    SgExceedances = complianceGrid(page, "SgExceedances", QRect(4, 394, 380, 138), m_runs, {88, 88, 88, 88});
    SgExceedances->setSelectionMode(QAbstractItemView::NoSelection);
    LbEvents = makeLabel(page, "LbEvents", QStringLiteral("イベント"), QRect(396, 368, 456, 24), 16);
    SgEvents =
        complianceGrid(page, "SgEvents", QRect(392, 394, 460, 138), m_events, {66, 66, 40, 52, 48, 48, 60});
    SgEvents->setToolTip(QStringLiteral("クリックすると、時間変化のページでその時刻を表示します。"));
    BtSummaryCsv = makeButton(page, "BtSummaryCsv", QStringLiteral("CSV保存"), QRect(860, 394, 130, 34), 18);
    BtEventsCsv =
        makeButton(page, "BtEventsCsv", QStringLiteral("イベントCSV"), QRect(860, 438, 130, 34), 16);
    connect(SgSummaryS->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { guarded([&] { ComplianceRowChange(0, current.row()); }); });
    connect(SgSummaryV->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { guarded([&] { ComplianceRowChange(1, current.row()); }); });
    // A click, or Enter on a row, opens the time history at the event.
    auto choose = [this](const QModelIndex& index) {
        guarded([&] {
            if (index.row() >= 0 && index.row() < m_shownEvents.size())
                emit eventChosen(m_eventsStem, m_shownEvents[index.row()].start,
                                 m_shownEvents[index.row()].end);
        });
    };
    connect(SgEvents, &QTableView::clicked, this, choose);
    connect(SgEvents, &QTableView::activated, this, choose);
    connect(BtSummaryCsv, &QPushButton::clicked, this, [this] {
        guarded([&] {
            if (!m_days.isEmpty())
                emit csvWanted();
        });
    });
    connect(BtEventsCsv, &QPushButton::clicked, this, [this] {
        guarded([&] {
            if (!m_days.isEmpty())
                emit eventsCsvWanted();
        });
    });
    Clear();
}

CompliancePage::~CompliancePage() {
    Cancel();
}

Method CompliancePage::MethodS() const {
    return Methods[std::max(0, CbMethodS->currentIndex())];
}

Method CompliancePage::MethodV() const {
    return Methods[std::max(0, CbMethodV->currentIndex())];
}

QList<DayEvents> CompliancePage::EventsNow() const {
    QList<DayEvents> out;
    for (const DayRecord& d : m_days) {
        DayEvents e;
        e.stem = d.stem;
        if (d.s.reference)
            e.sThreshold = defaultThreshold(*d.s.reference);
        if (d.v.reference)
            e.vThreshold = defaultThreshold(*d.v.reference);
        e.s = d.s.events.value_or(QList<Event>());
        e.v = d.v.events.value_or(QList<Event>());
        out.append(e);
    }
    return out;
}

void CompliancePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The raw seconds are read when the page is first looked at, not with every load of a day.
    if (!m_eventsRead && !m_days.isEmpty())
        guarded([&] { Refresh(); });
}

void CompliancePage::ReadEvents() {
    if (m_eventsRead || m_job || m_days.isEmpty() || !isVisible())
        return;
    auto job = std::make_shared<Job>();
    job->page = this;
    m_job = job;
    // The card may be slow (a network mount): the seconds are read beside the user-interface thread,
    // which goes on answering meanwhile.
    std::thread([job, days = m_days, card = m_directory]() mutable {
        QString error;
        try {
            addEvents(days, card);
        } catch (const std::exception& e) {
            error = QString::fromStdString(e.what());
        }
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        QMetaObject::invokeMethod(
            app,
            [job, days = std::move(days), error] {
                if (!job->cancelled)
                    guarded([&] { job->page->EventsRead(days, error); });
            },
            Qt::QueuedConnection);
    }).detach();
}

void CompliancePage::Cancel() {
    if (m_job)
        m_job->cancelled = true;
    m_job.reset();
}

void CompliancePage::EventsRead(const QList<DayRecord>& days, const QString& error) {
    m_job.reset();
    m_eventsRead = true;
    m_eventsError = error;
    // The days are those the reading started with: Show and Clear cancel it.
    for (int i = 0; i < m_days.size() && i < days.size(); ++i) {
        m_days[i].s.events = error.isEmpty() ? days[i].s.events : std::nullopt;
        m_days[i].v.events = error.isEmpty() ? days[i].v.events : std::nullopt;
    }
    Refresh();
    emit eventsShown();
}

Compliance CompliancePage::ComplianceNow() const {
    return complianceOf(m_days, m_window, m_sLevel, m_vLevel, m_first, m_last, MethodS(), MethodV());
}

void CompliancePage::Clear() {
    Cancel();
    m_days.clear();
    for (TextRowsModel* m : {m_s, m_v, m_runs, m_events})
        m->setRows({});
    m_shownEvents.clear();
    m_eventsRead = false;
    LbEvents->setText(QStringLiteral("イベント"));
    LbWarning->clear();
    LbSummaryS->clear();
    LbSummaryV->clear();
    LbExceedances->setText(QStringLiteral("超過の区間"));
    setEnabled(false);
}

void CompliancePage::Show(const QList<DayRecord>& days, const DisplayChoices& choices) {
    if (days.isEmpty()) {
        Clear();
        return;
    }
    Cancel();
    m_days = days;
    m_eventsRead = false;
    m_eventsError.clear();
    m_window = choices.selection.window;
    m_sLevel = choices.sStat;
    m_vLevel = choices.vStat;
    m_directory = choices.selection.directory;
    // Every calendar day of the period, those without both day files as not recorded.
    const Selection& s = choices.selection;
    m_first = s.catalogue.value(s.monthMode ? s.first : s.day);
    m_last = s.catalogue.value(s.monthMode ? s.last : s.day);
    {
        // The statistic's item names the level examined.
        const QSignalBlocker blockS(CbMethodS), blockV(CbMethodV);
        CbMethodS->setItemText(0, QStringLiteral("判定：") + methodTitle(Method::Statistic, m_sLevel));
        CbMethodV->setItemText(0, QStringLiteral("判定：") + methodTitle(Method::Statistic, m_vLevel));
    }
    Refresh();
}

void CompliancePage::Refresh() {
    if (m_days.isEmpty())
        return;
    ReadEvents();
    Compliance compliance;
    try {
        compliance = ComplianceNow();
    } catch (const std::exception&) {
        // A day whose reference or date cannot be read has no compliance; the rest of the window stands.
        Clear();
        return;
    }
    const int sRow = currentRow(SgSummaryS), vRow = currentRow(SgSummaryV);
    m_s->setRows(rows(compliance.s));
    m_v->setRows(rows(compliance.v));
    const QString window = QStringLiteral("　") + windowText(compliance.window);
    LbSummaryS->setText(QStringLiteral("騒音　S　") + levelStatName(compliance.sLevel) + window);
    LbSummaryV->setText(QStringLiteral("振動　V　") + levelStatName(compliance.vLevel) + window);
    setEnabled(true);
    BtSummaryCsv->setEnabled(!Reading());
    BtEventsCsv->setEnabled(!Reading());
    // The runs of the row chosen before, or of the first day.
    ShowRow(compliance, vRow >= 0 && sRow < 0 ? 1 : 0, std::max(0, vRow >= 0 && sRow < 0 ? vRow : sRow));
}

void CompliancePage::ComplianceRowChange(int channel, int row) {
    if (m_days.isEmpty() || row < 0)
        return;
    ShowRow(ComplianceNow(), channel, row);
}

void CompliancePage::ShowRow(const Compliance& compliance, int channel, int row) {
    const QList<ChannelDay>& days = channel == 0 ? compliance.s : compliance.v;
    if (row >= days.size())
        return;
    const ChannelDay& day = days[row];
    QList<QStringList> runs;
    for (const Exceedance& r : day.exceedances)
        runs.append({clockText(r.start), clockText(r.end), QString::number(r.entries), levelText(r.peak)});
    m_runs->setRows(runs);
    const QString which =
        (channel == 0 ? QStringLiteral("騒音　") : QStringLiteral("振動　")) + complianceCells(day)[0];
    LbExceedances->setText(QStringLiteral("超過の区間　") + which);
    // The day's events in the window, in time order: those of both channels at once marked.
    m_shownEvents = day.events;
    m_eventsStem = day.stem;
    QList<QStringList> events;
    for (const Event& e : day.events)
        events.append({clockOf(e.start), clockOf(e.end), QString::number(e.duration()), deciText(e.peak),
                       deciText(e.leq), deciText(e.sel),
                       e.coinciding ? QStringLiteral("騒音・振動") : QString()});
    m_events->setRows(events);
    QString state;
    if (Reading())
        state = QStringLiteral("（生データを読み込んでいます…）");
    else if (!m_eventsError.isEmpty())
        state = QStringLiteral("（生データを読み込めません：%1）").arg(m_eventsError);
    else if (day.hasEvents)
        state = QStringLiteral("（%1件）").arg(day.events.size());
    else
        state = QStringLiteral("（生データなし）");
    LbEvents->setText(QStringLiteral("イベント　") + which + state);
    LbWarning->setText(
        day.warning.isEmpty() ? QString() : QStringLiteral("※") + which + QStringLiteral("　") + day.warning);
}

} // namespace moravel::data
