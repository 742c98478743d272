// Loading a day and a period through the main window, against reading and splitting the same files.
#include "BenchSupport.h"

#include "app/MainForm.h"
#include "app/Startup.h"
#include "data/CompliancePage.h"
#include "data/GridModel.h"
#include "data/ItemsPage.h"
#include "data/TablesPage.h"
#include "graph/GraphPage.h"
#include "platform/ScriptedDialogs.h"
#include "report/PrintForm.h"
#include "report/ReportPage.h"
#include "report/ReportPdf.h"
#include "settings/SettingsPage.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

using namespace moravel;

namespace {

tools::SampleCardOptions cardOptions() {
    tools::SampleCardOptions o;
    o.days = 31;
    o.raw = false;
    return o;
}

struct Window {
    platform::ScriptedDialogs dialogs;
    app::Windows windows;
    TFmMain* main = nullptr;

    Window() {
        dialogs.install();
        windows = app::createWindows();
        main = windows.main.get();
        main->show();
        main->TabControl1->setCurrentIndex(1);
        dialogs.chooseFolder(bench::sampleCard("month", cardOptions()));
        main->BtSelectDir->click();
    }

    // The card's month of 31 days as the period.
    void showMonth() {
        main->RbDateMMode->setChecked(true);
        main->CbDateListStop->setCurrentIndex(30);
    }
};

QStringList dayPaths(const QString& dir, int first, int count) {
    QStringList paths;
    for (int d = first; d < first + count; ++d)
        for (const char* ext : {".LAC", ".LVC"})
            paths << dir + QStringLiteral("202103%1").arg(d, 2, 10, QLatin1Char('0')) +
                         QString::fromLatin1(ext);
    return paths;
}

void DayLoad(benchmark::State& state) {
    Window w;
    for (auto _ : state)
        w.main->DataView();
    if (!w.dialogs.boxes().empty() && w.dialogs.boxes().size() != 1)
        state.SkipWithError("a box was shown");
}
BENCHMARK(DayLoad)->Unit(benchmark::kMillisecond);

void DayReadAndSplit(benchmark::State& state) {
    const QStringList paths = dayPaths(bench::sampleCard("month", cardOptions()), 1, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readAndSplit(paths));
}
BENCHMARK(DayReadAndSplit)->Unit(benchmark::kMillisecond);

void MonthLoad(benchmark::State& state) {
    Window w;
    w.showMonth();
    for (auto _ : state)
        w.main->DataView();
    if (w.main->LA_ListMaxList[0].size() != 31)
        state.SkipWithError("the period was not loaded");
}
BENCHMARK(MonthLoad)->Unit(benchmark::kMillisecond);

void Refresh(benchmark::State& state) {
    Window w;
    w.showMonth();
    for (auto _ : state)
        w.main->RadioGroupChange();
}
BENCHMARK(Refresh)->Unit(benchmark::kMillisecond);

// The graphs alone, to see where a refresh's time goes.
void MonthGraphs(benchmark::State& state) {
    Window w;
    w.showMonth();
    for (auto _ : state)
        w.main->GraphDraw();
}
BENCHMARK(MonthGraphs)->Unit(benchmark::kMillisecond);

void Report(benchmark::State& state) {
    Window w;
    w.showMonth();
    w.main->BtPrintOut->click();
    for (auto _ : state)
        w.main->FmPrint->FormShow();
    if (w.main->FmPrint->PrintMode != 0 || !w.dialogs.texts("error").isEmpty())
        state.SkipWithError("the full report was not composed");
}
BENCHMARK(Report)->Unit(benchmark::kMillisecond);

// A month of day reports as one PDF of 31 pages, drawn as lines and text, from the main window's
// state of each day.
void MonthPdf(benchmark::State& state) {
    Window w;
    QList<report::ReportInputs> pages;
    std::vector<std::unique_ptr<data::CardData>> days;
    for (int d = 0; d < 31; ++d) {
        w.main->CbDateList->setCurrentIndex(d);
        days.push_back(std::make_unique<data::CardData>(static_cast<data::CardData&>(*w.main)));
        report::ReportInputs in = w.main->ReportInputsNow();
        in.data = days.back().get();
        pages.append(in);
    }
    QTemporaryDir out;
    report::Provenance provenance;
    provenance.program = report::programName();
    for (auto _ : state) {
        report::DayJoins joins;
        report::writeReportPdf(
            out.filePath("month.pdf"), static_cast<int>(pages.size()),
            [&](QPainter& p, int i) { report::composePage(p, pages[i], report::FullReport, joins); },
            provenance);
    }
    state.counters["KB"] = static_cast<double>(QFileInfo(out.filePath("month.pdf")).size()) / 1024;
}
BENCHMARK(MonthPdf)->Unit(benchmark::kMillisecond);

// The compliance of a loaded month, and the compliance page filled from it.
void MonthSummary(benchmark::State& state) {
    Window w;
    w.showMonth();
    if (w.main->ComplianceDays.size() != 31)
        state.SkipWithError("the period was not loaded");
    for (auto _ : state)
        benchmark::DoNotOptimize(w.main->ComplianceNow());
}
BENCHMARK(MonthSummary)->Unit(benchmark::kMicrosecond);

void MonthSummaryTab(benchmark::State& state) {
    Window w;
    w.showMonth();
    for (auto _ : state)
        w.main->ComplianceRefresh();
    if (w.main->TabItem5->SgSummaryS->model()->rowCount() != 31)
        state.SkipWithError("the tab was not filled");
}
BENCHMARK(MonthSummaryTab)->Unit(benchmark::kMicrosecond);

void MonthReadAndSplit(benchmark::State& state) {
    const QStringList paths = dayPaths(bench::sampleCard("month", cardOptions()), 1, 31);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readAndSplit(paths));
}
BENCHMARK(MonthReadAndSplit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return moravel::bench::runBenchmarks(argc, argv);
}
