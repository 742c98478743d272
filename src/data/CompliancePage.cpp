#include "data/CompliancePage.h"

#include "common/LevelStat.h"
#include "data/GridModel.h"
#include "platform/Application.h"
#include "platform/Widgets.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

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

QList<QStringList> rows(const QList<ChannelDay>& days) {
    QList<QStringList> out;
    for (const ChannelDay& d : days)
        out.append(complianceCells(d));
    return out;
}

int currentRow(const QTableView* view) {
    return view->currentIndex().row();
}

} // namespace

CompliancePage::CompliancePage(QWidget* parent) : QWidget(parent) {
    QWidget* page = this;
    const QList<int> widths = {96, 44, 44, 62, 50, 40, 44, 40, 52};
    m_s = new TextRowsModel(complianceHeadings(), this);
    m_v = new TextRowsModel(complianceHeadings(), this);
    m_runs = new TextRowsModel(
        {QStringLiteral("開始"), QStringLiteral("終了"), QStringLiteral("区間数"), QStringLiteral("最大値")},
        this);
    LbSummaryS = makeLabel(page, "LbSummaryS", QString(), QRect(8, 4, 480, 24), 16);
    SgSummaryS = complianceGrid(page, "SgSummaryS", QRect(4, 30, 488, 330), m_s, widths);
    LbSummaryV = makeLabel(page, "LbSummaryV", QString(), QRect(506, 4, 480, 24), 16);
    SgSummaryV = complianceGrid(page, "SgSummaryV", QRect(502, 30, 488, 330), m_v, widths);
    LbExceedances =
        makeLabel(page, "LbExceedances", QStringLiteral("超過の区間"), QRect(8, 368, 700, 24), 16);
    SgExceedances =
        complianceGrid(page, "SgExceedances", QRect(4, 394, 600, 138), m_runs, {120, 120, 120, 120});
    SgExceedances->setSelectionMode(QAbstractItemView::NoSelection);
    BtSummaryCsv = makeButton(page, "BtSummaryCsv", QStringLiteral("CSV保存"), QRect(850, 490, 130, 34), 18);
    connect(SgSummaryS->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { guarded([&] { ComplianceRowChange(0, current.row()); }); });
    connect(SgSummaryV->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { guarded([&] { ComplianceRowChange(1, current.row()); }); });
    connect(BtSummaryCsv, &QPushButton::clicked, this, [this] {
        guarded([&] {
            if (!m_days.isEmpty())
                emit csvWanted();
        });
    });
    Clear();
}

Compliance CompliancePage::ComplianceNow() const {
    return complianceOf(m_days, m_window, m_sLevel, m_vLevel, m_first, m_last);
}

void CompliancePage::Clear() {
    m_days.clear();
    for (TextRowsModel* m : {m_s, m_v, m_runs})
        m->setRows({});
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
    m_days = days;
    m_window = choices.selection.window;
    m_sLevel = choices.sStat;
    m_vLevel = choices.vStat;
    // Every calendar day of the period, those without both day files as not recorded.
    const Selection& s = choices.selection;
    m_first = s.catalogue.value(s.monthMode ? s.first : s.day);
    m_last = s.catalogue.value(s.monthMode ? s.last : s.day);
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
    // The runs of the row chosen before, or of the first day.
    ComplianceRowChange(vRow >= 0 && sRow < 0 ? 1 : 0, std::max(0, vRow >= 0 && sRow < 0 ? vRow : sRow));
}

void CompliancePage::ComplianceRowChange(int channel, int row) {
    if (m_days.isEmpty() || row < 0)
        return;
    const Compliance compliance = ComplianceNow();
    const QList<ChannelDay>& days = channel == 0 ? compliance.s : compliance.v;
    if (row >= days.size())
        return;
    const ChannelDay& day = days[row];
    QList<QStringList> runs;
    for (const Exceedance& r : day.exceedances)
        runs.append({clockText(r.start), clockText(r.end), QString::number(r.entries), levelText(r.peak)});
    m_runs->setRows(runs);
    LbExceedances->setText(QStringLiteral("超過の区間　") +
                           (channel == 0 ? QStringLiteral("騒音　") : QStringLiteral("振動　")) +
                           complianceCells(day)[0]);
}

} // namespace moravel::data
