// The bulk conversion of a whole card against writing the same bytes in one buffered write.
#include "BenchSupport.h"

#include "data/Events.h"
#include "data/Raw.h"
#include "export/CSVConvert.h"
#include "export/Csv.h"
#include "graph/TimeHistory.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextFile.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace moravel;

namespace {

int benchDays() {
    const int days = qEnvironmentVariableIntValue("MORAVEL_BENCH_DAYS");
    return days > 0 ? days : 365;
}

QString bulkCard() {
    const QString given = qEnvironmentVariable("MORAVEL_BENCH_CARD");
    if (!given.isEmpty())
        return given + u'/';
    tools::SampleCardOptions o;
    o.days = benchDays();
    o.raw = true;
    return bench::sampleCard(QStringLiteral("bulk%1").arg(o.days), o);
}

qint64 directoryBytes(const QString& dir) {
    qint64 total = 0;
    for (const QFileInfo& f : QDir(dir).entryInfoList(QDir::Files))
        total += f.size();
    return total;
}

qint64 g_outputBytes = 0;

void BulkCsv(benchmark::State& state) {
    const QString card = bulkCard();
    platform::ScriptedDialogs dialogs;
    dialogs.install();
    TFmCSVConvert window;
    window.Inputs = [&] {
        csv::ConversionRequest in;
        in.cardDirectory = card;
        in.dayMode = true;
        return in;
    };
    // Each run writes into a directory of its own, as a conversion into a new folder does; the
    // files are removed after the runs (removing them between runs would make the file system look
    // for recently freed inodes while the next run creates its files).
    static QTemporaryDir out; // removed when the program ends, after all runs
    window.DModeConvert->setChecked(true);
    static int run = 0;
    QString last;
    for (auto _ : state) {
        state.PauseTiming();
        last = out.filePath(QString::number(run++));
        QDir().mkpath(last);
        window.EdSaveDirectory->setText(last);
        bench::writeBack(); // every run starts with nothing waiting to be written back
        dialogs.clear();
        dialogs.answer(platform::Answer::Yes);
        state.ResumeTiming();
        window.BtConvertStartClick();
    }
    g_outputBytes = directoryBytes(last);
    if (dialogs.texts("information") != QStringList{QStringLiteral("変換が完了しました。")})
        state.SkipWithError("the conversion did not complete");
    state.counters["MB"] = static_cast<double>(g_outputBytes) / 1e6;
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(g_outputBytes) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BulkCsv)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// The same number of bytes in one buffered write.
void WriteSameBytes(benchmark::State& state) {
    if (g_outputBytes == 0) {
        state.SkipWithError("run BulkCsv first");
        return;
    }
    static QTemporaryDir out;
    const QByteArray block(1 << 20, 'x');
    for (auto _ : state) {
        state.PauseTiming();
        bench::writeBack();
        state.ResumeTiming();
        QFile f(out.filePath("bytes.csv"));
        f.open(QIODevice::WriteOnly);
        for (qint64 left = g_outputBytes; left > 0; left -= block.size())
            f.write(block.constData(), std::min<qint64>(left, block.size()));
        f.close();
    }
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(g_outputBytes) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(WriteSameBytes)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// One raw file of a day converted in memory, nothing read or written.
void RawDayInMemory(benchmark::State& state) {
    tools::SampleCardOptions o;
    o.days = 1;
    const QString card = bench::sampleCard(QStringLiteral("one"), o);
    const QByteArray bytes = platform::readBytes(card + QStringLiteral("20210301.LA"));
    qint64 out = 0;
    for (auto _ : state)
        out = csv::rawCsvFromBytes(bytes).size();
    state.counters["MB/s"] =
        benchmark::Counter(static_cast<double>(out) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(RawDayInMemory)->Unit(benchmark::kMillisecond);

// A raw day loaded into seconds (both channels), and the baseline: the same two files read and
// split into lines and fields in the simplest way.
void RawDayLoad(benchmark::State& state) {
    tools::SampleCardOptions o;
    o.days = 1;
    const QString card = bench::sampleCard(QStringLiteral("one"), o);
    for (auto _ : state) {
        const data::RawDay day = data::loadRawDay(card, QStringLiteral("20210301"));
        if (day.s.empty() || day.v.empty())
            state.SkipWithError("no raw files");
        benchmark::DoNotOptimize(day.s.seconds.data());
    }
}
BENCHMARK(RawDayLoad)->Unit(benchmark::kMillisecond);

void RawReadAndSplit(benchmark::State& state) {
    tools::SampleCardOptions o;
    o.days = 1;
    const QString card = bench::sampleCard(QStringLiteral("one"), o);
    const QStringList paths{card + QStringLiteral("20210301.LA"), card + QStringLiteral("20210301.LV")};
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readAndSplit(paths));
}
BENCHMARK(RawReadAndSplit)->Unit(benchmark::kMillisecond);

// The time history of both channels redrawn into a 1000 x 300 pair (the page's drawing, with the
// day files' entries), at the whole day, an hour and a minute across.
void TimeHistoryRedraw(benchmark::State& state) {
    tools::SampleCardOptions o;
    o.days = 1;
    const QString card = bench::sampleCard(QStringLiteral("one"), o);
    data::RawDay day = data::loadRawDay(card, QStringLiteral("20210301"));
    data::loadDayFileEntries(card, day);
    const int length = static_cast<int>(state.range(0));
    const graph::TimeView view{36000, 36000 + length};
    // The plots take 1000 x 300 of the area: the rest is their labels and titles.
    const QRect area(0, 0, 1000 + 44, 300 + 2 * 18 + 20 + 4);
    QImage image(area.size(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(1);
    for (auto _ : state) {
        QPainter p(&image);
        graph::drawTimeHistoryPair(p, area, day, length == data::SecondsPerDay ? graph::TimeView{} : view, 85,
                                   75);
    }
    const graph::TimeHistoryLayout l = graph::TimeHistoryLayout::of(area);
    state.counters["plot_width"] = l.noise.width();
    state.counters["plot_heights"] = l.noise.height() + l.vibration.height();
}
BENCHMARK(TimeHistoryRedraw)->Arg(86400)->Arg(3600)->Arg(60)->Unit(benchmark::kMillisecond);

// The events of a day's seconds of one channel above its reference less 10 dB (the sample card's
// working hours give about a hundred), from the seconds in memory.
void EventsOfADay(benchmark::State& state) {
    tools::SampleCardOptions o;
    o.days = 1;
    const QString card = bench::sampleCard(QStringLiteral("one"), o);
    const data::RawDay day = data::loadRawDay(card, QStringLiteral("20210301"));
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<data::Event> events =
            data::events(day.s, 0, data::SecondsPerDay, data::defaultThreshold(85));
        found = events.size();
        benchmark::DoNotOptimize(events.constData());
    }
    state.counters["events"] = static_cast<double>(found);
}
BENCHMARK(EventsOfADay)->Unit(benchmark::kMillisecond);

// One day file of statistical levels read and converted, nothing written.
void SummaryDay(benchmark::State& state) {
    tools::SampleCardOptions o;
    o.days = 1;
    const QString card = bench::sampleCard(QStringLiteral("one"), o);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            csv::summaryCsv(platform::readLines(card + QStringLiteral("20210301.LAC")), csv::Headings::Noise)
                .size());
}
BENCHMARK(SummaryDay)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return moravel::bench::runBenchmarks(argc, argv);
}
