// The main window's page "集計": per channel and day, how much of the time window was measured, the
// energy average, the maximum and how long the level exceeded the reference; the runs of a day.
#include "app/MainForm.h"

#include "data/Compliance.h"
#include "data/Grids.h"
#include "export/Csv.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Widgets.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

using moravel::platform::dialogs;
using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;
using moravel::platform::setPixelFont;

namespace {

QTableWidget* summaryGrid(QWidget* page, const char* name, const QRect& geometry, const QStringList& headings,
                          const QList<int>& widths) {
    auto* grid = make<QTableWidget>(page, name, geometry);
    setPixelFont(grid, 12);
    grid->setColumnCount(static_cast<int>(headings.size()));
    grid->setHorizontalHeaderLabels(headings);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    for (int c = 0; c < widths.size(); ++c)
        grid->setColumnWidth(c, widths[c]);
    grid->verticalHeader()->setDefaultSectionSize(20);
    return grid;
}

void fill(QTableWidget* grid, const QList<QStringList>& rows) {
    grid->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            item->setTextAlignment(Qt::AlignCenter);
            grid->setItem(r, c, item);
        }
}

} // namespace

void TFmMain::BuildCompliancePage() {
    QWidget* page = TabItem5;
    const QList<int> widths = {96, 44, 44, 62, 50, 40, 44, 40, 52};
    LbSummaryS = makeLabel(page, "LbSummaryS", QString(), QRect(8, 4, 480, 24), 16);
    SgSummaryS =
        summaryGrid(page, "SgSummaryS", QRect(4, 30, 488, 330), moravel::data::complianceHeadings(), widths);
    LbSummaryV = makeLabel(page, "LbSummaryV", QString(), QRect(506, 4, 480, 24), 16);
    SgSummaryV = summaryGrid(page, "SgSummaryV", QRect(502, 30, 488, 330),
                             moravel::data::complianceHeadings(), widths);
    LbExceedances =
        makeLabel(page, "LbExceedances", QStringLiteral("超過の区間"), QRect(8, 368, 700, 24), 16);
    SgExceedances = summaryGrid(
        page, "SgExceedances", QRect(4, 394, 600, 138),
        {QStringLiteral("開始"), QStringLiteral("終了"), QStringLiteral("区間数"), QStringLiteral("最大値")},
        {120, 120, 120, 120});
    SgExceedances->setSelectionMode(QAbstractItemView::NoSelection);
    BtSummaryCsv = makeButton(page, "BtSummaryCsv", QStringLiteral("CSV保存"), QRect(850, 490, 130, 34), 18);
    connect(SgSummaryS, &QTableWidget::currentCellChanged, this,
            [this](int row) { guarded([&] { ComplianceRowChange(0, row); }); });
    connect(SgSummaryV, &QTableWidget::currentCellChanged, this,
            [this](int row) { guarded([&] { ComplianceRowChange(1, row); }); });
    connect(BtSummaryCsv, &QPushButton::clicked, this, [this] { guarded([&] { BtSummaryCsvClick(); }); });
    ComplianceReset();
}

moravel::data::Compliance TFmMain::ComplianceNow() const {
    return moravel::data::complianceOf(ComplianceDays, SelectionNow().window, CbSModeIndex, CbVModeIndex);
}

void TFmMain::ComplianceReset() {
    for (QTableWidget* grid : {SgSummaryS, SgSummaryV, SgExceedances})
        grid->setRowCount(0);
    LbSummaryS->clear();
    LbSummaryV->clear();
    LbExceedances->setText(QStringLiteral("超過の区間"));
    TabItem5->setEnabled(false);
}

void TFmMain::ComplianceRefresh() {
    if (ComplianceDays.isEmpty()) {
        ComplianceReset();
        return;
    }
    moravel::data::Compliance summary;
    try {
        summary = ComplianceNow();
    } catch (const std::exception&) {
        // A day whose reference or date cannot be read has no summary; the rest of the window stands.
        ComplianceReset();
        return;
    }
    auto rows = [](const QList<moravel::data::ChannelDay>& days) {
        QList<QStringList> out;
        for (const moravel::data::ChannelDay& d : days)
            out.append(moravel::data::complianceCells(d));
        return out;
    };
    const int sRow = SgSummaryS->currentRow(), vRow = SgSummaryV->currentRow();
    fill(SgSummaryS, rows(summary.s));
    fill(SgSummaryV, rows(summary.v));
    const QString window = QStringLiteral("　") + moravel::data::clockText(summary.window.start) + u'-' +
                           moravel::data::clockText(summary.window.stop);
    LbSummaryS->setText(QStringLiteral("騒音　S　") + moravel::levelStatName(summary.sLevel) + window);
    LbSummaryV->setText(QStringLiteral("振動　V　") + moravel::levelStatName(summary.vLevel) + window);
    TabItem5->setEnabled(true);
    // The runs of the row chosen before, or of the first day.
    ComplianceRowChange(vRow >= 0 && sRow < 0 ? 1 : 0, std::max(0, vRow >= 0 && sRow < 0 ? vRow : sRow));
}

void TFmMain::ComplianceRowChange(int channel, int row) {
    if (ComplianceDays.isEmpty() || row < 0 || row >= ComplianceDays.size())
        return;
    const moravel::data::Compliance summary = ComplianceNow();
    const moravel::data::ChannelDay& day = (channel == 0 ? summary.s : summary.v)[row];
    QList<QStringList> runs;
    for (const moravel::data::Exceedance& r : day.exceedances)
        runs.append({moravel::data::clockText(r.start), moravel::data::clockText(r.end),
                     QString::number(r.entries), moravel::data::levelText(r.peak)});
    fill(SgExceedances, runs);
    LbExceedances->setText(QStringLiteral("超過の区間　") +
                           (channel == 0 ? QStringLiteral("騒音　") : QStringLiteral("振動　")) +
                           moravel::data::complianceCells(day)[0]);
}

void TFmMain::BtSummaryCsvClick() {
    if (ComplianceDays.isEmpty())
        return;
    const moravel::data::Compliance summary = ComplianceNow();
    const auto dir = dialogs().chooseDirectory(this, QStringLiteral("ディレクトリ指定"), QString());
    if (!dir)
        return;
    const QString first = DateNumToString(ComplianceDays.first().stem);
    const QString last = DateNumToString(ComplianceDays.last().stem);
    const QString name =
        QStringLiteral("集計_") + first + (first == last ? QString() : u'_' + last) + QStringLiteral(".csv");
    const QString path = moravel::platform::withSeparator(*dir) + name;
    if (moravel::platform::fileExists(path) &&
        dialogs().askYesNoCancel(this, path + QStringLiteral("\r\n") +
                                           QStringLiteral("はすでに存在します。上書きしますか？")) !=
            moravel::platform::Answer::Yes)
        return;
    // A failed write is not caught here: it goes to the general error report.
    moravel::platform::writeFileAtomically(path, moravel::csv::complianceCsv(summary));
    dialogs().information(this, QStringLiteral("保存完了"));
}
